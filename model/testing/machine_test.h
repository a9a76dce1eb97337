// A test on a whole machine: a fresh test machine (emulated natively, the
// Wine prefix on win32) made the current platform, its Windows and system
// directories read as the program's start reads them, and a form that owns
// the components of the test.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "base/component.h"
#include "base/exception.h"
#include "model/system_folders.h"
#include "platform/current_platform.h"
#include "platform/fault_platform.h"
#include "platform/testing/test_machine.h"

namespace kit::testing {

// The message of the Exception that f raises, or "no error".
template <class F>
std::string FailureOf(F f) {
  try {
    f();
  } catch (const Exception& e) {
    return e.Message();
  }
  return "no error";
}

class MachineTest : public ::testing::Test {
 protected:
  void SetUp() override {
    machine_ = NewTestMachine();
    scope_ = std::make_unique<ScopedPlatform>(machine_->platform());
    ReadSystemDirectories();
  }
  void TearDown() override {
    scope_.reset();
    fault_.reset();
  }
  Platform& platform() { return machine_->platform(); }
  // From here on everything works through a fault wrapper of the machine.
  FaultPlatform& Faults() {
    scope_.reset();
    fault_ = std::make_unique<FaultPlatform>(machine_->platform());
    scope_ = std::make_unique<ScopedPlatform>(*fault_);
    return *fault_;
  }

  std::unique_ptr<TestMachine> machine_;
  std::unique_ptr<FaultPlatform> fault_;
  std::unique_ptr<ScopedPlatform> scope_;
  TComponent form_{nullptr};
};

}  // namespace kit::testing
