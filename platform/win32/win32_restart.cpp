#include "platform/win32/win32_restart.h"

#include "platform/win32/win32_util.h"

namespace kit {

using win32::Fail;
using win32::FailWith;

bool Win32Restart::EnableShutdownPrivilege() {
  if (!win32::IsNT()) return true;  // the Windows 95 family has no privileges
  HANDLE token;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token))
    return Fail(err_);
  TOKEN_PRIVILEGES tp{};
  bool ok = LookupPrivilegeValueA(nullptr, SE_SHUTDOWN_NAME, &tp.Privileges[0].Luid) != 0;
  if (ok) {
    tp.PrivilegeCount = 1;
    tp.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    // Succeeds also when the privilege was not granted; that is told apart
    // by ERROR_NOT_ALL_ASSIGNED.
    ok = AdjustTokenPrivileges(token, FALSE, &tp, 0, nullptr, nullptr) != 0;
    if (ok && GetLastError() == ERROR_NOT_ALL_ASSIGNED) {
      CloseHandle(token);
      return FailWith(err_, ERROR_NOT_ALL_ASSIGNED);
    }
  }
  if (!ok) Fail(err_);
  CloseHandle(token);
  return ok;
}

bool Win32Restart::ExitSystem(uint32_t flags) {
  return ExitWindowsEx(flags, 0) ? true : Fail(err_);
}

}  // namespace kit
