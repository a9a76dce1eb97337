#include "files/install_shell_link.h"

#include <gtest/gtest.h>

#include "base/exception.h"
#include "files/shell_link_group.h"
#include "files/testing/file_fixture.h"
#include "model/system_folders.h"
#include "system/testing/install_machine.h"

#ifdef _WIN32
#include <objbase.h>
#include <windows.h>
#endif

namespace kit {
namespace {

using Lines = std::vector<std::string>;

std::string FailureOf(const std::function<void()>& f) {
  try {
    f();
  } catch (const Exception& e) {
    return e.Message();
  }
  return "no failure";
}

TEST(InstallShellLinkSettersTest, LinkNamesFollowTheTargetAndEndInLnk) {
  TInstallShellLink link(nullptr);
  link.SetName("Link1");
  link.SetLinkName("Readme.txt");
  EXPECT_EQ(link.LinkName(), "Readme.LNK");
  link.SetLinkName(" .lnk ");
  link.SetObjectLocation("C:\\Tavwin\\Tinst.exe");
  EXPECT_EQ(link.LinkName(), "Tinst.LNK");
  link.SetObjectLocation("C:\\Tavwin\\Other.exe");  // a chosen name stays
  EXPECT_EQ(link.LinkName(), "Tinst.LNK");
  link.SetHotKey(0x0654);  // control+shift+T
  EXPECT_EQ(FailureOf([&] { link.SetHotKey(0x10000); }),
            "The hot key 65536 of Link1 is not a key with shift, control, alt or extended flags");
  EXPECT_EQ(FailureOf([&] { link.SetHotKey(0x1054); }),
            "The hot key 4180 of Link1 is not a key with shift, control, alt or extended flags");
  EXPECT_EQ(FailureOf([&] { link.SetHotKey(0x0600); }),
            "The hot key 1536 of Link1 is not a key with shift, control, alt or extended flags");
  EXPECT_EQ(link.HotKey(), 0x0654);
}

class InstallShellLinkTest : public testing::FileTest {};

TEST_F(InstallShellLinkTest, LinkingAFileNamesTheLinkAfterItAndNeedsAFileForTheMainKinds) {
  TInstallFile* file = File(driver_.get(), "Tinst.exe", "MZ");
  TInstallShellLink link(nullptr);
  link.SetName("Link1");
  link.SetObjectLink(file);
  EXPECT_EQ(link.LinkName(), "Tinst.lnk");
  EXPECT_EQ(link.ObjectLocationType(), ddObjectLink);
  EXPECT_EQ(link.Container(), file);

  TShellLinkGroup group(nullptr);
  group.SetName("Folder");
  TInstallShellLink main(nullptr);
  // Kinds as a stored configuration sets them, without their folders.
  auto kind = [&main](TShellLinkKind k) {
    main.SetLoading(true);
    main.SetLinkKind(k);
    main.SetLoading(false);
  };
  kind(lkMainExecutable);
  EXPECT_EQ(FailureOf([&] { main.SetObjectLink(&group); }),
            "For lkMainExecutable, lkLinkInSubFolder, or lkLinkMainFolder ObjectLink must be a TInstallFile");
  kind(lkLinkToSubFolder);
  EXPECT_EQ(FailureOf([&] { main.SetObjectLink(&group); }),
            "For lkLinkToSubFolder, ObjectLink must be a ShellLinkGroup that is the main sub folder");
  EXPECT_EQ(main.ObjectLink(), nullptr);
}

TEST_F(InstallShellLinkTest, AProcessedGroupMakesItsLinksAndTheLogListsThem) {
  TInstallFile* file = File(driver_.get(), "Tinst.exe", "MZ program");
  TShellLinkGroup group(nullptr);
  group.SetName("Folder");
  group.SetContainer(driver_.get());
  group.SetDestDirType(ddAbsolute);
  group.SetDestDir(m_.Scratch() + "\\Menu\\Tavrix");
  TInstallShellLink link(nullptr);
  link.SetName("Link1");
  link.SetObjectLink(file);
  link.SetContainer(&group);
  link.SetDestDirType(ddContainerDestDir);
  link.SetParameters("/open now");
  link.SetHotKey(0x0654);
  Build();
  driver_->Process();
  const std::string lnk = m_.Scratch() + "\\Menu\\Tavrix\\Tinst.lnk";
  const std::string bytes = Get(lnk);
  ASSERT_FALSE(bytes.empty()) << lnk;
  // The shell writes its strings as ANSI or as UTF-16.
  auto holds = [&bytes](const std::string& text) {
    std::string wide;
    for (char c : text) wide += std::string{c, '\0'};
    return bytes.find(text) != std::string::npos || bytes.find(wide) != std::string::npos;
  };
  EXPECT_TRUE(holds(dest_ + "\\Tinst.exe"));
  EXPECT_TRUE(holds("/open now"));
  EXPECT_EQ(bytes.substr(0x40, 2), "\x54\x06");
  const Lines log = Log();
  EXPECT_NE(std::find(log.begin(), log.end(), "File2=\"" + lnk + "\""), log.end()) << ::testing::PrintToString(log);
}

TEST_F(InstallShellLinkTest, ABlankOrRefusedLinkNameMakesNothing) {
  TInstallShellLink link(nullptr);
  link.SetName("Link1");
  link.SetContainer(driver_.get());
  link.SetMethod(mtShellLinkInterface);
  link.SetObjectLocation("C:\\Tavwin\\Tinst.exe");
  link.SetLinkName("");
  EXPECT_EQ(FailureOf([&] { link.ProcessHelpers(); }),
            "The LinkName is blank for Link1 and therefore could not be installed");
  link.SetLinkName("Two|Parts");
  EXPECT_EQ(FailureOf([&] { link.ProcessHelpers(); }),
            "The TInstallShellLink Link1 name could not be installed. The following error was reported the "
            "link name Two|Parts.LNK holds a character Windows refuses in file names");
  EXPECT_FALSE(Exists(dest_ + "\\Two|Parts.LNK"));
}

TEST_F(InstallShellLinkTest, RefusedFoldersAndHotKeysAreReportedBeforeAnythingIsMade) {
  TInstallShellLink link(nullptr);
  link.SetName("Link1");
  link.SetContainer(driver_.get());
  link.SetMethod(mtShellLinkInterface);
  link.SetObjectLocation("C:\\Tavwin\\Tinst.exe");
  link.SetDestDirType(ddAbsolute);
  const std::string bad = m_.Scratch() + "\\Bad?Folder";
  link.SetDestDir(bad);
  EXPECT_EQ(FailureOf([&] { link.ProcessHelpers(); }),
            "The TInstallShellLink Link1 name could not be installed. The following error was reported the link "
            "file path " + bad + "\\Tinst.LNK holds the character ?, which Windows refuses in file names");
  EXPECT_FALSE(Exists(bad));
  const std::string deep = m_.Scratch() + "\\Menu\\" + std::string(250, 'x');
  link.SetDestDir(deep);
  EXPECT_EQ(FailureOf([&] { link.ProcessHelpers(); }),
            "The TInstallShellLink Link1 name could not be installed. The following error was reported the link "
            "file path " + deep + "\\Tinst.LNK is longer than 259 characters");
  EXPECT_FALSE(Exists(m_.Scratch() + "\\Menu"));
  // A stored configuration is read as it stands; the link is refused.
  link.SetDestDir(m_.Scratch() + "\\Menu");
  link.SetLoading(true);
  link.SetHotKey(0x2054);
  link.SetLoading(false);
  EXPECT_EQ(FailureOf([&] { link.ProcessHelpers(); }),
            "The TInstallShellLink Link1 name could not be installed. The following error was reported the hot key "
            "8276 is not a key with shift, control, alt or extended flags");
  EXPECT_FALSE(Exists(m_.Scratch() + "\\Menu"));
}

TEST_F(InstallShellLinkTest, WithoutALinkObjectOnlyProgramMenuLinksBecomeItemsAndBadFieldsAreRefused) {
  testing::VersionPlatform nt351(m_.platform(), 2, 3, 51);
  ScopedPlatform scope(nt351);
  const std::string group = testing::UniqueName("Tavrix");
  TInstallShellLink link(nullptr);
  link.SetName("Link1");
  link.SetContainer(driver_.get());
  link.SetObjectLocation("C:\\Tavwin\\Tinst.exe");
  link.ProcessHelpers();  // below the installation folder: nothing, no error
  EXPECT_FALSE(Exists(dest_ + "\\Tinst.LNK"));
  link.SetDestDirType(ddProgramMenuDir);
  link.SetDestDir("\\" + group);
  link.SetLinkName("Tinst,Other");
  EXPECT_EQ(FailureOf([&] { link.ProcessHelpers(); }),
            "The TProgramManager object was unable to add the following program item: Tinst,Other to the following "
            "group: " + group + ". The arguments passed to  Program Manager were: [AddItem(\"C:\\Tavwin\\Tinst.exe\" "
            ",Tinst,Other,,0,,,\"C:\\Tavwin\",)]");
  link.SetLinkName("Tinst");
  link.SetParameters("/a)][DeleteGroup(x");
  EXPECT_NE(FailureOf([&] { link.ProcessHelpers(); }).find("unable to add the following program item: Tinst"),
            std::string::npos);
  EXPECT_FALSE(Exists(GetProgramMenuDir() + "\\" + group));  // the group was never made
}

#ifdef _WIN32
// COM initialised for a thread in the other apartment mode refuses the
// link's initialisation; the code is reported.
TEST(InstallShellLinkComTest, AFailedComInitialisationIsReportedWithItsCode) {
  struct Run {
    std::string message;
    static DWORD WINAPI Thread(void* p) {
      auto* run = static_cast<Run*>(p);
      CoInitializeEx(nullptr, COINIT_MULTITHREADED);
      TInstallShellLink link(nullptr);
      link.SetName("Link1");
      run->message = FailureOf([&] { link.InitializeCom(); });
      CoUninitialize();
      return 0;
    }
  } run;
  HANDLE thread = CreateThread(nullptr, 0, &Run::Thread, &run, 0, nullptr);
  ASSERT_NE(thread, nullptr);
  WaitForSingleObject(thread, INFINITE);
  CloseHandle(thread);
  EXPECT_EQ(run.message, "Could not initialize IShellLink with following error code returned: -2147417850");
}
#endif

}  // namespace
}  // namespace kit
