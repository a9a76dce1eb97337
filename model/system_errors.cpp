#include "model/system_errors.h"

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

}  // namespace kit
