#include <filesystem>
#include <cctype>
// NewTestMachine for the native target: a fresh emulated machine in a
// temporary host directory, removed with the machine. KIT_TEST_VERSION
// ("95", "nt4", ...) chooses its Windows version; the default is XP.
#include <stdlib.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <filesystem>
#include <stdexcept>

#include "platform/emulated/emulated_machine.h"
#include "platform/testing/test_machine.h"

// The running test program's name as an upper-case .EXE, so the machine's
// ExePath names the program as Windows would.
static std::string ProgramName() {
  std::error_code ec;
  std::string name = std::filesystem::read_symlink("/proc/self/exe", ec).filename().string();
  if (name.empty()) name = "KITTEST";
  for (char& c : name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return name + ".EXE";
}

namespace kit::testing {

namespace {

class EmulatedTestMachine : public TestMachine {
 public:
  EmulatedTestMachine() {
    const char* tmp = std::getenv("TMPDIR");
    std::string templ = std::string(tmp && *tmp ? tmp : "/tmp") + "/kitmachine-XXXXXX";
    if (!::mkdtemp(templ.data())) throw std::runtime_error("cannot create a temporary directory");
    host_dir_ = templ;
    MachineSettings settings = MachineSettings::Default();
    if (const char* v = std::getenv("KIT_TEST_VERSION"); v && *v) {
      if (!MachineSettings::ForVersion(v, &settings))
        throw std::runtime_error(std::string("KIT_TEST_VERSION=") + v + " is no known version");
    }
    std::string error;
    machine_ = EmulatedMachine::Create(host_dir_ + "/machine", settings, &error);
    if (!machine_) throw std::runtime_error(error);
    machine_->SetProcess("C:\\KITTEST\\" + ProgramName(), {});
    static std::atomic<int> counter{0};
    scratch_ = "C:\\KITTEST\\" + std::to_string(++counter);
    if (!machine_->Files().MakeDirectories(scratch_))
      throw std::runtime_error("cannot create " + scratch_);
  }
  ~EmulatedTestMachine() override {
    machine_.reset();
    std::error_code ec;
    std::filesystem::remove_all(host_dir_, ec);
  }
  Platform& platform() override { return *machine_; }
  const std::string& Scratch() override { return scratch_; }
  bool RestartWindows(std::string* error) override { return machine_->Restart(error); }

 private:
  std::string host_dir_;
  std::string scratch_;
  std::unique_ptr<EmulatedMachine> machine_;
};

}  // namespace

std::unique_ptr<TestMachine> NewTestMachine() { return std::make_unique<EmulatedTestMachine>(); }

}  // namespace kit::testing
