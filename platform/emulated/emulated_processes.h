// Processes and modules of the emulated machine: every call is journaled;
// what a call answers comes from the outcomes a test set (outcomes.ini),
// else from the file itself (a PE file's export table; a host ELF program
// inside the machine is run for real by RunAndWait).
#pragma once

#include <map>
#include <optional>
#include <string>

#include "platform/emulated/pe_exports.h"
#include "platform/platform.h"

namespace kit {

class EmulatedMachine;

class EmulatedProcesses : public Processes {
 public:
  explicit EmulatedProcesses(EmulatedMachine& machine) : machine_(machine) {}

  bool RunAndWait(const std::string& command_line, const std::function<void()>& pump,
                  uint32_t* exit_code) override;
  uint32_t Exec(const std::string& command_line, bool hidden) override;
  ModuleHandle LoadModule(const std::string& path) override;
  bool HasExport(ModuleHandle module, const std::string& export_name) override;
  bool Call(ModuleHandle module, const std::string& export_name, const std::vector<CallArg>& args,
            int32_t* result) override;
  void UnloadModule(ModuleHandle module) override;
  bool OleInitialize() override;
  void OleUninitialize() override;

 private:
  struct Module {
    std::string path;  // Windows path with the names' own case
    std::string host;
    int refs = 0;
    std::optional<emu::PeExports> exports;
  };
  // The outcome `key` of the file (long Windows path + host path); the
  // section's existence in *has_section.
  std::optional<std::string> Outcome(const std::string& path, const std::string& host,
                                     const std::string& key, bool* has_section = nullptr);
  // The program a command line starts, found as CreateProcess finds it.
  bool FindProgram(const std::string& command_line, std::string* path, std::string* host,
                   std::string* rest);

  EmulatedMachine& machine_;
  std::map<ModuleHandle, Module> modules_;
  ModuleHandle next_ = 0x10000000;
};

}  // namespace kit
