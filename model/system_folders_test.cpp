#include "model/system_folders.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <map>
#include <memory>
#include <thread>
#include <vector>

#include "model/errors.h"
#include "model/testing/machine_test.h"
#include "model/testing/test_components.h"
#include "system/testing/registry_test_util.h"
#include "translation/testing/fake_translator.h"

#ifndef _WIN32
#include "platform/emulated/emulated_machine.h"
#endif

namespace kit {
namespace {

using namespace kit::testing;

constexpr const char* kShellFolders =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
constexpr const char* kCurrentVersion = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";

// Every value the look-ups read is put back after the test (the Wine prefix
// outlives it).
class SystemFoldersTest : public MachineTest {
 protected:
  void SetUp() override {
    MachineTest::SetUp();
    for (const char* name : {"Start Menu", "Programs", "Desktop", "Fonts", "Startup"})
      values_[name] = std::make_unique<ScopedRegistryValue>(platform(), RegRoot::kCurrentUser,
                                                            kShellFolders, name);
    for (const char* name : {"ProgramFilesDir", "CommonFilesDir"})
      values_[name] = std::make_unique<ScopedRegistryValue>(platform(), RegRoot::kLocalMachine,
                                                            kCurrentVersion, name);
  }
  void TearDown() override {
    MachineTest::TearDown();
    values_.clear();
  }
  void Set(const std::string& name, const RegValue& v) { ASSERT_TRUE(values_[name]->Set(v)); }
  void SetAll(const std::string& prefix) {
    for (auto& [name, value] : values_) ASSERT_TRUE(value->Set(RegValue::String(prefix + name)));
  }
  void RemoveAll() {
    for (auto& [name, value] : values_) ASSERT_TRUE(value->Remove()) << name;
  }
  std::string Drive() {
    std::string cwd = platform().Files().CurrentDir();
    return cwd.substr(0, 2);
  }

  std::map<std::string, std::unique_ptr<ScopedRegistryValue>> values_;
};

TEST_F(SystemFoldersTest, WindowsAndSystemDirectoriesAreReadOnceAndFailUntranslated) {
  std::string windows, system;
  ASSERT_TRUE(platform().System().WindowsDirectory(&windows));
  ASSERT_TRUE(platform().System().SystemDirectory(&system));
  EXPECT_EQ(WindowsDir(), windows);
  EXPECT_EQ(SystemDir(), system);

  FaultPlatform& f = Faults();
  RemoveAll();
  EXPECT_EQ(GetFontDir(), system);
  // Wine's desktop process may write the prefix's Desktop value back at any
  // time: the fallback is checked on a read that found the value missing.
  std::string desktop = GetDesktopDir();
  for (int attempt = 0; attempt < 20 && desktop != windows + "\\Desktop"; ++attempt) {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    values_["Desktop"]->Remove();
    desktop = GetDesktopDir();
  }
  EXPECT_EQ(desktop, windows + "\\Desktop");
  EXPECT_EQ(f.Calls("System.WindowsDirectory"), 0);
  EXPECT_EQ(f.Calls("System.SystemDirectory"), 0);

  FakeTranslator translator;
  const char* win_text =
      "Cannot get the Windows directory for your computer. Using GetWindowsDirectory API function";
  const char* sys_text =
      "Cannot get the System directory for your computer. Using GetSystemDir API function";
  translator.table[win_text] = "translated";
  translator.table[sys_text] = "translated";
  f.FailNth("System.WindowsDirectory", 1, winerr::kInvalidFunction);
  try {
    ReadSystemDirectories();
    FAIL() << "no error";
  } catch (const EAICannotGetWindowsDir& e) {
    EXPECT_EQ(e.Message(), win_text);
  }
  f.FailNth("System.SystemDirectory", 1, winerr::kInvalidFunction);
  try {
    ReadSystemDirectories();
    FAIL() << "no error";
  } catch (const EAICannotGetSystemDir& e) {
    EXPECT_EQ(e.Message(), sys_text);
  }
  EXPECT_EQ(WindowsDir(), windows);
  EXPECT_EQ(SystemDir(), system);
}

TEST_F(SystemFoldersTest, LookUpsReadTheRegistryAtEachCallAndLoseOneBackslash) {
  Set("Start Menu", RegValue::String("C:\\Menu\\"));
  Set("Programs", RegValue::String("C:\\Menu\\Progs\\\\"));
  Set("Desktop", RegValue::String("C:\\Desk"));
  Set("Fonts", RegValue::String("C:\\Fnt\\"));
  Set("Startup", RegValue::String("C:\\Up"));
  Set("ProgramFilesDir", RegValue::String("D:\\Progs\\"));
  Set("CommonFilesDir", RegValue::String("D:\\Common"));
  EXPECT_EQ(GetStartMenuDir(), "C:\\Menu");
  EXPECT_EQ(GetProgramMenuDir(), "C:\\Menu\\Progs\\");
  EXPECT_EQ(GetDesktopDir(), "C:\\Desk");
  EXPECT_EQ(GetFontDir(), "C:\\Fnt");
  EXPECT_EQ(GetStartUpDir(), "C:\\Up");
  EXPECT_EQ(GetProgramFilesDir(), "D:\\Progs");
  EXPECT_EQ(GetCommonFilesDir(), "D:\\Common");

  const std::pair<TPathSpecifiers, std::string> bases[] = {
      {ddSystem, SystemDir()},       {ddWindows, WindowsDir()},
      {ddProgramFilesDir, "D:\\Progs"}, {ddCommonFilesDir, "D:\\Common"},
      {ddDesktopMenuDir, "C:\\Desk"}, {ddProgramMenuDir, "C:\\Menu\\Progs\\"},
      {ddStartMenuDir, "C:\\Menu"},  {ddFontDir, "C:\\Fnt"},
      {ddStartUpMenuDir, "C:\\Up"}};
  for (const auto& [type, dir] : bases) {
    std::string got;
    ASSERT_TRUE(FolderOfSpecifier(type, &got)) << type;
    EXPECT_EQ(got, dir) << type;
  }
  for (TPathSpecifiers type : {ddAbsolute, ddLoading, ddContainerDestDir, ddContainerArchiveFile,
                               ddObjectLink, ddBDEDLLDir, ddMainInstallDir}) {
    std::string got = "untouched";
    EXPECT_FALSE(FolderOfSpecifier(type, &got)) << type;
    EXPECT_EQ(got, "untouched");
  }

  // No cache: a change shows at once. An existing empty value is an empty
  // directory, not a reason for the fallback.
  Set("Desktop", RegValue::String(""));
  Set("Start Menu", RegValue::String("E:\\Other"));
  EXPECT_EQ(GetDesktopDir(), "");
  EXPECT_EQ(GetStartMenuDir(), "E:\\Other");
}

TEST_F(SystemFoldersTest, MissingOrUnreadableValuesFallBack) {
  RemoveAll();
  const std::string win = WindowsDir();
  EXPECT_EQ(GetStartMenuDir(), win + "\\Startmen");
  EXPECT_EQ(GetProgramMenuDir(), win + "\\Startmen\\Programs");
  EXPECT_EQ(GetDesktopDir(), win + "\\Desktop");
  EXPECT_EQ(GetFontDir(), SystemDir());  // not a folder below the Windows directory
  EXPECT_EQ(GetStartUpDir(), win + "\\Startup");
  EXPECT_EQ(GetProgramFilesDir(), Drive() + "\\Program Files");
  EXPECT_EQ(GetCommonFilesDir(), Drive() + "\\Program Files\\Common Files");

  // A value that is not a string counts as missing; the program-menu
  // fallback follows the start-menu value that is there.
  Set("Start Menu", RegValue::String("C:\\Menu"));
  Set("Programs", RegValue::Dword(1));
  Set("Fonts", RegValue::Binary("C:\\F"));
  EXPECT_EQ(GetProgramMenuDir(), "C:\\Menu\\Programs");
  EXPECT_EQ(GetFontDir(), SystemDir());
}

TEST_F(SystemFoldersTest, ProgramFilesFallBackOnTheCurrentDrive) {
  values_["ProgramFilesDir"]->Remove();
  values_["CommonFilesDir"]->Remove();
#ifdef _WIN32
  const std::string drive = "Z:";  // every Wine prefix maps Z: to the host's root
#else
  // A disk in the emulated floppy drive.
  auto* emulated = dynamic_cast<EmulatedMachine*>(&platform());
  ASSERT_NE(emulated, nullptr);
  std::filesystem::create_directories(emulated->HostDir() + "/drives/a");
  const std::string drive = "A:";
#endif
  const std::string before = platform().Files().CurrentDir();
  ASSERT_TRUE(platform().Files().SetCurrentDir(drive + "\\"));
  TTestFile file(&form_, "F");
  file.SetDestDirType(ddProgramFilesDir);
  file.SetDestDir("\\MyApplication");
  const std::string application = file.GetDestDir();
  const std::string common = GetCommonFilesDir();
  platform().Files().SetCurrentDir(before);
  EXPECT_EQ(application, drive + "\\Program Files\\MyApplication");
  EXPECT_EQ(common, drive + "\\Program Files\\Common Files");
}

// The look-ups open their keys with full access, so a key the user may
// read but not write gives the fallbacks.
TEST_F(SystemFoldersTest, AKeyThatCanOnlyBeReadCountsAsNotOpenable) {
  SetAll("C:\\Set\\");
  ASSERT_EQ(GetStartMenuDir(), "C:\\Set\\Start Menu");
  const std::string win = WindowsDir();
  auto check = [&](const char* how) {
    SCOPED_TRACE(how);
    EXPECT_EQ(GetStartMenuDir(), win + "\\Startmen");
    EXPECT_EQ(GetProgramMenuDir(), win + "\\Startmen\\Programs");
    EXPECT_EQ(GetFontDir(), SystemDir());
    EXPECT_EQ(GetStartUpDir(), win + "\\Startup");
    EXPECT_EQ(GetDesktopDir(), win + "\\Desktop");
    // Only that key: the program-files key is writable and read.
    EXPECT_EQ(GetProgramFilesDir(), "C:\\Set\\ProgramFilesDir");
  };
#ifdef _WIN32
  {
    ScopedReadOnlyKey read_only(HKEY_CURRENT_USER, kShellFolders);
    ASSERT_TRUE(read_only.Made());
    check("access list of the real registry");
  }
  EXPECT_EQ(GetStartMenuDir(), "C:\\Set\\Start Menu");
#endif
  Faults().MakeRegistryKeysReadOnly(kShellFolders, RegRoot::kCurrentUser);
  check("read-only key of the fault platform");
  fault_->MakeRegistryKeysReadOnly(kCurrentVersion, RegRoot::kLocalMachine);
  EXPECT_EQ(GetProgramFilesDir(), Drive() + "\\Program Files");
  EXPECT_EQ(GetCommonFilesDir(), Drive() + "\\Program Files\\Common Files");
}

}  // namespace
}  // namespace kit
