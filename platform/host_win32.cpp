#include "platform/host.h"
#include "platform/win32/win32_platform.h"

namespace kit {

// The real machine needs nothing from the command line or the environment.
std::unique_ptr<Platform> OpenHostPlatform(int argc, char** argv, std::string* error) {
  return std::make_unique<Win32Platform>();
}

}  // namespace kit
