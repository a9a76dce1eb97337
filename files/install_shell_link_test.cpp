#include "files/install_shell_link.h"

#include <gtest/gtest.h>

#include "base/exception.h"
#include "files/shell_link_group.h"
#include "files/testing/file_fixture.h"
#include "system/testing/install_machine.h"

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
  EXPECT_EQ(FailureOf([&] { link.SetHotKey(0x10000); }), "The hot key 65536 of Link1 is not a 16-bit key code");
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
  main.SetLinkKind(lkMainExecutable);
  EXPECT_EQ(FailureOf([&] { main.SetObjectLink(&group); }),
            "For lkMainExecutable, lkLinkInSubFolder, or lkLinkMainFolder ObjectLink must be a TInstallFile");
  main.SetLinkKind(lkLinkToSubFolder);
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

}  // namespace
}  // namespace kit
