// The export table of a PE file (a DLL or EXE), read from its bytes.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kit::emu {

struct PeExports {
  std::vector<std::string> names;
  uint32_t ordinal_base = 0;
  uint32_t ordinal_count = 0;
  bool Has(const std::string& export_name) const;  // a name, or "#N" for an ordinal
};

// True when the bytes start like a PE file ("MZ" and a "PE\0\0" header).
bool IsPeFile(const std::string& bytes);
// The exports; nullopt when the file is no well-formed PE file. A PE file
// without an export table has no exports.
std::optional<PeExports> ReadPeExports(const std::string& bytes);

}  // namespace kit::emu
