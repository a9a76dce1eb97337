#include "driver/platform_class.h"

#include "base/exception.h"
#include "platform/current_platform.h"

namespace kit {

int CurrentPlatformClass() {
  const int cls = PlatformClass(CurrentPlatform().System());
  if (cls < 0) throw Exception("Could not get information about the current version of Windows");
  return cls;
}

}  // namespace kit
