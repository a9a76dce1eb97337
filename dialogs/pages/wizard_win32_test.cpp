// The wizard on real windows (under Wine in the test runs), driven from a
// timer inside its modal loops the way a person clicks: a step waits for
// its window and a visible button, then presses it. Each page is kept as a
// screenshot in the build folder.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "dialogs/pages/open_folder_dialog.h"
#include "dialogs/pages/wizard_test_support.h"
#include "files/file_status_parameter.h"
#include "files/install_engine.h"
#include "files/install_file.h"
#include "model/disk_parameter.h"
#include "model/errors.h"
#include "model/parameter_list.h"
#include "platform/current_platform.h"
#include "platform/fault_platform.h"
#include "platform/testing/test_machine.h"
#include "ui/application.h"
#include "ui/testing/win32_driver.h"
#include "ui/win32_backend.h"

namespace kit {
namespace {

using testing::Tr;
using testing::Win32Driver;
using testing::WindowInfo;

// The window as it stands on the screen, as a .bmp file.
void Screenshot(HWND top, const std::string& name) {
  RECT r;
  GetWindowRect(top, &r);
  const int w = r.right - r.left, h = r.bottom - r.top;
  HDC screen = GetDC(nullptr);
  HDC mem = CreateCompatibleDC(screen);
  HBITMAP bmp = CreateCompatibleBitmap(screen, w, h);
  HGDIOBJ old = SelectObject(mem, bmp);
  BitBlt(mem, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
  SelectObject(mem, old);
  BITMAPINFOHEADER bi{};
  bi.biSize = sizeof bi;
  bi.biWidth = w;
  bi.biHeight = h;
  bi.biPlanes = 1;
  bi.biBitCount = 24;
  const int row = (w * 3 + 3) & ~3;
  std::vector<char> pixels(static_cast<size_t>(row) * h);
  GetDIBits(mem, bmp, 0, h, pixels.data(), reinterpret_cast<BITMAPINFO*>(&bi), DIB_RGB_COLORS);
  DeleteObject(bmp);
  DeleteDC(mem);
  ReleaseDC(nullptr, screen);
  CreateDirectoryA(KIT_SCREENSHOT_DIR, nullptr);
  const std::string path = std::string(KIT_SCREENSHOT_DIR) + "\\" + name + ".bmp";
  if (FILE* f = std::fopen(path.c_str(), "wb")) {
    BITMAPFILEHEADER fh{};
    fh.bfType = 0x4D42;
    fh.bfOffBits = sizeof fh + sizeof bi;
    fh.bfSize = fh.bfOffBits + static_cast<DWORD>(pixels.size());
    std::fwrite(&fh, sizeof fh, 1, f);
    std::fwrite(&bi, sizeof bi, 1, f);
    std::fwrite(pixels.data(), 1, pixels.size(), f);
    std::fclose(f);
  }
}

const WindowInfo* Visible(const std::vector<WindowInfo>& all, const std::string& text) {
  for (const WindowInfo& w : all) {
    std::string plain;
    for (size_t i = 0; i < w.text.size(); ++i) {
      if (w.text[i] == '&' && i + 1 < w.text.size()) ++i;
      plain += w.text[i];
    }
    if (w.visible && (w.text == text || plain == text)) return &w;
  }
  return nullptr;
}

// The person at the screen: steps run from a thread timer, which fires in
// whatever modal loop is running.
class Person {
 public:
  struct Step {
    std::string caption;  // the window to wait for
    std::string button;   // a visible control of it to wait for (with no caption:
                          // the window the system dialog must not be)
    std::function<void(HWND top)> check;
    bool press = true;
  };
  Person() {
    self_ = this;
    timer_ = SetTimer(nullptr, 0, 50, &Person::Tick);
  }
  ~Person() {
    KillTimer(nullptr, timer_);
    self_ = nullptr;
  }
  void Then(std::string caption, std::string button, std::function<void(HWND)> check = nullptr) {
    steps.push_back({std::move(caption), std::move(button), std::move(check)});
  }
  std::deque<Step> steps;
  std::vector<std::string> seen;
  bool gave_up = false;

 private:
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    if (self_ != nullptr) self_->Act();
  }
  void Act() {
    if (steps.empty()) return;
    if (++waited_ > 300) {  // 15 seconds without the window: end the loops
      gave_up = true;
      char caption[128] = {};
      HWND active = GetActiveWindow();
      GetWindowTextA(active, caption, sizeof caption);
      ADD_FAILURE() << "waited for \"" << steps.front().caption << "\" and \"" << steps.front().button
                    << "\"; the active window is \"" << caption << "\":\n"
                    << Win32Driver::Describe(Win32Driver::Controls(active));
      steps.clear();
      PostQuitMessage(3);
      return;
    }
    if (steps.front().caption.empty()) {  // a system dialog, in the user's language: cancel it
      HWND active = GetActiveWindow();
      char caption[128] = {};
      GetWindowTextA(active, caption, sizeof caption);
      if (active == nullptr || steps.front().button == caption) return;
      steps.pop_front();
      waited_ = 0;
      PostMessageA(active, WM_COMMAND, IDCANCEL, 0);
      return;
    }
    HWND top = Win32Driver::FindWindowByCaption(steps.front().caption, 0);
    if (top == nullptr) return;
    const std::vector<WindowInfo> controls = Win32Driver::Controls(top);
    const WindowInfo* b = Visible(controls, steps.front().button);
    if (b == nullptr || !b->enabled) return;
    const HWND button = b->hwnd;
    Step step = std::move(steps.front());
    steps.pop_front();
    waited_ = 0;
    seen.push_back(step.caption);
    if (step.check) step.check(top);
    PostMessageA(button, BM_CLICK, 0, 0);
  }
  static Person* self_;
  UINT_PTR timer_ = 0;
  int waited_ = 0;
};
Person* Person::self_ = nullptr;

class WizardWin32Test : public ::testing::Test {
 protected:
  WizardWin32Test() : machine_(testing::NewTestMachine()), faults_(machine_->platform()), scope_(faults_) {
    Application().Initialize(std::make_unique<Win32Backend>());
  }
  ~WizardWin32Test() override {
    ResetInstallEngine();
    Application().DestroyComponents();
  }

  std::unique_ptr<testing::TestMachine> machine_;
  FaultPlatform faults_;
  ScopedPlatform scope_;
  testing::WizardSetup setup_;
};

TEST_F(WizardWin32Test, WelcomeLicenceCopyingAndGoodInstallThroughRealWindows) {
  const std::string next = Tr("İleri"), licence = "Software license agreement";
  std::vector<std::string> backs;
  auto back_shown = [&](HWND top) {
    const auto all = Win32Driver::Controls(top);
    backs.push_back(Visible(all, "Geri") ? "back" : "no back");
  };
  Person person;
  person.Then("Tavrix for Windows", next, [&](HWND top) {
    back_shown(top);
    Screenshot(top, "welcome");
    char focused[64] = {};
    GetWindowTextA(GetFocus(), focused, sizeof focused);
    EXPECT_EQ(focused, next);
  });
  person.Then(licence, "Geri", [&](HWND top) {
    back_shown(top);
    Screenshot(top, "licence");
  });
  person.Then("Tavrix for Windows", next);
  person.Then(licence, next);
  setup_.Raise("eccBeginningDialogManager");
  EXPECT_FALSE(person.gave_up);
  EXPECT_EQ(backs, (std::vector<std::string>{"no back", "back"}));

  // The progress window follows the reports.
  const std::string copying = Tr("Tavrix Yükleme İşlemi Devam Ediyor");
  std::vector<int> positions;
  for (int i = 1; i <= 3; ++i) {
    TFileStatusParameter status;
    status.FileName = "TAVRIX" + std::to_string(i) + ".DLL";
    status.FilePercentDone = 50;
    status.TotalPercentDone = i * 30;
    setup_.Raise("CopyingFile", &status);
    Application().ProcessMessages();
    HWND top = Win32Driver::FindWindowByCaption(copying, 2000);
    ASSERT_NE(top, nullptr);
    const auto all = Win32Driver::Controls(top);
    EXPECT_NE(Visible(all, status.FileName), nullptr);
    for (const WindowInfo& w : all)
      if (w.position >= 0 && w.position != 50) positions.push_back(w.position);
    if (i == 2) Screenshot(top, "copying");
  }
  EXPECT_EQ(positions, (std::vector<int>{30, 60, 90}));
  setup_.Raise("DoneCopyingFiles");
  EXPECT_TRUE(Win32Driver::WaitGone(copying, 2000));

  person.Then(Tr("Install Tamamlandı"), "Devam", [&](HWND top) {
    const auto all = Win32Driver::Controls(top);
    EXPECT_EQ(Visible(all, "Next >"), nullptr);
    EXPECT_EQ(Visible(all, "Geri"), nullptr);
    Screenshot(top, "good_install");
  });
  setup_.Raise("eccGoodInstallDialogManager");
  EXPECT_FALSE(person.gave_up);
  EXPECT_EQ(faults_.Calls("Procs.RunAndWait"), 1);
}

TEST_F(WizardWin32Test, CancelOnAPageEndsTheWizardOnlyWhenTheDriverSaysYes) {
  Person person;
  setup_.driver.abort_answer = false;
  person.Then("Tavrix for Windows", Tr("Vazgeç"));
  person.Then("Tavrix for Windows", Tr("Vazgeç"), [&](HWND) { setup_.driver.abort_answer = true; });
  EXPECT_THROW(setup_.Raise("eccBeginningDialogManager"), EAIUserAbort);
  EXPECT_FALSE(person.gave_up);
  EXPECT_EQ(setup_.driver.abort_questions, 2);
}

TEST_F(WizardWin32Test, ChangeDiskPromptWithBrowseAndWithCancel) {
  TInstallFile file(nullptr);
  TDiskParameter disk(2, "A:");
  TParameterList list{&file, &disk};
  TOpenFolderDialog::SetScript([] { return std::optional<std::string>("C:\\DISK2"); });
  Person person;
  const std::string prompt = Tr("Lütfen 2 Numaralı Disketi Takın!");
  person.Then("Tavrix for Windows", Tr("Gözat..."), [&](HWND top) {
    EXPECT_NE(Visible(Win32Driver::Controls(top), prompt), nullptr);
    EXPECT_NE(Visible(Win32Driver::Controls(top), "A:"), nullptr);
    Screenshot(top, "change_disk");
  });
  person.Then("Tavrix for Windows", "Devam", [&](HWND top) {
    EXPECT_NE(Visible(Win32Driver::Controls(top), "C:\\DISK2"), nullptr);
  });
  setup_.Raise("ChangeDisk", &list);
  EXPECT_FALSE(person.gave_up);
  EXPECT_EQ(disk.Path(), "C:\\DISK2");
  EXPECT_EQ(file.Tag(), 1);

  // The shell's own browser, cancelled, then the prompt cancelled.
  TOpenFolderDialog::SetScript(nullptr);
  person.Then("Tavrix for Windows", Tr("Gözat..."));
  person.Then("", "Tavrix for Windows");  // the shell's browser, whatever its caption
  person.Then("Tavrix for Windows", Tr("Vazgeç"), [&](HWND top) {
    EXPECT_NE(Visible(Win32Driver::Controls(top), "C:\\DISK2"), nullptr);
  });
  EXPECT_THROW(setup_.Raise("ChangeDisk", &list), EAIUserAbort);
  EXPECT_FALSE(person.gave_up);
  EXPECT_EQ(disk.Path(), "C:\\DISK2");
}

TEST_F(WizardWin32Test, BadInstallPageEndsWithBitir) {
  Person person;
  person.Then(Tr("Install Tamamlanamadı"), "Bitir", [&](HWND top) {
    EXPECT_NE(Visible(Win32Driver::Controls(top), Tr("Tavrix Yükleme İşlemi Tamamlanamadı!")), nullptr);
    Screenshot(top, "bad_install");
  });
  setup_.Raise("eccBadInstallDialogManager");
  EXPECT_FALSE(person.gave_up);
  EXPECT_TRUE(person.steps.empty());
}

}  // namespace
}  // namespace kit
