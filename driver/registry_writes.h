// The driver's registry writes, on the current platform.
#pragma once

#include <string>

#include "platform/platform.h"

namespace kit::driver_registry {

// Writes a string value, creating the key; raises EIRCannotWriteValue
// naming the key, the value name and the text when the key cannot be opened
// or the value not written.
void WriteString(RegRoot root, const std::string& key, const std::string& name,
                 const std::string& value);

}  // namespace kit::driver_registry
