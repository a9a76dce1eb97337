// Shutdown and restart requests of the emulated machine: journaled. The
// restart itself is EmulatedMachine::Restart, done by a test or kitvm.
#pragma once

#include "platform/platform.h"

namespace kit {

class EmulatedMachine;

class EmulatedRestart : public Restart {
 public:
  explicit EmulatedRestart(EmulatedMachine& machine) : machine_(machine) {}
  bool EnableShutdownPrivilege() override;
  // On Windows NT a shutdown or reboot needs the privilege enabled first
  // (kPrivilegeNotHeld otherwise), as ExitWindowsEx does.
  bool ExitSystem(uint32_t flags) override;

 private:
  EmulatedMachine& machine_;
  bool privilege_ = false;
};

}  // namespace kit
