// A machine for the platform contract tests and for any test that needs a
// whole Windows machine: natively a fresh emulated machine in a temporary
// host directory, on win32 the real (Wine) machine with a fresh scratch
// directory.
#pragma once

#include <memory>
#include <string>

#include "platform/platform.h"

namespace kit::testing {

class TestMachine {
 public:
  virtual ~TestMachine() = default;
  virtual Platform& platform() = 0;
  // A fresh, empty directory for this test, a Windows path without a
  // trailing backslash, on drive C:. Removed with the machine where the
  // backend can.
  virtual const std::string& Scratch() = 0;
  // A restart of Windows: pending file renames and WININIT.INI [rename] are
  // carried out as at the next start. platform() stays valid afterwards.
  virtual bool RestartWindows(std::string* error) = 0;
};

std::unique_ptr<TestMachine> NewTestMachine();

}  // namespace kit::testing
