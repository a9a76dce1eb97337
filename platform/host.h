// The platform a program runs on, made by its entry point. On win32 that is
// the real machine; natively it is the emulated machine named by the
// environment (KIT_MACHINE, the machine's host directory; KIT_EXE_PATH, the
// program's own Windows path inside it), as `kitvm run` sets them.
#pragma once

#include <memory>
#include <string>

#include "platform/platform.h"

namespace kit {

// argv as main received it. On failure returns null and puts a message for
// the user into *error (naming the machine directory or variable at fault).
std::unique_ptr<Platform> OpenHostPlatform(int argc, char** argv, std::string* error);

}  // namespace kit
