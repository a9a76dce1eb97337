#include "platform/win32/win32_system_info.h"

#include "platform/command_line.h"
#include "platform/win32/win32_util.h"

namespace kit {
namespace {

void DropTrailingBackslash(std::string* dir) {
  // "C:\" keeps its backslash: "C:" alone names the drive's current directory.
  if (dir->size() > 3 && dir->back() == '\\') dir->pop_back();
}

}  // namespace

bool Win32SystemInfo::Version(OsVersion* version) {
  OSVERSIONINFOA v{};
  v.dwOSVersionInfoSize = sizeof v;
  if (!GetVersionExA(&v)) return win32::Fail(err_);
  version->major = v.dwMajorVersion;
  version->minor = v.dwMinorVersion;
  // The Windows 95 family keeps major and minor in the build number's high word.
  version->build = v.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS ? (v.dwBuildNumber & 0xFFFF)
                                                                 : v.dwBuildNumber;
  version->platform_id = v.dwPlatformId;
  version->csd = v.szCSDVersion;
  return true;
}

bool Win32SystemInfo::WindowsDirectory(std::string* dir) {
  if (!win32::GrowingCall([](char* buf, DWORD n) { return GetWindowsDirectoryA(buf, n); }, dir,
                          err_))
    return false;
  DropTrailingBackslash(dir);
  return true;
}

bool Win32SystemInfo::SystemDirectory(std::string* dir) {
  if (!win32::GrowingCall([](char* buf, DWORD n) { return GetSystemDirectoryA(buf, n); }, dir,
                          err_))
    return false;
  DropTrailingBackslash(dir);
  return true;
}

uint16_t Win32SystemInfo::UserDefaultLanguage() { return GetUserDefaultLangID(); }

uint32_t Win32SystemInfo::AnsiCodePage() { return GetACP(); }

uint32_t Win32SystemInfo::OemCodePage() { return GetOEMCP(); }

std::string Win32SystemInfo::ExePath() {
  // GetModuleFileName truncates silently when the buffer is too small.
  std::string buf(MAX_PATH, '\0');
  for (;;) {
    DWORD n = GetModuleFileNameA(nullptr, buf.data(), static_cast<DWORD>(buf.size()));
    if (n == 0) {
      win32::Fail(err_);
      return std::string();
    }
    if (n < buf.size() - 1 || buf.size() >= 32768) {
      buf.resize(n);
      return buf;
    }
    buf.assign(buf.size() * 2, '\0');
  }
}

std::vector<std::string> Win32SystemInfo::Arguments() {
  std::vector<std::string> tokens = SplitCommandLine(GetCommandLineA());
  if (!tokens.empty()) tokens.erase(tokens.begin());  // the program itself
  return tokens;
}

uint32_t Win32SystemInfo::TickCount() { return GetTickCount(); }

}  // namespace kit
