// The real machine: every platform service through the Win32 API.
#pragma once

#include "platform/platform.h"
#include "platform/win32/win32_dde.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_ini_files.h"
#include "platform/win32/win32_processes.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_restart.h"
#include "platform/win32/win32_system_info.h"

namespace kit {

class Win32Platform : public Platform {
 public:
  Win32Platform();
  FileSystem& Files() override { return files_; }
  Registry& Reg() override { return registry_; }
  IniFiles& Ini() override { return ini_; }
  SystemInfo& System() override { return system_; }
  Processes& Procs() override { return processes_; }
  Restart& Reboot() override { return restart_; }
  DdeClient& Dde() override { return dde_; }
  uint32_t LastError() override { return last_error_; }
  void SetError(uint32_t code) override;
  std::string ErrorText(uint32_t code) override;

 private:
  // Shared by every service: the code of the last failure of any of them.
  uint32_t last_error_ = 0;
  Win32FileSystem files_;
  Win32Registry registry_;
  Win32IniFiles ini_;
  Win32SystemInfo system_;
  Win32Processes processes_;
  Win32Restart restart_;
  Win32Dde dde_{*this};
};

}  // namespace kit
