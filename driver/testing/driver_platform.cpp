#include "driver/testing/driver_platform.h"

#include <cstdio>

namespace kit::testing {

class DriverPlatform::Sys : public SystemInfo {
 public:
  explicit Sys(DriverPlatform& p) : p_(p) {}
  bool Version(OsVersion* v) override {
    if (!p_.version) return p_.inner().System().Version(v);
    if (p_.version->platform_id == 99) {
      p_.SetError(winerr::kInvalidFunction);
      return false;
    }
    *v = *p_.version;
    return true;
  }
  bool WindowsDirectory(std::string* dir) override { return p_.inner().System().WindowsDirectory(dir); }
  bool SystemDirectory(std::string* dir) override { return p_.inner().System().SystemDirectory(dir); }
  uint16_t UserDefaultLanguage() override { return p_.inner().System().UserDefaultLanguage(); }
  uint32_t AnsiCodePage() override { return p_.inner().System().AnsiCodePage(); }
  uint32_t OemCodePage() override { return p_.inner().System().OemCodePage(); }
  std::string ExePath() override { return p_.exe_path; }
  std::vector<std::string> Arguments() override { return p_.arguments; }
  uint32_t TickCount() override { return p_.inner().System().TickCount(); }

 private:
  DriverPlatform& p_;
};

class DriverPlatform::Boot : public Restart {
 public:
  explicit Boot(DriverPlatform& p) : p_(p) {}
  bool EnableShutdownPrivilege() override {
    p_.restart_calls.push_back("privilege");
    if (!p_.restart_privilege_works) p_.SetError(winerr::kPrivilegeNotHeld);
    return p_.restart_privilege_works;
  }
  bool ExitSystem(uint32_t flags) override {
    char buf[32];
    std::snprintf(buf, sizeof buf, "exit 0x%x", flags);
    p_.restart_calls.push_back(buf);
    if (!p_.restart_works) p_.SetError(winerr::kAccessDenied);
    return p_.restart_works;
  }

 private:
  DriverPlatform& p_;
};

DriverPlatform::DriverPlatform()
    : machine_(NewTestMachine()), sys_(std::make_unique<Sys>(*this)), boot_(std::make_unique<Boot>(*this)) {
  exe_path = machine_->Scratch() + "\\Setup Temp\\install.exe";
}

DriverPlatform::~DriverPlatform() = default;

SystemInfo& DriverPlatform::System() { return *sys_; }
Restart& DriverPlatform::Reboot() { return *boot_; }

void DriverPlatform::SetPlatformClass(int cls) {
  OsVersion v;
  switch (cls) {
    case 0: v = {3, 10, 0, platformid::kWin32s, ""}; break;
    case 1: v = {4, 10, 2222, platformid::kWindows, "A"}; break;
    case 2: v = {5, 1, 2600, platformid::kNT, "Service Pack 2"}; break;
    case 3: v = {3, 51, 1057, platformid::kNT, ""}; break;
    case 4: v = {1, 0, 0, 3, ""}; break;  // Windows CE
    default: v.platform_id = 99; break;
  }
  version = v;
}

}  // namespace kit::testing
