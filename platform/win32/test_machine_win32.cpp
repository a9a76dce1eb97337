// The test machine on win32: the real machine (under Wine in the test runs),
// with a fresh scratch directory below C:\kittest per machine, and Wine's
// simulated restart.
#include "platform/win32/win32_util.h"

#include <atomic>

#include "platform/testing/test_machine.h"
#include "platform/win32/win32_platform.h"

namespace kit::testing {
namespace {

class Win32TestMachine : public TestMachine {
 public:
  Win32TestMachine() {
    static std::atomic<int> serial{0};
    FileSystem& fs = platform_.Files();
    fs.MakeDirectories("C:\\kittest");
    // Unique across processes (pid) and across machines of one process.
    for (int attempt = 0; attempt < 1000; ++attempt) {
      std::string dir = "C:\\kittest\\T" + std::to_string(GetCurrentProcessId()) + "_" +
                        std::to_string(serial++);
      if (fs.MakeDirectory(dir)) {
        scratch_ = dir;
        break;
      }
    }
  }

  ~Win32TestMachine() override {
    if (!scratch_.empty()) RemoveAll(scratch_);
  }

  Platform& platform() override { return platform_; }
  const std::string& Scratch() override { return scratch_; }

  // `wineboot -r` does what a start of Windows does: first the [rename]
  // section of WININIT.INI (the file becomes WININIT.BAK), then
  // PendingFileRenameOperations (the value is removed afterwards, also when
  // an entry could not be carried out), then RunOnce. Started with
  // CreateProcess from inside the Wine process it works as from the shell,
  // and it leaves running programs (this test) alone.
  bool RestartWindows(std::string* error) override {
    std::string system;
    if (!platform_.System().SystemDirectory(&system)) {
      *error = "cannot read the system directory";
      return false;
    }
    std::string wineboot = system + "\\wineboot.exe";
    if (!platform_.Files().Exists(wineboot)) {
      *error = "no simulated restart on this machine (" + wineboot + " is missing)";
      return false;
    }
    uint32_t code = 0;
    if (!platform_.Procs().RunAndWait("\"" + wineboot + "\" -r", nullptr, &code)) {
      *error = "cannot start " + wineboot + ": " + platform_.ErrorText(platform_.LastError());
      return false;
    }
    if (code != 0) {
      *error = wineboot + " -r ended with exit code " + std::to_string(code);
      return false;
    }
    return true;
  }

 private:
  void RemoveAll(const std::string& dir) {
    FileSystem& fs = platform_.Files();
    std::vector<FileEntry> entries;
    if (fs.List(dir, "*", &entries)) {
      for (const auto& e : entries) {
        std::string path = dir + "\\" + e.name;
        if (e.IsDirectory()) {
          RemoveAll(path);
        } else {
          if (e.attributes & attr::kReadOnly) fs.SetAttributes(path, attr::kNormal);
          fs.RemoveFile(path);
        }
      }
    }
    fs.RemoveDir(dir);
  }

  Win32Platform platform_;
  std::string scratch_;
};

}  // namespace

std::unique_ptr<TestMachine> NewTestMachine() { return std::make_unique<Win32TestMachine>(); }

}  // namespace kit::testing
