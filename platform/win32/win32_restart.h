// Ending the Windows session (restart, shut down) through the Win32 API.
#pragma once

#include "platform/platform.h"

namespace kit {

class Win32Restart : public Restart {
 public:
  // Failures leave their error code in *last_error.
  explicit Win32Restart(uint32_t* last_error) : err_(last_error) {}
  bool EnableShutdownPrivilege() override;
  bool ExitSystem(uint32_t flags) override;

 private:
  uint32_t* err_;
};

}  // namespace kit
