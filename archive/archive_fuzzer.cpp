// libFuzzer target: the header-table reader and the extraction of every
// member of whatever the input describes, into a scratch in-memory machine.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "archive/testing/archive_probe.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > (1u << 20)) return 0;
  kit::testing::ProbeResult r =
      kit::testing::ProbeArchive(std::string(reinterpret_cast<const char*>(data), size));
  if (r.wrote_outside) std::abort();
  return 0;
}
