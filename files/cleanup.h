// The frame of every run and step over the files: the body, then its
// clean-up; the clean-up runs also when the body raises, and then an error of
// the clean-up's own never replaces the body's.
#pragma once

namespace kit {

template <class Body, class Cleanup>
void RunWithCleanup(Body&& body, Cleanup&& cleanup) {
  try {
    body();
  } catch (...) {
    try {
      cleanup();
    } catch (...) {
      // The body's error is the one that goes on.
    }
    throw;
  }
  cleanup();
}

}  // namespace kit
