#include "platform/current_platform.h"

#include <exception>

namespace kit {

namespace {
// Raised when no platform is set: a fault of the program, not of its input.
class NoPlatform : public std::exception {
 public:
  const char* what() const noexcept override { return "No platform is set for this process"; }
};

Platform* g_platform = nullptr;
unsigned long g_generation = 0;
}

Platform& CurrentPlatform() {
  if (g_platform == nullptr) throw NoPlatform();
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
