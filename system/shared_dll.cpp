#include "system/shared_dll.h"

#include <optional>

#include "base/exception.h"
#include "base/setup_log.h"
#include "platform/current_platform.h"
#include "system/translated_format.h"

namespace kit {

uint32_t SharedDLLCount(const std::string& path) {
  auto key =
      CurrentPlatform().Reg().Open(RegRoot::kLocalMachine, shareddll::kKey, RegAccess::kRead, false);
  RegValue v;
  if (!key || !key->Query(path, &v)) return 0;
  return v.AsDword().value_or(0);
}

bool UpdateSharedDLLCount(const std::string& path, const std::string& component_name) {
  Platform& platform = CurrentPlatform();
  auto key = platform.Reg().Open(RegRoot::kLocalMachine, shareddll::kKey, RegAccess::kAll, true);
  if (!key) {
    const uint32_t error = platform.LastError();
    throw Exception(TranslatedFormat(
        "Could not open the key SharedDLLs key in the registry. File component %s. GetLastError "
        "return: %d",
        {component_name, static_cast<int64_t>(static_cast<int32_t>(error))}));
  }
  uint32_t count = 0;
  RegValue v;
  if (key->Query(path, &v)) count = v.AsDword().value_or(0);
  if (count < UINT32_MAX) ++count;
  if (!key->Set(path, RegValue::Dword(count))) return false;
  LogStep("registry", std::string("HKEY_LOCAL_MACHINE") + shareddll::kKey + "\\" + path + " = " + std::to_string(count) +
                          " (shared use count)");
  return true;
}

}  // namespace kit
