#include "system/activex_registration.h"

#include <cstdint>
#include <vector>

#include "base/exception.h"
#include "base/text.h"
#include "platform/current_platform.h"
#include "platform/version_source.h"
#include "system/install_log.h"
#include "system/translated_format.h"
#include "system/version_resource.h"

namespace kit {
namespace {

int64_t ErrorCode(uint32_t error) { return static_cast<int32_t>(error); }

// Both registrations first make sure the target is there; the answer is
// DestPath.
std::string CheckedTarget(const std::string& dest_dir, const std::string& dest_name,
                          const std::string& component_name) {
  if (Trim(dest_dir + dest_name).empty())
    throw Exception(TranslatedFormat(
        "Cannot not get support information for the file because the GetDestDir + DestName is "
        "blank. File component: %s",
        {component_name}));
  std::string target = InstalledPath(dest_dir, dest_name);
  if (!CurrentPlatform().Files().Exists(target))
    throw Exception(TranslatedFormat(
        "Cannot not get support information for the file %s. File component: %s",
        {target, component_name}));
  return target;
}

class OleScope {
 public:
  explicit OleScope(Processes& procs) : procs_(procs), on_(procs.OleInitialize()) {}
  ~OleScope() {
    if (on_) procs_.OleUninitialize();
  }
  OleScope(const OleScope&) = delete;
  OleScope& operator=(const OleScope&) = delete;

 private:
  Processes& procs_;
  bool on_;
};

class ModuleScope {
 public:
  ModuleScope(Processes& procs, ModuleHandle module) : procs_(procs), module_(module) {}
  ~ModuleScope() {
    if (module_ != 0) procs_.UnloadModule(module_);
  }
  ModuleScope(const ModuleScope&) = delete;
  ModuleScope& operator=(const ModuleScope&) = delete;

 private:
  Processes& procs_;
  ModuleHandle module_;
};

}  // namespace

bool IsSelfRegistering(const std::string& source_path) {
  VersionSource* source = VersionResourceSource();
  if (source == nullptr) return false;
  std::string block;
  if (!source->Read(source_path, &block) || block.empty()) return false;
  std::vector<Translation> translations = ReadTranslations(*source, block);
  if (translations.empty()) return false;
  std::string value;
  return source->Query(block,
                       StringFileInfoPath(translations[0].language, translations[0].code_page,
                                          "OLESelfRegister"),
                       &value);
}

std::string ServerCommandLine(const std::string& path, const std::string& switch_text) {
  const bool blank = path.find_first_of(" \t") != std::string::npos;
  return (blank ? "\"" + path + "\"" : path) + " " + switch_text;
}

void RegisterDLLServer(const std::string& dest_dir, const std::string& dest_name,
                       const std::string& component_name) {
  const std::string target = CheckedTarget(dest_dir, dest_name, component_name);
  Platform& platform = CurrentPlatform();
  Processes& procs = platform.Procs();
  OleScope ole(procs);
  const ModuleHandle module = procs.LoadModule(target);
  if (module == 0) {
    const uint32_t error = platform.LastError();
    throw Exception(TranslatedFormat(
        "Could not register the ActiveX component, %s, because the LoadLibrary(%s) procedure "
        "returned a value of 0. The file component is %s. The following value is the value of "
        "the GetLastError function: %d",
        {target, target, component_name, ErrorCode(error)}));
  }
  ModuleScope loaded(procs, module);
  int32_t result = 0;
  if (!procs.HasExport(module, "DllRegisterServer") ||
      !procs.Call(module, "DllRegisterServer", {}, &result)) {
    const uint32_t error = platform.LastError();
    throw Exception(TranslatedFormat(
        "Could not register the ActiveX component, %s, because the DllRegisterServer function "
        "could not be found. The file component is %s. The following value is the value of the "
        "GetLastError function: %d",
        {target, component_name, ErrorCode(error)}));
  }
  if (result != 0)
    throw Exception(TranslatedFormat(
        "Could not register the ActiveX component, %s, because the DllRegisterServer function "
        "returned a value of %d. The file component is %s.",
        {target, static_cast<int64_t>(result), component_name}));
}

void RegisterEXEServer(const std::string& dest_dir, const std::string& dest_name,
                       const std::string& component_name) {
  const std::string target = CheckedTarget(dest_dir, dest_name, component_name);
  Platform& platform = CurrentPlatform();
  const uint32_t result = platform.Procs().Exec(ServerCommandLine(target, "/REGSERVER"), true);
  if (result < 32) {
    const uint32_t error = platform.LastError();
    throw Exception(TranslatedFormat(
        "Could not register the ActiveX component, %s, because the WinExec(%s,SW_HIDE) function "
        "returned a value < 32. The file component is %s. The following value is the value of "
        "the GetLastError function: %d",
        {target, target, component_name, ErrorCode(error)}));
  }
}

bool UnregisterDLLServer(const std::string& path) {
  Platform& platform = CurrentPlatform();
  if (!platform.Files().Exists(path)) return false;
  Processes& procs = platform.Procs();
  const ModuleHandle module = procs.LoadModule(path);
  if (module == 0) return false;
  ModuleScope loaded(procs, module);
  int32_t result = 0;
  return procs.HasExport(module, "DllUnregisterServer") &&
         procs.Call(module, "DllUnregisterServer", {}, &result);
}

bool UnregisterEXEServer(const std::string& path) {
  Platform& platform = CurrentPlatform();
  if (!platform.Files().Exists(path)) return false;
  return platform.Procs().Exec(ServerCommandLine(path, "/UNREGSERVER"), true) >= 32;
}

}  // namespace kit
