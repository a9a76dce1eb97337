// DDE conversations through the DDE management library (DDEML), text format.
#pragma once

#include <cstdint>

#include "platform/platform.h"

namespace kit {

class Win32Dde : public DdeClient {
 public:
  explicit Win32Dde(Platform& platform) : platform_(platform) {}
  ~Win32Dde() override;
  std::unique_ptr<DdeConversation> Connect(const std::string& service,
                                           const std::string& topic) override;

 private:
  Platform& platform_;
  unsigned long instance_ = 0;  // DdeInitialize's instance, 0 until the first Connect
};

}  // namespace kit
