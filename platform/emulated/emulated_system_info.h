// System facts of the emulated machine: its settings and its process.
#pragma once

#include <chrono>

#include "platform/platform.h"

namespace kit {

class EmulatedMachine;

class EmulatedSystemInfo : public SystemInfo {
 public:
  explicit EmulatedSystemInfo(EmulatedMachine& machine);
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
  EmulatedMachine& machine_;
  std::chrono::steady_clock::time_point start_;
};

}  // namespace kit
