// Programs, libraries and OLE through the Win32 API.
#pragma once

#include "platform/platform.h"

namespace kit {

class Win32Processes : public Processes {
 public:
  // Failures leave their error code in *last_error.
  explicit Win32Processes(uint32_t* last_error) : err_(last_error) {}
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
  uint32_t* err_;
};

}  // namespace kit
