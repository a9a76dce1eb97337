// The registry through the Win32 API (advapi32, ANSI functions).
#pragma once

#include "platform/platform.h"

namespace kit {

class Win32Registry : public Registry {
 public:
  // Failures leave their error code in *last_error.
  explicit Win32Registry(uint32_t* last_error) : err_(last_error) {}
  std::unique_ptr<RegKey> Open(RegRoot root, const std::string& path, RegAccess access,
                               bool create) override;

 private:
  uint32_t* err_;
};

}  // namespace kit
