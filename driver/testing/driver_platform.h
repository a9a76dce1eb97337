// A platform for the driver's tests: the test machine's files, registry
// and INI files, with the program's path, its parameters and the Windows
// version set by the test, and a restart that only records what it was
// asked (so no test ever ends the Windows session it runs in).
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "platform/testing/test_machine.h"

namespace kit::testing {

class DriverPlatform : public Platform {
 public:
  DriverPlatform();
  ~DriverPlatform() override;

  TestMachine& machine() { return *machine_; }
  Platform& inner() { return machine_->platform(); }
  const std::string& Scratch() { return machine_->Scratch(); }

  // ---- what the test sets
  std::string exe_path;
  std::vector<std::string> arguments;
  // Not set: the machine's own version. platform_id 99: unreadable.
  std::optional<OsVersion> version;
  void SetPlatformClass(int cls);  // 0 .. 4, or -1: the version cannot be read
  bool restart_privilege_works = true;
  bool restart_works = true;

  // ---- what the restart was asked
  std::vector<std::string> restart_calls;  // "privilege", "exit 0x2"

  FileSystem& Files() override { return inner().Files(); }
  Registry& Reg() override { return inner().Reg(); }
  IniFiles& Ini() override { return inner().Ini(); }
  SystemInfo& System() override;
  Processes& Procs() override { return inner().Procs(); }
  Restart& Reboot() override;
  DdeClient& Dde() override { return inner().Dde(); }
  uint32_t LastError() override { return inner().LastError(); }
  void SetError(uint32_t code) override { inner().SetError(code); }
  std::string ErrorText(uint32_t code) override { return inner().ErrorText(code); }

 private:
  class Sys;
  class Boot;
  std::unique_ptr<TestMachine> machine_;
  std::unique_ptr<Sys> sys_;
  std::unique_ptr<Boot> boot_;
};

}  // namespace kit::testing
