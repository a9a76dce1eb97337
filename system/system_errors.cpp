#include "system/system_errors.h"

namespace kit {

ESHELLCannotInitialize::ESHELLCannotInitialize(int32_t error_code)
    : Exception("Could not initialize IShellLink with following error code returned: " +
                std::to_string(error_code)),
      error_code_(error_code) {}

EIRCannotWriteValue::EIRCannotWriteValue(const std::string& key, const std::string& ident,
                                         const std::string& value)
    : Exception("Cannot install into registry. Key: " + key + " Ident: " + ident + " Value " +
                value),
      key_(key),
      ident_(ident),
      value_(value) {}

EAICannotGetWindowsDir::EAICannotGetWindowsDir()
    : EAI("Cannot get the Windows directory for your computer. Using GetWindowsDirectory API "
          "function") {}

EAICannotGetSystemDir::EAICannotGetSystemDir()
    : EAI("Cannot get the System directory for your computer. Using GetSystemDir API "
          "function") {}

}  // namespace kit
