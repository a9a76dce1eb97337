#include "loader/small_crc32.h"

namespace kit {

uint32_t SmallCrc32(uint32_t crc, const unsigned char* data, size_t size) {
  crc = ~crc;
  while (size--) {
    crc ^= *data++;
    for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  return ~crc;
}

}  // namespace kit
