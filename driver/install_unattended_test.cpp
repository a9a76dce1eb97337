// An unattended run: the same sequence as an attended one, with no box
// shown, no cancel asked and no restart made, and its outcome as exit code.
#include "base/setup_log.h"
#include "base/unattended.h"
#include "driver/install.h"
#include "driver/testing/driver_fixture.h"

namespace kit {
namespace {

using testing::DriverTest;
using testing::TTestFile;
using testing::TTestGroup;

class UnattendedRunTest : public DriverTest {
 protected:
  UnattendedRunTest() {
    Unattended::Reset();
    Unattended::SetMode(UnattendedMode::kVerySilent);
    std::string error;
    log_ = platform_.Scratch() + "\\unattended.log";
    platform_.Files().RemoveFile(log_);
    EXPECT_TRUE(SetupLog::Open(platform_.Files(), log_, &error)) << error;
  }
  ~UnattendedRunTest() override {
    SetupLog::Close();
    Unattended::Reset();
  }
  void MakeTree(const std::function<void()>& work) {
    UseRecordingLinks();
    Make([&](TInstall& i, TForm& f) {
      auto* group = new TTestGroup(&f, "G1", &record_);
      group->SetContainer(&i);
      auto* file = new TTestFile(&f, "F1", &record_);
      file->SetContainer(group);
      file->work = work;
    });
  }
  std::string Log() {
    auto f = platform_.Files().Open(log_, FileAccess::kRead, share::kAll, Disposition::kOpenExisting);
    std::string s(f ? static_cast<size_t>(f->Size()) : 0, '\0');
    uint32_t n = 0;
    if (f) f->Read(s.data(), static_cast<uint32_t>(s.size()), &n);
    return s;
  }
  bool Logged(const std::string& text) { return Log().find(text) != std::string::npos; }
  // "Mode|Log" of the key kept for the run after the restart, or "none".
  std::string RestartKept() {
    auto key = platform_.Reg().Open(RegRoot::kLocalMachine, "\\SOFTWARE\\KOBBELINUNATTENDED", RegAccess::kRead, false);
    if (!key) return "none";
    RegValue mode, log;
    key->Query("Mode", &mode);
    key->Query("Log", &log);
    return mode.AsString().value_or("?") + "|" + log.AsString().value_or("?");
  }
  std::string log_;
};

TEST_F(UnattendedRunTest, AGoodRunEndsWithZeroAndShowsNothing) {
  MakeTree(nullptr);
  install_->RunUnshown();
  EXPECT_EQ(Events().back(), "OnBeforeTerminateApp True");
  EXPECT_TRUE(Application().Terminated());
  EXPECT_EQ(form_->WindowState(), wsNormal);  // never shown, never maximised
  EXPECT_TRUE(Boxes().empty());
  EXPECT_EQ(Unattended::ExitCode(), 0);
  EXPECT_TRUE(Logged(" install   Installation of Tavrix for Windows from C:\\Source\r\n")) << Log();
  EXPECT_TRUE(Logged(" outcome   0 installation complete\r\n")) << Log();
}

TEST_F(UnattendedRunTest, AFailureEndsTheProgramWith1603AndItsMessageInTheLog) {
  MakeTree([] { throw Exception("Disk is full"); });
  install_->RunUnshown();
  EXPECT_EQ(Events().back(), "Dlg hears eccBadInstallDialogManager");
  EXPECT_TRUE(Boxes().empty());  // the box took its default answer unseen
  EXPECT_TRUE(Application().Terminated());  // an attended run stays for its user
  EXPECT_EQ(Unattended::ExitCode(), 1603);
  EXPECT_TRUE(Logged(" outcome   1603 installation failed: Disk is full\r\n")) << Log();
  EXPECT_TRUE(Logged(" message   [install] Disk is full. -> OK (default)\r\n")) << Log();
}

TEST_F(UnattendedRunTest, ARestartIsLeftToTheCallerWith3010) {
  platform_.SetPlatformClass(2);
  MakeTree([this] {
    SetRebootNeeded(true);
    install_->AddUnfinishedEntry("F1", unfinished::kComponent);
  });
  install_->RunUnshown();
  const auto events = Events();
  EXPECT_EQ(events.back(), "Dlg hears ShutDownDialog");  // OnRebootWindows not asked
  EXPECT_TRUE(platform_.restart_calls.empty());
  EXPECT_TRUE(Application().Terminated());
  EXPECT_EQ(Unattended::ExitCode(), 3010);
  EXPECT_EQ(UnfinishedValues().size(), 2u);  // the *ABOOT link still finishes it
  EXPECT_TRUE(Logged(" outcome   3010 restart needed\r\n")) << Log();
  // The run after the restart has no environment: the mode and log are kept
  // for it, and that run removes them with the list.
  EXPECT_EQ(RestartKept(), "verysilent|" + log_);
  const UnattendedOptions kept = Unattended::ReadRestart(platform_.Reg());
  EXPECT_EQ(kept.mode, UnattendedMode::kVerySilent);
  EXPECT_EQ(kept.log_file, log_);
  install_->FinishAfterReboot();
  EXPECT_EQ(RestartKept(), "none");
  EXPECT_TRUE(UnfinishedValues().empty());
}

TEST_F(UnattendedRunTest, AnAttendedRestartKeepsNoModeAndDropsAStaleOne) {
  platform_.Reg().Open(RegRoot::kLocalMachine, "\\SOFTWARE\\KOBBELINUNATTENDED", RegAccess::kAll, true)
      ->Set("Mode", RegValue::String("silent"));
  Unattended::SetMode(UnattendedMode::kOff);
  MakeTree([this] {
    SetRebootNeeded(true);
    install_->AddUnfinishedEntry("F1", unfinished::kComponent);
  });
  install_->RunUnshown();
  EXPECT_EQ(RestartKept(), "none");
  EXPECT_EQ(Unattended::ReadRestart(platform_.Reg()).mode, UnattendedMode::kOff);
}

TEST_F(UnattendedRunTest, OnUserAbortIsNeverAsked) {
  Make();
  EXPECT_FALSE(install_->QueryUserAbort());
  EXPECT_TRUE(record_.empty());
  Unattended::SetMode(UnattendedMode::kOff);
  EXPECT_TRUE(install_->QueryUserAbort());
  EXPECT_EQ(record_, std::vector<std::string>{"OnUserAbort True"});
}

TEST_F(UnattendedRunTest, AnAttendedRunStillAsksAndTheLogOnlyRecords) {
  Unattended::SetMode(UnattendedMode::kOff);
  MakeTree([] { throw Exception("Disk is full"); });
  Application().Run();
  EXPECT_EQ(Boxes(), std::vector<std::string>{"Disk is full."});
  EXPECT_EQ(form_->WindowState(), wsMaximized);
  EXPECT_TRUE(Logged(" message   [install] Disk is full. -> OK\r\n")) << Log();
}

}  // namespace
}  // namespace kit
