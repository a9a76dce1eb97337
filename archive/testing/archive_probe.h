// Reads arbitrary bytes as an archive (and as volume 1 of a volume set) in a
// scratch in-memory machine and extracts every member, as the fuzzer and its
// regression tests do. Returns the number of members extracted; every
// failure must be one of the kit's exceptions, and nothing may be written
// outside the extraction directory.
#pragma once

#include <string>

namespace kit::testing {

struct ProbeResult {
  int members = 0;
  int extracted = 0;
  bool wrote_outside = false;  // a file appeared outside C:\OUT (a fault)
};

ProbeResult ProbeArchive(const std::string& bytes);

}  // namespace kit::testing
