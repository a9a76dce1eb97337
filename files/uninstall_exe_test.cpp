#include "files/uninstall_exe.h"

#include <gtest/gtest.h>

#include "base/exception.h"
#include "model/install_driver.h"
#include "files/testing/file_fixture.h"
#include "system/testing/install_machine.h"

namespace kit {
namespace {

using testing::InstallMachine;
using testing::ListKey;
using testing::ScopedKey;
using Lines = std::vector<std::string>;

// A driver whose product name the test chooses.
class TProductDriver : public testing::TFileTestDriver {
 public:
  TProductDriver(TComponent* owner, std::string product_name) : TFileTestDriver(owner) {
    product = std::move(product_name);
  }
};

class UninstallEXEInstallTest : public testing::FileTest {};

TEST_F(UninstallEXEInstallTest, ProcessedUninstallerIsInstalledAndRecordsTheProductOnly) {
  Source("uninstall.exe", "MZ uninstaller");
  TUninstallEXE exe(nullptr);
  exe.SetName("UninstallEXE2");
  exe.SetContainer(driver_.get());
  exe.SetIncludeFromDir(src_);
  exe.SetFileName("uninstall.exe");
  exe.SetDestDirType(ddContainerDestDir);
  EXPECT_EQ(exe.ProcessingRank(), rank::kInstallFile);
  EXPECT_TRUE(exe.AutoProcess());
  Build();

  driver_->Process();
  EXPECT_TRUE(exe.Processed());
  EXPECT_EQ(Get(dest_ + "\\uninstall.exe"), "MZ uninstaller");
  const std::string product = driver_->ProductName();
  // A scratch path may hold blanks; then the program's path is quoted.
  const bool blanks = dest_.find(' ') != std::string::npos;
  const std::string path = dest_ + "\\uninstall.exe";
  EXPECT_EQ(Log(), (Lines{"[]", "DisplayName=\"" + product + "\"",
                          "UninstallString=\"" + (blanks ? "\"" + path + "\"" : path) + " " + product + "\""}));
}

TEST_F(UninstallEXEInstallTest, ExcludedUninstallerLeavesNoEntry) {
  Source("uninstall.exe", "MZ");
  TUninstallEXE exe(nullptr);
  exe.SetContainer(driver_.get());
  exe.SetIncludeFromDir(src_);
  exe.SetFileName("uninstall.exe");
  exe.SetDestDirType(ddContainerDestDir);
  Build();
  exe.SetInclude(false);
  driver_->Process();
  EXPECT_FALSE(Exists(dest_ + "\\uninstall.exe"));
  EXPECT_EQ(Log(), Lines{});
}

TEST(UninstallEXETest, DirectoryWithBlanksIsQuotedAndNoDriverIsAnError) {
  InstallMachine m;
  const std::string product = testing::UniqueName("Tavrix");
  const std::string key = std::string("\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\") + product;
  ScopedKey cleanup(m.platform(), RegRoot::kLocalMachine, key);
  TUninstallEXE exe(nullptr);
  exe.SetName("UninstallEXE2");
  exe.SetDestDir("C:\\Program Files\\Tavwin\\");
  exe.SetDestName("uninstall.exe");
  EXPECT_EQ(exe.UninstallerPath(), "C:\\Program Files\\Tavwin\\uninstall.exe");
  try {
    exe.WriteUninstallLog(key);
    FAIL();
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(),
              "Cannot write installation information for UninstallEXE2 because there is no "
              "TInstall");
  }
  EXPECT_EQ(ListKey(m.platform(), RegRoot::kLocalMachine, key), Lines{});
  TProductDriver driver(nullptr, product);
  exe.WriteUninstallLog(key);
  EXPECT_EQ(ListKey(m.platform(), RegRoot::kLocalMachine, key),
            (Lines{"[]", "DisplayName=\"" + product + "\"",
                   "UninstallString=\"\"C:\\Program Files\\Tavwin\\uninstall.exe\" " + product +
                       "\""}));
}

}  // namespace
}  // namespace kit
