// The unfinished-install list and the "*ABOOT" completion after a reboot.
#include "base/string_list.h"
#include "driver/install.h"
#include "driver/testing/driver_fixture.h"
#include "system/system_errors.h"
#include "platform/fault_platform.h"

namespace kit {
namespace {

using testing::DriverTest;
using testing::HeadlessApp;
using testing::Record;
using testing::TTestFile;

// An install file whose after-reboot work is recorded.
class TRebootFile : public TTestFile {
 public:
  using TTestFile::TTestFile;
  void FinishAfterReboot() override { Note("after reboot " + Name()); }
};

class AbootTest : public DriverTest {
 protected:
  void Write(const std::string& name, const RegValue& value) {
    auto key = platform_.Reg().Open(RegRoot::kLocalMachine, kUnfinishedInstallKey, RegAccess::kAll, true);
    ASSERT_TRUE(key && key->Set(name, value));
  }
  void Write(const std::string& name, const std::string& data) { Write(name, RegValue::String(data)); }
  bool KeyExists() {
    return platform_.Reg().Open(RegRoot::kLocalMachine, kUnfinishedInstallKey, RegAccess::kRead, false) != nullptr;
  }
  // The program's start with "*ABOOT" and two install files.
  void StartAboot() {
    platform_.arguments = {"*ABOOT"};
    Make([&](TInstall& i, TForm& f) {
      auto* a = new TRebootFile(&f, "TinstExe", &record_);
      a->SetContainer(&i);
      auto* b = new TRebootFile(&f, "Other", &record_);
      b->SetContainer(&i);
    });
  }
  std::vector<std::string> GoodTail() {
    return {"OnShowGoodInstall", "Dlg hears GoodInstallation", "Dlg hears eccGoodInstallDialogManager",
            "OnCleanup True", "OnBeforeTerminateApp True"};
  }
};

TEST_F(AbootTest, EntriesAreAddedReadAndCleared) {
  Make([](TInstall& i, TForm&) { i.SetRunAutomatic(false); });
  install_->AddUnfinishedEntry("TinstExe", 0);
  install_->AddUnfinishedEntry("C:\\WINDOWS\\Start Menu\\Programs\\StartUp\\INSTALL.LNK", 1);
  install_->AddUnfinishedEntry("INSTALL", 2);
  install_->AddUnfinishedEntry("TinstExe", 0);  // the same subject again: one value
  EXPECT_EQ(install_->UnfinishedCount(), 4);
  TStringList list{"old line"};
  install_->ReadUnfinishedList(list);
  std::vector<std::string> lines;
  for (int n = 0; n < list.Count(); ++n) lines.push_back(list[n]);
  std::sort(lines.begin(), lines.end());
  EXPECT_EQ(lines, (std::vector<std::string>{"C:\\WINDOWS\\Start Menu\\Programs\\StartUp\\INSTALL.LNK;1",
                                             "INSTALL;2", "TinstExe;0"}));
  install_->ClearUnfinishedList();
  EXPECT_FALSE(KeyExists());
  install_->ReadUnfinishedList(list);
  EXPECT_EQ(list.Count(), 0);
  EXPECT_FALSE(KeyExists());  // reading does not create it
  EXPECT_NO_THROW(install_->ClearUnfinishedList());
}

TEST_F(AbootTest, AWriteThatIsRefusedNamesKeyValueAndText) {
  Make([](TInstall& i, TForm&) { i.SetRunAutomatic(false); });
  FaultPlatform fault(platform_);
  ScopedPlatform scoped(fault);
  fault.RefuseRegistryWrites("SOFTWARE\\KOBBELININSTALLING");
  try {
    install_->AddUnfinishedEntry("TinstExe", 0);
    FAIL();
  } catch (const EIRCannotWriteValue& e) {
    EXPECT_EQ(e.Ident(), "TinstExe");
    EXPECT_EQ(e.Value(), "0");
    EXPECT_NE(e.Message().find("KOBBELININSTALLING"), std::string::npos) << e.Message();
  }
}

TEST_F(AbootTest, ANormalRunDiscardsAnEarlierList) {
  Write("Stale", "1");
  Make();
  Application().Run();
  EXPECT_FALSE(KeyExists());
}

TEST_F(AbootTest, TheAbootRunDoesEveryKindOfWorkAndDeletesTheList) {
  const std::string gone = platform_.Scratch() + "\\Setup Temp\\rep;lace.bat";  // a ";" in a path
  Touch(gone);
  std::vector<std::string> pm;
  Seams().delete_program_manager_item = [&](const std::string& group, const std::string& item) {
    pm.push_back(group + "/" + item);
    if (item == "Broken") throw Exception("no such item");
  };
  Write("tinstexe", "0");
  Write(gone, "1");
  Write(platform_.Scratch() + "\\never there.txt", "1");
  Write("INSTALL", "2");
  Write("Broken", "2");
  Write("Future", "7;extra");
  Write("Counted", RegValue::Dword(9));
  StartAboot();
  // Everything happens while the program starts, before any activation.
  EXPECT_TRUE(Application().Terminated());
  EXPECT_FALSE(install_->Running());
  EXPECT_FALSE(KeyExists());
  EXPECT_FALSE(Exists(gone));
  std::sort(pm.begin(), pm.end());
  EXPECT_EQ(pm, (std::vector<std::string>{"Startup/Broken", "Startup/INSTALL"}));
  // Only the component named by the entry (ignoring case), not the driver.
  auto events = Events();
  EXPECT_EQ(std::count(events.begin(), events.end(), "after reboot TinstExe"), 1);
  EXPECT_EQ(std::count(events.begin(), events.end(), "after reboot Other"), 0);
  events.erase(std::remove(events.begin(), events.end(), "after reboot TinstExe"), events.end());
  EXPECT_EQ(events, GoodTail());
  EXPECT_TRUE(Boxes().empty());
  // No source directory is read in this mode.
  EXPECT_EQ(install_->SourceDirectory(), "");
  // The form is not hooked: showing it runs no installation.
  EXPECT_FALSE(form_->OnActivate());
}

TEST_F(AbootTest, WithoutAListTheAbootRunEndsWell) {
  StartAboot();
  EXPECT_EQ(Events(), GoodTail());
  EXPECT_TRUE(Application().Terminated());
}

TEST_F(AbootTest, AnInvalidEntryStopsTheRunWithTheKeyAlreadyDeleted) {
  for (const char* data : {"x", "", " 1", "1.5", "99999999999"}) {
    Write("Subject", data);
    HeadlessApp app;
    platform_.arguments = {"*aboot"};
    try {
      Make();
      FAIL() << data;
    } catch (const Exception& e) {
      EXPECT_EQ(e.Message(), std::string("There is an invalid entry for the unfinished install list Subject;") + data);
    }
    EXPECT_FALSE(KeyExists()) << data;
    // The failure leaves the program's start; the list is not run further.
    EXPECT_TRUE(install_->Running());
    EXPECT_TRUE(record_.empty());
    Application().DestroyComponents();
  }
}

TEST_F(AbootTest, ARunThatNeedsARebootIsFinishedByTheNextStart) {
  // First run: a file can only be replaced at the next start of Windows.
  platform_.SetPlatformClass(2);
  UseRecordingLinks(platform_.Scratch() + "\\StartUp");
  platform_.Files().MakeDirectories(platform_.Scratch() + "\\StartUp");
  Touch(platform_.Scratch() + "\\StartUp\\INSTALL.LNK");
  Make([&](TInstall& i, TForm& f) {
    auto* file = new TRebootFile(&f, "TinstExe", &record_);
    file->SetContainer(&i);
    file->work = [this] {
      SetRebootNeeded(true);
      install_->AddUnfinishedEntry("TinstExe", unfinished::kComponent);
    };
  });
  Application().Run();
  EXPECT_EQ(platform_.restart_calls, (std::vector<std::string>{"privilege", "exit 0x2"}));
  EXPECT_TRUE(KeyExists());

  // Second start, with the restart link's "*ABOOT".
  Application().DestroyComponents();
  HeadlessApp app;
  SetRebootNeeded(false);
  record_.clear();
  StartAboot();
  EXPECT_FALSE(KeyExists());
  EXPECT_FALSE(Exists(platform_.Scratch() + "\\StartUp\\INSTALL.LNK"));
  const auto events = Events();
  EXPECT_EQ(events.front(), "after reboot TinstExe");
  EXPECT_EQ(events.back(), "OnBeforeTerminateApp True");
}

}  // namespace
}  // namespace kit
