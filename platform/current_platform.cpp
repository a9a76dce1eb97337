#include "platform/current_platform.h"

#include <stdexcept>

namespace kit {

namespace {
Platform* g_platform = nullptr;
unsigned long g_generation = 0;
}

Platform& CurrentPlatform() {
  if (g_platform == nullptr) throw std::logic_error("No platform is set for this process");
  return *g_platform;
}

bool HasCurrentPlatform() { return g_platform != nullptr; }

void SetCurrentPlatform(Platform* platform) {
  g_platform = platform;
  ++g_generation;
}

unsigned long CurrentPlatformGeneration() { return g_generation; }

ScopedPlatform::ScopedPlatform(Platform& platform) : previous_(g_platform) {
  SetCurrentPlatform(&platform);
}

ScopedPlatform::~ScopedPlatform() { SetCurrentPlatform(previous_); }

}  // namespace kit
