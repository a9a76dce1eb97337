// Small helpers shared by the Win32 backend: error capture, the platform
// family, DOS time conversion and buffer-growing string calls.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

namespace kit::win32 {

// Stores GetLastError() of the call that just failed into *slot; false.
inline bool Fail(uint32_t* slot) {
  *slot = GetLastError();
  return false;
}

// Stores an error code the backend decided on; also sets GetLastError.
inline bool FailWith(uint32_t* slot, uint32_t code) {
  *slot = code;
  SetLastError(code);
  return false;
}

// True on Windows NT (VER_PLATFORM_WIN32_NT), false on the Windows 95 family.
bool IsNT();

// FILETIME (UTC) <-> DOS date and time in local time (date in the high word).
bool FileTimeToDos(const FILETIME& utc, uint32_t* dos_time);
bool DosToFileTime(uint32_t dos_time, FILETIME* utc);

// Calls an API of the shape "fill buf of size n; return the length written,
// or the size needed when it does not fit, or 0 on failure" (GetShortPathName,
// GetFullPathName, GetTempPath ...), growing the buffer until the text fits.
bool GrowingCall(const std::function<DWORD(char*, DWORD)>& call, std::string* out,
                 uint32_t* slot);

}  // namespace kit::win32
