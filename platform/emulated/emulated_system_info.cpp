#include "platform/emulated/emulated_system_info.h"

#include "platform/emulated/emulated_machine.h"

namespace kit {

EmulatedSystemInfo::EmulatedSystemInfo(EmulatedMachine& machine)
    : machine_(machine), start_(std::chrono::steady_clock::now()) {}

bool EmulatedSystemInfo::Version(OsVersion* version) {
  *version = machine_.Settings().version;
  return true;
}

bool EmulatedSystemInfo::WindowsDirectory(std::string* dir) {
  *dir = machine_.Settings().windows_dir;
  return true;
}

bool EmulatedSystemInfo::SystemDirectory(std::string* dir) {
  *dir = machine_.Settings().system_dir;
  return true;
}

uint16_t EmulatedSystemInfo::UserDefaultLanguage() { return machine_.Settings().language; }
uint32_t EmulatedSystemInfo::AnsiCodePage() { return machine_.Settings().ansi_code_page; }
uint32_t EmulatedSystemInfo::OemCodePage() { return machine_.Settings().oem_code_page; }
std::string EmulatedSystemInfo::ExePath() { return machine_.ExePath(); }
std::vector<std::string> EmulatedSystemInfo::Arguments() { return machine_.Arguments(); }

uint32_t EmulatedSystemInfo::TickCount() {
  auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start_);
  // A machine that has been up for a while, like a real one.
  return static_cast<uint32_t>(ms.count()) + 60000u;
}

}  // namespace kit
