// Version resources through the Win32 version API.
#include <windows.h>

#include <algorithm>
#include <vector>

#include "platform/version_source.h"

namespace kit {
namespace {

constexpr DWORD kMaxBlock = 4u << 20;

// Only executable images carry a version resource, and they begin "MZ". The
// API maps a file twice to find that out; two bytes read tell it at a third
// of the cost (a build asks for every source file). A file that cannot be
// read here is left to the API.
bool CannotBeAnImage(const std::string& path) {
  HANDLE f = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                         OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (f == INVALID_HANDLE_VALUE) return false;
  char magic[2] = {};
  DWORD got = 0;
  const BOOL read = ReadFile(f, magic, sizeof magic, &got, nullptr);
  CloseHandle(f);
  return read && (got < sizeof magic || magic[0] != 'M' || magic[1] != 'Z');
}

class Win32VersionSource : public VersionSource {
 public:
  bool Read(const std::string& path, std::string* block) override {
    block->clear();
    if (CannotBeAnImage(path)) return false;
    DWORD handle = 0;
    DWORD size = GetFileVersionInfoSizeA(path.c_str(), &handle);
    // A version block is at most 64 KiB; the API asks for about twice that.
    // Anything larger comes from a damaged file and is not allocated.
    if (size == 0 || size > kMaxBlock) return false;
    std::string data(size, '\0');
    if (!GetFileVersionInfoA(path.c_str(), 0, size, data.data())) return false;
    *block = std::move(data);
    return true;
  }

  bool Query(const std::string& block, const std::string& sub_block,
             std::string* value) override {
    value->clear();
    if (block.size() < 6) return false;
    // VerQueryValueA writes the ANSI form of a string into the block's own
    // buffer, behind the version data: work on a copy with room for that.
    std::vector<char> buffer(block.size() * 2 + 8, '\0');
    std::copy(block.begin(), block.end(), buffer.begin());
    LPVOID found = nullptr;
    UINT length = 0;
    std::string path = sub_block.empty() ? std::string("\\") : sub_block;
    if (!VerQueryValueA(buffer.data(), path.c_str(), &found, &length)) return false;
    if (found == nullptr) return length == 0;
    const char* begin = static_cast<const char*>(found);
    const char* end = buffer.data() + buffer.size();
    if (begin < buffer.data() || begin > end) return false;
    size_t n = std::min<size_t>(length, static_cast<size_t>(end - begin));
    bool text = IsTextPath(path);
    if (text) {
      size_t z = 0;
      while (z < n && begin[z] != '\0') ++z;
      n = z;
    }
    value->assign(begin, n);
    return true;
  }

 private:
  // Values below "\StringFileInfo" are texts; VerQueryValueA gives their
  // length in characters with the terminating zero.
  static bool IsTextPath(const std::string& path) {
    size_t p = path.find_first_not_of('\\');
    static const char kPrefix[] = "StringFileInfo";
    return p != std::string::npos && CompareStringPrefix(path, p, kPrefix);
  }
  static bool CompareStringPrefix(const std::string& s, size_t at, const char* prefix) {
    for (size_t i = 0; prefix[i] != '\0'; ++i) {
      if (at + i >= s.size()) return false;
      char a = s[at + i], b = prefix[i];
      if (a >= 'a' && a <= 'z') a = static_cast<char>(a - 32);
      if (b >= 'a' && b <= 'z') b = static_cast<char>(b - 32);
      if (a != b) return false;
    }
    return true;
  }
};

}  // namespace

std::unique_ptr<VersionSource> MakeWin32VersionSource() {
  return std::make_unique<Win32VersionSource>();
}

}  // namespace kit
