#include "driver/registry_writes.h"

#include "model/system_errors.h"
#include "platform/current_platform.h"

namespace kit::driver_registry {

void WriteString(RegRoot root, const std::string& key, const std::string& name,
                 const std::string& value) {
  auto handle = CurrentPlatform().Reg().Open(root, key, RegAccess::kAll, true);
  if (!handle || !handle->Set(name, RegValue::String(value)))
    throw EIRCannotWriteValue(key, name, value);
}

}  // namespace kit::driver_registry
