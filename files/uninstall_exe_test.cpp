#include "files/uninstall_exe.h"

#include <gtest/gtest.h>

#include "base/exception.h"
#include "model/install_driver.h"
#include "model/testing/test_components.h"
#include "system/testing/install_machine.h"

namespace kit {
namespace {

using testing::InstallMachine;
using testing::ListKey;
using testing::ScopedKey;
using Lines = std::vector<std::string>;

// A driver whose product name the test chooses.
class TProductDriver : public testing::TTestDriver {
 public:
  TProductDriver(TComponent* owner, std::string product)
      : TTestDriver(owner, "Install1"), product_(std::move(product)) {}
  std::string ProductName() const override { return product_; }

 private:
  std::string product_;
};

// Resolves its directory against its container, as ddContainerDestDir does.
class TContainedUninstallEXE : public TUninstallEXE {
 public:
  using TUninstallEXE::TUninstallEXE;

 protected:
  std::string InstalledDir() const override { return Container()->DestDir() + DestDir(); }
};

TEST(UninstallEXETest, ProcessedUninstallerRecordsTheProductAndNoFileEntry) {
  InstallMachine m;
  const std::string product = testing::UniqueName("Tavrix for Windows");
  TProductDriver driver(nullptr, product);
  driver.SetDestDir("c:\\Tavwin");
  const std::string key = UninstallLogKey(driver);
  ScopedKey cleanup(m.platform(), RegRoot::kLocalMachine, key);
  TContainedUninstallEXE exe(nullptr);
  exe.SetName("UninstallEXE2");
  exe.SetDestName("uninstall.exe");
  exe.SetContainer(&driver);
  EXPECT_EQ(exe.ProcessingRank(), rank::kInstallFile);
  EXPECT_TRUE(exe.AutoProcess());

  driver.Process();
  EXPECT_TRUE(exe.Processed());
  EXPECT_EQ(ListKey(m.platform(), RegRoot::kLocalMachine, key),
            (Lines{"[]", "DisplayName=\"" + product + "\"",
                   "UninstallString=\"c:\\Tavwin\\uninstall.exe " + product + "\""}));
}

TEST(UninstallEXETest, ExcludedUninstallerLeavesNoEntry) {
  InstallMachine m;
  TProductDriver driver(nullptr, testing::UniqueName("Tavrix"));
  const std::string key = UninstallLogKey(driver);
  ScopedKey cleanup(m.platform(), RegRoot::kLocalMachine, key);
  TUninstallEXE exe(nullptr);
  exe.SetDestDir("c:\\Tavwin");
  exe.SetDestName("uninstall.exe");
  exe.SetContainer(&driver);
  exe.SetInclude(false);
  driver.Process();
  EXPECT_EQ(ListKey(m.platform(), RegRoot::kLocalMachine, key), Lines{});
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
