// The version-resource fixture files of the test suites (built from
// system/fixtures/*.rc into the directory KIT_FIXTURE_DIR names) and the
// version source each target reads them with: the version API under Wine,
// the PE reader natively.
#pragma once

#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>
#include <sstream>
#include <string>

#include "platform/version_source.h"

#ifndef KIT_FIXTURE_DIR
#error "KIT_FIXTURE_DIR must name the directory of the version fixtures"
#endif

namespace kit::testing {

inline std::string FixturePath(const std::string& name) {
#ifdef _WIN32
  return std::string(KIT_FIXTURE_DIR) + "\\" + name;
#else
  return std::string(KIT_FIXTURE_DIR) + "/" + name;
#endif
}

inline bool ReadHostFile(const std::string& path, std::string* bytes) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::ostringstream all;
  all << in.rdbuf();
  *bytes = all.str();
  return !in.bad();
}

inline bool WriteHostFile(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

inline std::string FixtureBytes(const std::string& name) {
  std::string bytes;
  ReadHostFile(FixturePath(name), &bytes);
  return bytes;
}

// The source the suite of this target reads the fixtures with.
inline std::unique_ptr<VersionSource> FixtureVersionSource() {
#ifdef _WIN32
  return MakeWin32VersionSource();
#else
  return MakePeVersionSource(ReadHostFile);
#endif
}

inline uint32_t Le32(const std::string& b, size_t at) {
  uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(b[at + i]);
  return v;
}
inline void PutLe32(std::string* b, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) (*b)[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

// The file offset of the raw data of the section named ".rsrc" (0 if none),
// found from the headers alone.
inline size_t ResourceSectionOffset(const std::string& pe) {
  if (pe.size() < 64) return 0;
  size_t nt = Le32(pe, 0x3C);
  if (nt + 24 > pe.size()) return 0;
  size_t sections = static_cast<unsigned char>(pe[nt + 6]) | (static_cast<unsigned char>(pe[nt + 7]) << 8);
  size_t optional = static_cast<unsigned char>(pe[nt + 20]) | (static_cast<unsigned char>(pe[nt + 21]) << 8);
  size_t table = nt + 24 + optional;
  for (size_t i = 0; i < sections && table + (i + 1) * 40 <= pe.size(); ++i) {
    if (std::memcmp(pe.data() + table + i * 40, ".rsrc", 5) == 0) return Le32(pe, table + i * 40 + 20);
  }
  return 0;
}

// The offset of the version block in a PE file: where its UTF-16 key
// "VS_VERSION_INFO" begins, less the 6 bytes of the node header.
inline size_t VersionBlockOffset(const std::string& pe) {
  static const char kKey[] = "V\0S\0_\0V\0E\0R\0S\0I\0O\0N\0_\0I\0N\0F\0O\0";
  size_t at = pe.find(std::string(kKey, sizeof kKey - 1));
  return at == std::string::npos || at < 6 ? 0 : at - 6;
}

// Broken copies of program.exe, written beside the fixtures:
//   "truncated.exe": cut in the middle of its version block;
//   "badsig.exe":    the "PE" signature overwritten;
//   "notype.exe":    the resource type 16 (version) renamed to 17.
// Returns the path, or "" when the copy could not be made.
inline std::string BrokenFixture(const std::string& which) {
  std::string pe = FixtureBytes("program.exe");
  if (pe.empty()) return "";
  if (which == "truncated.exe") {
    size_t block = VersionBlockOffset(pe);
    if (block == 0) return "";
    pe.resize(block + 120);
  } else if (which == "badsig.exe") {
    size_t nt = Le32(pe, 0x3C);
    if (nt + 4 > pe.size()) return "";
    pe[nt] = 'X';
  } else if (which == "notype.exe") {
    size_t root = ResourceSectionOffset(pe);
    if (root == 0 || root + 16 > pe.size()) return "";
    size_t named = static_cast<unsigned char>(pe[root + 12]) | (static_cast<unsigned char>(pe[root + 13]) << 8);
    size_t ids = static_cast<unsigned char>(pe[root + 14]) | (static_cast<unsigned char>(pe[root + 15]) << 8);
    bool renamed = false;
    for (size_t i = named; i < named + ids && root + 16 + i * 8 + 8 <= pe.size(); ++i) {
      if (Le32(pe, root + 16 + i * 8) == 16) {
        PutLe32(&pe, root + 16 + i * 8, 17);
        renamed = true;
      }
    }
    if (!renamed) return "";
  } else {
    return "";
  }
  std::string path = FixturePath(which);
  return WriteHostFile(path, pe) ? path : "";
}

}  // namespace kit::testing
