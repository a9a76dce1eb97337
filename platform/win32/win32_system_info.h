// System facts through the Win32 API.
#pragma once

#include "platform/platform.h"

namespace kit {

class Win32SystemInfo : public SystemInfo {
 public:
  // Failures leave their error code in *last_error.
  explicit Win32SystemInfo(uint32_t* last_error) : err_(last_error) {}
  bool Version(OsVersion* version) override;
  bool WindowsDirectory(std::string* dir) override;
  bool SystemDirectory(std::string* dir) override;
  uint16_t UserDefaultLanguage() override;
  uint32_t AnsiCodePage() override;
  uint32_t OemCodePage() override;
  std::string ExePath() override;
  std::vector<std::string> Arguments() override;
  uint32_t TickCount() override;

 private:
  uint32_t* err_;
};

}  // namespace kit
