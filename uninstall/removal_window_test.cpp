#include "uninstall/removal_window.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/current_platform.h"
#include "platform/testing/test_machine.h"
#include "ui/controls/button.h"
#include "ui/controls/check_box.h"
#include "ui/controls/progress_bar.h"
#include "ui/message_box.h"
#include "ui/testing/headless_app.h"

namespace kit {
namespace {

const std::string kLog =
    "\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Tavrix for Windows";
const std::string kShared = "\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\SharedDLLs";
const char* const kBoxes[] = {"AliasesCB", "ActiveXCB", "FilesCB", "INIFilesCB", "BDECB", "RegistryCB"};

HeadlessPeer& PeerOf(TControl& c) { return dynamic_cast<HeadlessPeer&>(*c.PeerIfMade()); }

// The window as the person watching sees it at each tick and bar move.
class WatchedWindow : public RemovalWindow {
 public:
  using RemovalWindow::RemovalWindow;
  void CheckStep(RemovalStep step) override {
    RemovalWindow::CheckStep(step);
    std::string ticks;
    for (const char* name : kBoxes) ticks += PeerOf(*Form().FindControl(name)).Look().state == 1 ? '1' : '0';
    checklist.push_back(ticks);
  }
  void SetProgress(int percent) override {
    RemovalWindow::SetProgress(percent);
    bar.push_back(PeerOf(*Form().FindControl("ProgressBar1")).Look().position);
  }
  std::vector<std::string> checklist;
  std::vector<int> bar;
};

// A removal that fails once the files are done.
class FailingWindow : public RemovalWindow {
 public:
  using RemovalWindow::RemovalWindow;
  void CheckStep(RemovalStep step) override {
    if (step == RemovalStep::kIniFiles) throw EUninstallError("Unable to write to C:\\WINDOWS\\TAVRIX.INI");
    RemovalWindow::CheckStep(step);
  }
};

class RemovalWindowTest : public ::testing::Test {
 protected:
  RemovalWindowTest() : machine_(testing::NewTestMachine()), scope_(machine_->platform()) {}
  ~RemovalWindowTest() override {
    p().Reg().DeleteKeyTree(RegRoot::kLocalMachine, kLog);
    p().Reg().DeleteKeyTree(RegRoot::kLocalMachine, kShared);
  }
  Platform& p() { return machine_->platform(); }
  std::string File(const std::string& name) {
    std::string path = machine_->Scratch() + "\\" + name;
    auto f = p().Files().Open(path, FileAccess::kWrite, share::kNone, Disposition::kCreateAlways);
    uint32_t written = 0;
    if (f) f->Write("x", 1, &written);
    return path;
  }
  void Log(const std::string& section, const std::string& name, const RegValue& v) {
    auto k = p().Reg().Open(RegRoot::kLocalMachine, section, RegAccess::kAll, true);
    ASSERT_TRUE(k && k->Set(name, v)) << section << " " << name;
  }

  testing::HeadlessApp app_;
  std::unique_ptr<testing::TestMachine> machine_;
  ScopedPlatform scope_;
};

TEST_F(RemovalWindowTest, StoredWindowHasItsLayoutCaptionsAndTabOrder) {
  RemovalWindow window(p());
  TForm& form = window.Form();
  EXPECT_EQ(form.Caption(), "Uninstall program");
  EXPECT_EQ(form.ClientWidth(), 469);
  EXPECT_EQ(form.ClientHeight(), 328);
  EXPECT_EQ(form.Position(), poScreenCenter);
  EXPECT_EQ(form.Font().Name(), "Arial");
  EXPECT_EQ(form.Font().Height(), -11);

  struct Expected {
    const char* name;
    std::vector<int> bounds;
    std::string caption;
  };
  const Expected controls[] = {
      {"ThemeBitmap", {8, 8, 121, 265}, ""},
      {"Label1", {136, 8, 322, 28}, "To remove the software from your computer, click the &Start button below."},
      {"AliasesCB", {144, 72, 97, 17}, "Aliases"},
      {"ActiveXCB", {144, 102, 145, 17}, "ActiveX/OCX components"},
      {"FilesCB", {144, 133, 97, 17}, "Files"},
      {"INIFilesCB", {144, 163, 97, 17}, "INI file entries"},
      {"RegistryCB", {144, 194, 97, 17}, "Registry entries"},
      {"BDECB", {144, 224, 97, 17}, "BDE"},
      {"ProgressBar1", {144, 248, 313, 16}, ""},
      {"Bevel1", {-3, 272, 473, 9}, ""},
      {"StartBtn", {248, 288, 105, 33}, "&Start"},
      {"CloseBtn", {368, 288, 89, 33}, "&Close"},
  };
  for (const Expected& e : controls) {
    TControl* c = form.FindControl(e.name);
    ASSERT_NE(c, nullptr) << e.name;
    EXPECT_EQ((std::vector<int>{c->Left(), c->Top(), c->Width(), c->Height()}), e.bounds) << e.name;
    EXPECT_EQ(c->Text(), e.caption) << e.name;
    EXPECT_EQ(c->Font().Name(), "Arial") << e.name;
  }
  // Checked and disabled as the checklist starts; the bar hidden.
  std::string states;
  for (const char* name : kBoxes) {
    auto* box = dynamic_cast<TCheckBox*>(form.FindControl(name));
    states += std::string(box->Checked() ? "x" : "-") + (box->Enabled() ? "e" : "d");
  }
  EXPECT_EQ(states, "-d-dxexe-dxe");
  EXPECT_FALSE(form.FindControl("ProgressBar1")->Visible());
  auto* bar = dynamic_cast<TProgressBar*>(form.FindControl("ProgressBar1"));
  EXPECT_EQ(bar->Max(), 100);

  std::vector<std::string> order;
  for (TControl* c : form.TabOrderList())
    if (c->Name() != "Panel1") order.push_back(c->Name());
  order.insert(order.begin() + 7, "ProgressBar1");  // no tab stop, but its place
  EXPECT_EQ(bar->TabOrder(), 7);
  EXPECT_EQ(order, (std::vector<std::string>{"CloseBtn", "AliasesCB", "FilesCB", "INIFilesCB", "RegistryCB",
                                             "StartBtn", "BDECB", "ProgressBar1", "ActiveXCB"}));
}

TEST_F(RemovalWindowTest, WithoutArgumentsStartStaysDisabledUnderTheFirstCaption) {
  RemovalWindow window(p());
  window.FormCreate({});
  EXPECT_FALSE(window.Form().FindControl("StartBtn")->Enabled());
  EXPECT_EQ(window.Form().Caption(), "Uninstall program");
  ASSERT_EQ(app_.backend().MessageBoxes().size(), 1u);
  EXPECT_EQ(app_.backend().MessageBoxes()[0].text,
            "Please remove this software from the Add/Remove Programs from the Control Panel");
  EXPECT_EQ(app_.backend().MessageBoxes()[0].flags & mb::kIconMask, mb::kIconStop);
}

TEST_F(RemovalWindowTest, StartRemovesTickingTheChecklistInOrderAndMovingTheBar) {
  const std::string a = File("a.txt"), b = File("b.txt"), c = File("c.txt"), server = File("srv.ocx");
  Log(kLog + "\\Files", "File1", RegValue::String(a));
  Log(kLog + "\\Files", "File2", RegValue::String(b));
  Log(kLog + "\\Files", "File3", RegValue::String(c));
  Log(kLog + "\\ActiveX", "Ocx1", RegValue::String(server + ";0"));
  Log(kShared, server, RegValue::Dword(2));  // still used elsewhere: kept

  WatchedWindow window(p());
  window.Engine().SetSelfPath(File("uninstall.exe"));
  window.FormCreate({"Tavrix", "for", "Windows"});
  EXPECT_EQ(window.Form().Caption(), "Remove Tavrix for Windows");
  for (const char* name : kBoxes) dynamic_cast<TCheckBox*>(window.Form().FindControl(name))->SetChecked(false);

  bool start_disabled_while_removing = false;
  app_.backend().on_message_box = [&](const ShownMessageBox&) {
    start_disabled_while_removing = !window.Form().FindControl("StartBtn")->Enabled();
    return id::kOk;
  };
  app_.backend().on_modal = [&](TForm& f) { PeerOf(*f.FindControl("Start")).Press(); };
  window.ShowModal();

  EXPECT_EQ(window.CurrentState(), RemovalWindow::State::kEnded);
  EXPECT_TRUE(start_disabled_while_removing);
  EXPECT_EQ(window.checklist,
            (std::vector<std::string>{"100000", "110000", "111000", "111100", "111110", "111111"}));
  // ActiveX: shown at 0, one entry; files: shown at 0, then three entries.
  EXPECT_EQ(window.bar, (std::vector<int>{0, 0, 0, 0, 50, 100}));
  EXPECT_FALSE(PeerOf(*window.Form().FindControl("ProgressBar1")).Visible());
  EXPECT_EQ(dynamic_cast<HeadlessPeer&>(window.Form().Peer()).RepaintCount(), 6);
  EXPECT_FALSE(p().Files().Exists(a) || p().Files().Exists(b) || p().Files().Exists(c));
  EXPECT_TRUE(p().Files().Exists(server));
  ASSERT_EQ(app_.backend().MessageBoxes().size(), 1u);
  EXPECT_EQ(app_.backend().MessageBoxes()[0].text, "Tavrix for Windows has finished removing itself");
  EXPECT_EQ(app_.backend().MessageBoxes()[0].caption, "Remove Tavrix for Windows");
}

TEST_F(RemovalWindowTest, AFailureStopsTheRemovalAndLeavesStartDisabledAndTheLogKey) {
  Log(kLog, "DisplayName", RegValue::String("Tavrix for Windows"));
  FailingWindow window(p());
  window.FormCreate({"Tavrix", "for", "Windows"});
  window.StartBtnClick();
  EXPECT_EQ(window.CurrentState(), RemovalWindow::State::kFailed);
  EXPECT_FALSE(window.Form().FindControl("StartBtn")->Enabled());
  EXPECT_EQ(window.Form().ModalResult(), mr::kNone);  // the window stays open
  window.StartBtnClick();  // no second run from the same window
  ASSERT_EQ(app_.backend().MessageBoxes().size(), 1u);
  EXPECT_EQ(app_.backend().MessageBoxes()[0].text, "Unable to write to C:\\WINDOWS\\TAVRIX.INI");
  EXPECT_EQ(app_.backend().MessageBoxes()[0].flags & mb::kIconMask, mb::kIconStop);
  EXPECT_TRUE(p().Reg().Open(RegRoot::kLocalMachine, kLog, RegAccess::kRead, false));
}

}  // namespace
}  // namespace kit
