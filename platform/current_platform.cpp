#include "platform/current_platform.h"

#include "base/exception.h"

namespace kit {

namespace {
Platform* g_platform = nullptr;
}

Platform& CurrentPlatform() {
  if (g_platform == nullptr) throw EInvalidOp("No platform is set for this process");
  return *g_platform;
}

bool HasCurrentPlatform() { return g_platform != nullptr; }

void SetCurrentPlatform(Platform* platform) { g_platform = platform; }

ScopedPlatform::ScopedPlatform(Platform& platform) : previous_(g_platform) {
  g_platform = &platform;
}

ScopedPlatform::~ScopedPlatform() { g_platform = previous_; }

}  // namespace kit
