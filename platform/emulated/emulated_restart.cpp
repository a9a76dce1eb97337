#include "platform/emulated/emulated_restart.h"

#include <cstdio>

#include "platform/emulated/emulated_machine.h"

namespace kit {

bool EmulatedRestart::EnableShutdownPrivilege() {
  if (machine_.Settings().IsNT()) privilege_ = true;
  machine_.AppendJournal("EnableShutdownPrivilege");
  return true;
}

bool EmulatedRestart::ExitSystem(uint32_t flags) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "ExitWindows 0x%x", flags);
  const char* what = (flags & ewx::kReboot) ? "reboot" : (flags & ewx::kShutdown) ? "shutdown" : "logoff";
  std::snprintf(buf, sizeof buf, "ExitWindows 0x%x (%s)", flags, what);
  std::string line = buf;
  bool needs_privilege = (flags & (ewx::kReboot | ewx::kShutdown)) != 0;
  if (machine_.Settings().IsNT() && needs_privilege && !privilege_) {
    machine_.AppendJournal(line + " -> failed 1314");
    machine_.SetError(winerr::kPrivilegeNotHeld);
    return false;
  }
  machine_.AppendJournal(line + " -> pending");
  return true;
}

}  // namespace kit
