#include "platform/win32/win32_ini_files.h"

#include "platform/win32/win32_util.h"

namespace kit {

using win32::Fail;

std::string Win32IniFiles::Read(const std::string& file, const std::string& section,
                                const std::string& key, const std::string& def) {
  // A value that fills the buffer comes back as size - 1 characters: grow.
  std::string buf(1024, '\0');
  for (;;) {
    DWORD n = GetPrivateProfileStringA(section.c_str(), key.c_str(), def.c_str(), buf.data(),
                                       static_cast<DWORD>(buf.size()), file.c_str());
    if (n + 1 < buf.size() || buf.size() >= (1u << 24)) {
      buf.resize(n);
      return buf;
    }
    buf.assign(buf.size() * 4, '\0');
  }
}

bool Win32IniFiles::Write(const std::string& file, const std::string& section,
                          const std::string& key, const std::string& value) {
  return WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), file.c_str())
             ? true
             : Fail(err_);
}

bool Win32IniFiles::DeleteKey(const std::string& file, const std::string& section,
                              const std::string& key) {
  return WritePrivateProfileStringA(section.c_str(), key.c_str(), nullptr, file.c_str())
             ? true
             : Fail(err_);
}

std::vector<std::string> Win32IniFiles::ReadSection(const std::string& file,
                                                    const std::string& section) {
  // The key names come as a list of zero-terminated strings; a list that
  // does not fit is reported as size - 2.
  std::string buf(4096, '\0');
  DWORD n;
  for (;;) {
    n = GetPrivateProfileStringA(section.c_str(), nullptr, "", buf.data(),
                                 static_cast<DWORD>(buf.size()), file.c_str());
    if (n + 2 < buf.size() || buf.size() >= (1u << 24)) break;
    buf.assign(buf.size() * 4, '\0');
  }
  std::vector<std::string> keys;
  size_t start = 0;
  for (size_t i = 0; i < n; ++i) {
    if (buf[i] == '\0') {
      if (i > start) keys.push_back(buf.substr(start, i - start));
      start = i + 1;
    }
  }
  if (start < n) keys.push_back(buf.substr(start, n - start));
  return keys;
}

bool Win32IniFiles::EraseSection(const std::string& file, const std::string& section) {
  return WritePrivateProfileStringA(section.c_str(), nullptr, nullptr, file.c_str())
             ? true
             : Fail(err_);
}

}  // namespace kit
