// zlib's crc32 as the loading program links it: inflate refers to it for
// gzip streams only (the archive's members are zlib streams), and defining
// it here keeps zlib's table-driven one, with its tables, out of the program.
#include <zlib.h>

#include "loader/small_crc32.h"

extern "C" uLong ZEXPORT crc32(uLong crc, const Bytef* buf, uInt len) {
  if (!buf) return 0;
  return kit::SmallCrc32(static_cast<uint32_t>(crc), buf, len);
}
