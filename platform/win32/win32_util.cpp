#include "platform/win32/win32_util.h"

#include <vector>

namespace kit::win32 {

bool IsNT() {
  static const bool nt = [] {
    OSVERSIONINFOA v{};
    v.dwOSVersionInfoSize = sizeof v;
    if (!GetVersionExA(&v)) return true;
    return v.dwPlatformId == VER_PLATFORM_WIN32_NT;
  }();
  return nt;
}

bool FileTimeToDos(const FILETIME& utc, uint32_t* dos_time) {
  FILETIME local;
  WORD date = 0, time = 0;
  if (!FileTimeToLocalFileTime(&utc, &local)) return false;
  if (!FileTimeToDosDateTime(&local, &date, &time)) return false;
  *dos_time = (static_cast<uint32_t>(date) << 16) | time;
  return true;
}

bool DosToFileTime(uint32_t dos_time, FILETIME* utc) {
  FILETIME local;
  if (!DosDateTimeToFileTime(static_cast<WORD>(dos_time >> 16), static_cast<WORD>(dos_time & 0xFFFF),
                             &local))
    return false;
  return LocalFileTimeToFileTime(&local, utc) != 0;
}

bool GrowingCall(const std::function<DWORD(char*, DWORD)>& call, std::string* out,
                 uint32_t* slot) {
  std::vector<char> buf(MAX_PATH + 1);
  for (int attempt = 0; attempt < 8; ++attempt) {
    SetLastError(0);
    DWORD n = call(buf.data(), static_cast<DWORD>(buf.size()));
    if (n == 0) {
      DWORD e = GetLastError();
      // An empty answer that is not an error (an empty current directory
      // cannot happen, but an empty value can).
      if (e == 0) {
        out->clear();
        return true;
      }
      return FailWith(slot, e);
    }
    if (n < buf.size()) {
      out->assign(buf.data(), n);
      return true;
    }
    buf.resize(static_cast<size_t>(n) + 1);
  }
  return FailWith(slot, ERROR_INSUFFICIENT_BUFFER);
}

}  // namespace kit::win32
