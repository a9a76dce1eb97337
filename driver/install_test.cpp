// The run sequence: the information events of each ending, Running, and the
// hooks that change what happens.
#include "driver/install.h"

#include "driver/testing/driver_fixture.h"
#include "model/errors.h"
#include "ui/data_module.h"
#include "ui/message_box.h"
#include "base/text.h"

namespace kit {
namespace {

using testing::DriverTest;
using testing::RunStart;
using testing::TTestFile;
using testing::TTestGroup;
using testing::operator+;

const std::string kLog = "\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Tavrix for Windows";

class RunTest : public DriverTest {
 protected:
  // A group with one file below the driver.
  void MakeTree(const std::function<void()>& file_work = nullptr) {
    Make([&](TInstall& i, TForm& f) {
      group_ = new TTestGroup(&f, "G1", &record_);
      group_->SetContainer(&i);
      file_ = new TTestFile(&f, "F1", &record_);
      file_->SetContainer(group_);
      file_->work = file_work;
      i.SetPresetupFiles({"setup.1", "  ", "C:\\Elsewhere\\readme.txt"});
    });
    Touch(Dir() + "\\setup.1");
    Touch(Dir() + "\\readme.txt");
  }
  std::vector<std::string> TreeWork() {
    return {"work G1", "work F1", "log F1 " + kLog, "log G1 " + kLog, "Dlg hears DoneCopyingFiles"};
  }
  TTestGroup* group_ = nullptr;
  TTestFile* file_ = nullptr;
};

TEST_F(RunTest, AGoodRunRaisesEveryEventInOrderAndEnds) {
  MakeTree();
  EXPECT_FALSE(install_->Running());
  Application().Run();
  EXPECT_EQ(Events(), (RunStart() + TreeWork() +
                          std::vector<std::string>{"OnAfterProcess", "Dlg hears eccAfterProcess",
                                                   "OnShowGoodInstall", "Dlg hears GoodInstallation",
                                                   "Dlg hears eccGoodInstallDialogManager",
                                                   "OnCleanup True", "OnBeforeTerminateApp True"}));
  EXPECT_FALSE(install_->Running());
  EXPECT_TRUE(Application().Terminated());
  EXPECT_TRUE(Boxes().empty());
  EXPECT_EQ(install_->SourceDirectory(), "C:\\Source");
  // Clean-up deleted the presetup files from the installer's directory.
  EXPECT_FALSE(Exists(Dir() + "\\setup.1"));
  EXPECT_FALSE(Exists(Dir() + "\\readme.txt"));
  EXPECT_TRUE(Exists(platform_.exe_path));  // deleted only at the next start of Windows
  // The run-time state of the form: maximised, the cursor back.
  EXPECT_EQ(form_->WindowState(), wsMaximized);
  EXPECT_EQ(form_->Cursor(), crDefault);
}

TEST_F(RunTest, AFailedRunShowsTheBadInstallPagesAndTheMessageAndStays) {
  MakeTree([] { throw Exception("Disk is full"); });
  Application().Run();
  EXPECT_EQ(Events(), (RunStart() + std::vector<std::string>{"work G1", "work F1", "Dlg hears DoneCopyingFiles", "OnShowBadInstall",
                                                            "Dlg hears BadInstallation",
                                                            "Dlg hears eccBadInstallDialogManager"}));
  EXPECT_EQ(Boxes(), std::vector<std::string>{"Disk is full."});
  EXPECT_FALSE(install_->Running());
  // Nothing cleaned up; the program stayed until its user (absent here) closed it.
  EXPECT_TRUE(Exists(Dir() + "\\setup.1"));
  // A later exception outside a run is just shown.
  Application().HandleException(form_, Exception("Something else"));
  EXPECT_EQ(Boxes().back(), "Something else.");
}

TEST_F(RunTest, ACancelledRunEndsAsAbortedWithoutTheMessage) {
  Make([&](TInstall&, TForm&) {
    dialog_->on_event = [this](const std::string& name) {
      if (name == event::kBeginningDialogManager && install_->QueryUserAbort()) throw EAIUserAbort();
    };
  });
  Touch(Dir() + "\\setup.1");
  install_->SetPresetupFiles({"setup.1"});
  Application().Run();
  auto expected = RunStart();
  expected.resize(11);  // up to eccBeginningDialogManager
  EXPECT_EQ(Events(), (expected + std::vector<std::string>{"OnUserAbort True", "OnShowBadInstall",
                                                          "Dlg hears BadInstallation",
                                                          "Dlg hears eccBadInstallDialogManager",
                                                          "OnCleanup True", "OnBeforeTerminateApp True"}));
  EXPECT_TRUE(Boxes().empty());
  EXPECT_FALSE(install_->Running());
  EXPECT_TRUE(Application().Terminated());
  EXPECT_FALSE(Exists(Dir() + "\\setup.1"));
}

TEST_F(RunTest, OnUserAbortDecidesWhetherACancelStands) {
  Make();
  EXPECT_TRUE(install_->QueryUserAbort());
  abort_answer_ = false;
  EXPECT_FALSE(install_->QueryUserAbort());
  install_->on_user_abort = nullptr;
  EXPECT_TRUE(install_->QueryUserAbort());
}

TEST_F(RunTest, AFailingCleanUpAfterACancelStillEndsTheProgram) {
  Make([&](TInstall& i, TForm&) {
    dialog_->on_event = [](const std::string& name) {
      if (name == event::kWelcomeDialog) throw EAIUserAbort();
    };
    i.on_cleanup = [](TInstall*, bool&) { throw Exception("clean-up broke"); };
  });
  Application().Run();
  EXPECT_TRUE(Application().Terminated());
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(RunTest, BadInstallPagesThatFailAreShownBeforeTheFailureItself) {
  MakeTree([] { throw Exception("Disk is full"); });
  dialog_->on_event = [](const std::string& name) {
    if (name == event::kBadInstallDialogManager) throw Exception("page broke");
    if (name == event::kBadInstallation) return;
  };
  Application().Run();
  EXPECT_EQ(Boxes(), (std::vector<std::string>{"page broke.", "Disk is full."}));
}

TEST_F(RunTest, AnAbortOfOneComponentIsQuietAndTheOthersGoOn) {
  MakeTree([] { Abort(); });
  auto* second = new TTestGroup(form_, "G2", &record_);
  second->SetContainer(install_);
  Application().Run();
  const auto events = Events();
  // F1 writes no log entry; its group and the next group go on.
  EXPECT_EQ(std::count(events.begin(), events.end(), "log F1 " + kLog), 0);
  EXPECT_EQ(std::count(events.begin(), events.end(), "work G2"), 1);
  EXPECT_EQ(events.back(), "OnBeforeTerminateApp True");
  EXPECT_FALSE(install_->Running());
}

TEST_F(RunTest, OnCleanupAndOnBeforeTerminateAppKeepFilesAndTheProgram) {
  MakeTree();
  cleanup_answer_ = false;
  terminate_answer_ = false;
  int idles = 0;
  backend().on_idle = [&] { return ++idles < 3; };  // the program stays in its loop
  Application().Run();
  EXPECT_TRUE(Exists(Dir() + "\\setup.1"));
  EXPECT_EQ(idles, 3);
  EXPECT_FALSE(install_->Running());
  EXPECT_EQ(Events().back(), "OnBeforeTerminateApp True");
}

TEST_F(RunTest, WithoutRunAutomaticTheHostStartsTheRunAndTheProgramStays) {
  Make([](TInstall& i, TForm&) { i.SetRunAutomatic(false); });
  Application().Run();  // the activation only maximises
  EXPECT_TRUE(record_.empty());
  EXPECT_EQ(form_->WindowState(), wsMaximized);
}

TEST_F(RunTest, ARunWithoutAFormFailsAfterTheFirstEvent) {
  Application().CreateForm([&](TComponent* owner) {
    auto* module = new TDataModule(owner);
    install_ = new TInstall(module);
    install_->SetRunAutomatic(false);
    Hook(*install_);
    install_->Loaded();
    return static_cast<TForm*>(nullptr);
  });
  EXPECT_EQ(install_->RunForm(), nullptr);
  try {
    install_->RunInstallation();
    FAIL();
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "The MainForm for this application is NIL. You must have a MainForm");
  }
  EXPECT_EQ(record_, (testing::Record{"OnBeforeReadArchiveInfo"}));
  EXPECT_TRUE(install_->Running());
}

TEST_F(RunTest, TheHourglassShowsWhileTheArchiveIsReadAndGoesAlsoOnFailure) {
  platform_.arguments = {"*SELFEXTRACT", "setup.exe", "C:\\Source"};
  std::vector<TCursor> seen;
  Seams().find_self_extract_offset = [&](TInstall& i) {
    seen.push_back(i.RunForm()->Cursor());
    throw Exception("no trailer");
  };
  Make([](TInstall&, TForm& f) { f.SetCursor(crHandPoint); });
  Application().Run();
  EXPECT_EQ(seen, std::vector<TCursor>{crHourGlass});
  EXPECT_EQ(form_->Cursor(), crHandPoint);
  EXPECT_EQ(Boxes(), std::vector<std::string>{"no trailer."});
}

// ---------------------------------------------------------------- reboot

class RebootRunTest : public RunTest {
 protected:
  void MakeRebootTree() {
    UseRecordingLinks();
    MakeTree([this] {
      SetRebootNeeded(true);
      install_->AddUnfinishedEntry("F1", unfinished::kComponent);
    });
  }
};

TEST_F(RebootRunTest, ARunThatNeedsARebootLinksTheRestartAndReboots) {
  platform_.SetPlatformClass(2);
  MakeRebootTree();
  Application().Run();
  EXPECT_EQ(Events(), (RunStart() + TreeWork() +
                std::vector<std::string>{
                    "OnAfterProcess", "Dlg hears eccAfterProcess",
                    "link KobbelinAddLink -> " + platform_.exe_path + " *ABOOT owned by Install1",
                    "link destination 15 ''", "link created", "Dlg hears ShutDownDialog",
                    "OnRebootWindows True"}));
  EXPECT_EQ(platform_.restart_calls, (std::vector<std::string>{"privilege", "exit 0x2"}));
  EXPECT_TRUE(Application().Terminated());
  EXPECT_TRUE(install_->Running());  // the run ends by the reboot
  EXPECT_EQ(install_->UnfinishedCount(), 2);
  auto values = UnfinishedValues();
  std::sort(values.begin(), values.end());
  EXPECT_EQ(values, (std::vector<std::pair<std::string, std::string>>{
                        {"C:\\Startup Folder\\INSTALL.LNK", "1"}, {"F1", "0"}}));
  // The installer stays for the restart link; the presetup files too.
  EXPECT_TRUE(Exists(Dir() + "\\setup.1"));
}

TEST_F(RebootRunTest, OnRebootWindowsCanCancelTheRebootButNotTheEnd) {
  platform_.SetPlatformClass(1);
  MakeRebootTree();
  reboot_answer_ = false;
  Application().Run();
  EXPECT_EQ(Events().back(), "OnRebootWindows True");
  EXPECT_TRUE(platform_.restart_calls.empty());
  EXPECT_FALSE(RebootNeeded());
  EXPECT_TRUE(Application().Terminated());
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(RebootRunTest, WithoutRebootNeededAnUnfinishedEntryStillLinksTheRestart) {
  platform_.SetPlatformClass(3);
  UseRecordingLinks();
  MakeTree([this] { install_->AddUnfinishedEntry("F1", unfinished::kComponent); });
  Application().Run();
  const auto events = Events();
  // On Windows NT 3.5x the link is a Program Manager item in "Startup".
  EXPECT_NE(std::find(events.begin(), events.end(), "link destination 12 'Startup'"), events.end());
  EXPECT_EQ(events.back(), "OnBeforeTerminateApp True");
  auto values = UnfinishedValues();
  std::sort(values.begin(), values.end());
  EXPECT_EQ(values, (std::vector<std::pair<std::string, std::string>>{{"F1", "0"}, {"INSTALL", "2"}}));
}

TEST_F(RebootRunTest, WithoutShellLinksTheRestartCannotBeLinkedAndTheRunFails) {
  MakeTree([this] { install_->AddUnfinishedEntry("F1", unfinished::kComponent); });
  Application().Run();
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_NE(Boxes()[0].find("shell links are not available in this build"), std::string::npos);
  EXPECT_EQ(Events().back(), "Dlg hears eccBadInstallDialogManager");
}

TEST_F(RebootRunTest, RebootWindowsFollowsThePlatformClass) {
  Make();
  struct Case {
    int cls;
    bool privilege, exit;
    std::vector<std::string> calls;
    bool message;
  };
  const std::vector<Case> cases = {
      {1, true, true, {"exit 0x2"}, false},
      {2, true, true, {"privilege", "exit 0x2"}, false},
      {2, false, true, {"privilege"}, true},
      {2, true, false, {"privilege", "exit 0x2"}, true},
      {1, true, false, {"exit 0x2"}, true},
      {0, true, true, {}, true},
      {3, true, true, {}, true},
      {4, true, true, {}, true},
  };
  for (const Case& c : cases) {
    platform_.SetPlatformClass(c.cls);
    platform_.restart_privilege_works = c.privilege;
    platform_.restart_works = c.exit;
    platform_.restart_calls.clear();
    const size_t boxes = Boxes().size();
    install_->RebootWindows();
    EXPECT_EQ(platform_.restart_calls, c.calls) << c.cls;
    EXPECT_EQ(Boxes().size(), boxes + (c.message ? 1 : 0)) << c.cls;
    if (c.message) {
      EXPECT_EQ(Boxes().back(), "Could not reboot windows. Please manually reboot windows.");
    }
  }
  platform_.SetPlatformClass(-1);
  try {
    install_->RebootWindows();
    FAIL();
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "Could not get information about the current version of Windows");
  }
}

TEST_F(RebootRunTest, TheInstallerSchedulesItsOwnDeletion) {
  Make();
  // Windows 95 family: "nul" in [Rename] of WININIT.INI, with the short path.
  platform_.SetPlatformClass(1);
  std::string windows;
  ASSERT_TRUE(platform_.System().WindowsDirectory(&windows));
  const std::string wininit = windows + "\\WININIT.INI";
  install_->ScheduleSelfDelete();
  std::string short_path;
  ASSERT_TRUE(platform_.Files().ShortPath(platform_.exe_path, &short_path));
  EXPECT_EQ(platform_.Ini().Read(wininit, "Rename", "nul", "-"), short_path);
  platform_.Ini().DeleteKey(wininit, "Rename", "nul");

  // Elsewhere a delayed MoveFileEx without a new name.
  platform_.SetPlatformClass(2);
  install_->ScheduleSelfDelete();
  auto key = platform_.Reg().Open(RegRoot::kLocalMachine, "SYSTEM\\CurrentControlSet\\Control\\Session Manager",
                                  RegAccess::kRead, false);
  ASSERT_TRUE(key);
  RegValue pending;
  ASSERT_TRUE(key->Query("PendingFileRenameOperations", &pending));
  const auto items = pending.AsMultiString();
  ASSERT_TRUE(items.has_value());
  bool found = false;
  for (size_t n = 0; n + 1 < items->size(); n += 2)
    if (UpperCase((*items)[n]).find(UpperCase(platform_.exe_path)) != std::string::npos &&
        (*items)[n + 1].empty())
      found = true;
  EXPECT_TRUE(found);
}

// ---------------------------------------------------------------- creation

TEST_F(DriverTest, OnlyOneDriverAndOnlyOnAFormOrDataModule) {
  Make();
  try {
    new TInstall(form_);
    FAIL();
  } catch (const EAITwoInstallComponents& e) {
    EXPECT_EQ(e.Message(),
              "The TInstall component does not currently support the use of 2 TInstall components in the "
              "same project");
  }
  EXPECT_EQ(Driver(), install_);
  delete install_;
  EXPECT_EQ(Driver(), nullptr);
  // Its exception handler left with it.
  EXPECT_FALSE(Application().OnException());

  TComponent plain(nullptr);
  for (TComponent* owner : {&plain, static_cast<TComponent*>(nullptr)}) {
    try {
      new TInstall(owner);
      FAIL();
    } catch (const Exception& e) {
      EXPECT_EQ(e.Message(),
                "The Owner of the TInstall component must either be a class of type TForm or TDataModule");
    }
    EXPECT_EQ(Driver(), nullptr);
  }
  TDataModule module(nullptr);
  auto* on_module = new TInstall(&module);
  EXPECT_EQ(Driver(), on_module);
}

}  // namespace
}  // namespace kit
