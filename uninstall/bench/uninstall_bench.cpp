// Removal time against the number of installed files: products of 1,000 and
// 10,000 logged files (no shared counters, so no questions), each removed
// from a fresh emulated machine. Prints both times and their ratio.
#include <chrono>
#include <cstdio>
#include <string>

#include "platform/current_platform.h"
#include "platform/testing/test_machine.h"
#include "uninstall/uninstaller.h"

namespace {

class SilentView : public kit::RemovalView {
 public:
  void EnableStart(bool) override {}
  void ShowProgress(bool) override {}
  void SetProgress(int) override {}
  void CheckStep(kit::RemovalStep) override {}
  void Refresh() override {}
  bool Confirm(const std::string&) override { return true; }
  void Message(const std::string&) override {}
};

double RemoveProduct(int files) {
  auto machine = kit::testing::NewTestMachine();
  kit::Platform& p = machine->platform();
  kit::ScopedPlatform scope(p);
  const std::string log =
      "\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Bench Product";
  auto section = p.Reg().Open(kit::RegRoot::kLocalMachine, log + "\\Files", kit::RegAccess::kAll,
                              true);
  for (int i = 0; i < files; ++i) {
    std::string dir = machine->Scratch() + "\\D" + std::to_string(i / 100);
    if (i % 100 == 0) p.Files().MakeDirectories(dir);
    std::string path = dir + "\\F" + std::to_string(i) + ".DAT";
    p.Files().Open(path, kit::FileAccess::kWrite, kit::share::kNone,
                   kit::Disposition::kCreateAlways);
    section->Set("File" + std::to_string(i + 1), kit::RegValue::String(path));
  }
  section->Set("Entries", kit::RegValue::String(std::to_string(files)));
  section.reset();
  SilentView view;
  kit::Uninstaller uninstaller(p, view);
  uninstaller.Start({"Bench", "Product"});
  auto start = std::chrono::steady_clock::now();
  uninstaller.Remove();
  auto end = std::chrono::steady_clock::now();
  return std::chrono::duration<double>(end - start).count();
}

}  // namespace

int main() {
  double small = RemoveProduct(1000);
  double large = RemoveProduct(10000);
  std::printf("1,000 files: %.3f s\n10,000 files: %.3f s\nratio: %.2f (target at most 12)\n",
              small, large, large / small);
  return large / small <= 12.0 ? 0 : 1;
}
