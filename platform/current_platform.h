// The platform the whole process works on. The program's entry point (or a
// test) sets it once; the component tree, the system routines and the driver
// reach the machine only through CurrentPlatform().
#pragma once

#include "platform/platform.h"

namespace kit {

// The platform set last; raises a std::exception when none is set.
Platform& CurrentPlatform();
bool HasCurrentPlatform();
void SetCurrentPlatform(Platform* platform);
// Counts every change of the current platform, so that an object made for
// one platform can tell that it is no longer the current one (even when a
// new platform takes the address of a freed one).
unsigned long CurrentPlatformGeneration();

// Sets a platform for a scope and restores the previous one after it.
class ScopedPlatform {
 public:
  explicit ScopedPlatform(Platform& platform);
  ~ScopedPlatform();
  ScopedPlatform(const ScopedPlatform&) = delete;
  ScopedPlatform& operator=(const ScopedPlatform&) = delete;

 private:
  Platform* previous_;
};

}  // namespace kit
