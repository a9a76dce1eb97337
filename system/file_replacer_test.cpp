#include "system/file_replacer.h"

#include <gtest/gtest.h>

#include "base/exception.h"
#include "base/paths.h"
#include "base/text.h"
#include "system/testing/install_machine.h"
#include "translation/translation.h"

#ifndef _WIN32
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#endif

namespace kit {
namespace {

using testing::GetFile;
using testing::HoldOpen;
using testing::InstallMachine;
using testing::PutFile;
using testing::VersionPlatform;

// Marks what goes through the message translation.
class MarkingTranslator : public Translator {
 public:
  MarkingTranslator() { RegisterTranslator(this); }
  ~MarkingTranslator() override { UnregisterTranslator(this); }
  std::string TranslateText(TKblnLanguage, const std::string& text) override {
    return "<" + text + ">";
  }
  void SetFormFont(TComponent&) override {}
  void SetFormFontInto(TKblnLanguage, TComponent&) override {}
  TKblnLanguage TranslateControl(TKblnLanguage from, TComponent&) override { return from; }
  TKblnLanguage TranslateControlInto(TKblnLanguage, TKblnLanguage into, TComponent&) override {
    return into;
  }
};

class FileReplacerTest : public ::testing::Test {
 protected:
  FileReplacerTest() : dir_(m_.Scratch() + "\\Dest") {
    EXPECT_TRUE(m_.platform().Files().MakeDirectories(dir_));
  }

  std::string Path(const std::string& name) { return dir_ + "\\" + name; }

  // Writes the new file where the engine would, lets the old one go and
  // restarts Windows.
  void FinishAndRestart(const FileReplacement& r, std::unique_ptr<File>& held) {
    ASSERT_TRUE(PutFile(m_.platform(), r.new_path, "new bytes"));
    held.reset();
    std::string error;
    ASSERT_TRUE(m_.machine().RestartWindows(&error)) << error;
  }

  std::string ShortOf(const std::string& path) {
    std::string s;
    EXPECT_TRUE(m_.platform().Files().ShortPath(path, &s)) << path;
    return s;
  }

  InstallMachine m_;
  std::string dir_;
};

TEST(ShortFileNameTest, EightDotThreeNamesAndTheNewFilesName) {
  EXPECT_TRUE(IsShortFileName("12345678.DLL"));
  EXPECT_TRUE(IsShortFileName("NOEXT"));
  EXPECT_TRUE(IsShortFileName("A~1.D"));
  EXPECT_FALSE(IsShortFileName("123456789.DLL"));
  EXPECT_FALSE(IsShortFileName("FILE.HTML"));
  EXPECT_FALSE(IsShortFileName("A B.DLL"));
  EXPECT_FALSE(IsShortFileName("A.B.C"));
  EXPECT_FALSE(IsShortFileName("A+B.DLL"));
  EXPECT_FALSE(IsShortFileName(".DLL"));
  EXPECT_FALSE(IsShortFileName(""));
}

TEST_F(FileReplacerTest, NewFileTakesTheFirstFreeNumberBesideTheOldOne) {
  EXPECT_EQ(FreeReplacementName(dir_, "Grid.ocx"), "Grid.1");
  ASSERT_TRUE(PutFile(m_.platform(), Path("Grid.1"), ""));
  ASSERT_TRUE(m_.platform().Files().MakeDirectory(Path("GRID.2")));  // anything of that name
  EXPECT_EQ(FreeReplacementName(dir_, "Grid.ocx"), "Grid.3");
  EXPECT_EQ(FreeReplacementName(dir_, "README"), "README.1");
  // With a short stem (the 95 family) only a long name is shortened.
  EXPECT_EQ(FreeReplacementName(dir_, "Grid.ocx", "GRID~X"), "Grid.3");
  EXPECT_EQ(FreeReplacementName(dir_, "Long Library.dll", "LONGLI~1"), "LONGLI~1.1");
  // A name with two dots: the new name is 8.3 as a whole.
  EXPECT_EQ(FreeReplacementName(dir_, "my.lib.dll", "MYLIB~1"), "MYLIB~1.1");
  EXPECT_EQ(FreeReplacementName(dir_, "my.lib.dll", "my.lib"), "my.1");
}

TEST_F(FileReplacerTest, MissingOrFreeTargetIsNotAReplacement) {
  FileReplacement r = ReplaceFileInUse(dir_, "Free.dll", true);
  EXPECT_EQ(r.method, ReplaceMethod::kNone);
  EXPECT_FALSE(r.in_use);
  EXPECT_FALSE(r.reboot_needed);
  EXPECT_EQ(r.target, Path("Free.dll"));

  ASSERT_TRUE(PutFile(m_.platform(), Path("Free.dll"), "old"));
  r = ReplaceFileInUse(dir_ + "\\", "Free.dll", true);
  EXPECT_EQ(r.method, ReplaceMethod::kNone);
  EXPECT_FALSE(r.in_use);
  EXPECT_TRUE(r.temp_name.empty());
  EXPECT_TRUE(r.unfinished.empty());
  // The old file stays whole until the new one is complete.
  EXPECT_EQ(GetFile(m_.platform(), Path("Free.dll")), "old");
}

TEST_F(FileReplacerTest, FileInUseOnWindowsNTIsMovedIntoPlaceAtTheNextStart) {
  ASSERT_EQ(PlatformClass(m_.platform().System()), 2);
  ASSERT_TRUE(PutFile(m_.platform(), Path("Busy.dll"), "old bytes"));
  ASSERT_TRUE(PutFile(m_.platform(), Path("Busy.1"), "someone else's"));
  auto held = HoldOpen(m_.platform(), Path("Busy.dll"));
  ASSERT_TRUE(held);

  FileReplacement r = ReplaceFileInUse(dir_, "Busy.dll", true);
  EXPECT_EQ(r.method, ReplaceMethod::kDelayedMove);
  EXPECT_TRUE(r.in_use);
  EXPECT_TRUE(r.reboot_needed);
  EXPECT_EQ(r.platform_class, 2);
  EXPECT_EQ(r.temp_name, "Busy.2");
  EXPECT_EQ(r.new_path, Path("Busy.2"));
  EXPECT_EQ(r.short_target, ShortOf(Path("Busy.dll")));
  EXPECT_EQ(r.short_new, ExtractFilePath(r.short_target) + "Busy.2");
  EXPECT_TRUE(r.unfinished.empty());
  EXPECT_EQ(GetFile(m_.platform(), Path("Busy.dll")), "old bytes");

  FinishAndRestart(r, held);
  EXPECT_EQ(GetFile(m_.platform(), Path("Busy.dll")), "new bytes");
  EXPECT_FALSE(m_.platform().Files().Exists(Path("Busy.2")));
  EXPECT_EQ(GetFile(m_.platform(), Path("Busy.1")), "someone else's");
}

TEST_F(FileReplacerTest, FileInUseOnTheWindows95FamilyGoesIntoWininitWithShortNames) {
  VersionPlatform win95(m_.platform(), platformid::kWindows, 4, 0);
  ScopedPlatform scope(win95);
  const std::string dir = m_.Scratch() + "\\Program Files Long\\Shared Parts";
  ASSERT_TRUE(m_.platform().Files().MakeDirectories(dir));
  const std::string target = dir + "\\GRID.OCX";
  ASSERT_TRUE(PutFile(m_.platform(), target, "old bytes"));
  auto held = HoldOpen(m_.platform(), target);
  ASSERT_TRUE(held);

  FileReplacement r = ReplaceFileInUse(dir, "GRID.OCX", true);
  EXPECT_EQ(r.method, ReplaceMethod::kWininit);
  EXPECT_TRUE(r.in_use);
  EXPECT_TRUE(r.reboot_needed);
  EXPECT_EQ(r.platform_class, 1);
  EXPECT_EQ(r.short_target, ShortOf(target));
  EXPECT_EQ(r.temp_name, "GRID.1");
  EXPECT_EQ(r.new_path, dir + "\\GRID.1");
  EXPECT_EQ(r.short_new, ExtractFilePath(r.short_target) + "GRID.1");
  EXPECT_EQ(r.short_new.find(' '), std::string::npos);
  EXPECT_TRUE(r.unfinished.empty());
  EXPECT_EQ(win95.Calls("Files.MoveEx"), 0);

  std::string windows;
  ASSERT_TRUE(m_.platform().System().WindowsDirectory(&windows));
  const std::string wininit = windows + "\\WININIT.INI";
  EXPECT_EQ(m_.platform().Ini().Read(wininit, "Rename", r.short_target, "<none>"), r.short_new);

  FinishAndRestart(r, held);
  EXPECT_EQ(GetFile(m_.platform(), target), "new bytes");
  EXPECT_FALSE(m_.platform().Files().Exists(r.new_path));
  EXPECT_FALSE(m_.platform().Files().Exists(wininit));
}

TEST_F(FileReplacerTest, LongNameOnTheWindows95FamilyGetsAShortNewName) {
  VersionPlatform win95(m_.platform(), platformid::kWindows, 4, 10);
  ScopedPlatform scope(win95);
  const std::string target = Path("Long Library Name.dll");
  ASSERT_TRUE(PutFile(m_.platform(), target, "old bytes"));
  auto held = HoldOpen(m_.platform(), target);
  FileReplacement r = ReplaceFileInUse(dir_, "Long Library Name.dll", true);
  ASSERT_EQ(r.method, ReplaceMethod::kWininit);
  EXPECT_EQ(r.short_target, ShortOf(target));
  EXPECT_TRUE(IsShortFileName(r.temp_name)) << r.temp_name;
  EXPECT_EQ(r.temp_name, ChangeFileExt(ExtractFileName(r.short_target), ".1"));
  EXPECT_EQ(r.short_new, ExtractFilePath(r.short_target) + r.temp_name);
  std::string windows;
  ASSERT_TRUE(m_.platform().System().WindowsDirectory(&windows));
  const std::string wininit = windows + "\\WININIT.INI";
  EXPECT_EQ(m_.platform().Ini().Read(wininit, "Rename", r.short_target, "<none>"), r.short_new);
  m_.platform().Ini().DeleteKey(wininit, "Rename", r.short_target);
}

TEST_F(FileReplacerTest, FailedDelayedMoveFallsBackToABatchFile) {
  ASSERT_TRUE(PutFile(m_.platform(), Path("Busy.dll"), "old"));
  auto held = HoldOpen(m_.platform(), Path("Busy.dll"));
  FaultPlatform faults(m_.platform());
  ScopedPlatform scope(faults);
  faults.FailNth("Files.MoveEx", 1, winerr::kAccessDenied);

  FileReplacement r = ReplaceFileInUse(dir_, "Busy.dll", true);
  EXPECT_EQ(r.method, ReplaceMethod::kBatch);
  EXPECT_TRUE(r.reboot_needed);
  std::string temp;
  ASSERT_TRUE(m_.platform().Files().TempDirectory(&temp));
  EXPECT_TRUE(SameText(ExtractFilePath(r.batch_file), temp)) << r.batch_file;
  EXPECT_TRUE(SameText(ExtractFileName(r.batch_file).substr(0, 3), "bat")) << r.batch_file;
  EXPECT_EQ(ExtractFileExt(r.batch_file), ".bat");
  EXPECT_EQ(GetFile(m_.platform(), r.batch_file),
            "erase " + r.short_target + "\r\nmove " + r.short_new + " " + r.short_target + "\r\n");
  EXPECT_EQ(r.unfinished, (std::vector<UnfinishedEntry>{{r.batch_file, 1}}));
  // The empty file the system made for the name is not left behind.
  EXPECT_FALSE(m_.platform().Files().Exists(ChangeFileExt(r.batch_file, ".tmp")));
  m_.platform().Files().RemoveFile(r.batch_file);
}

TEST_F(FileReplacerTest, BatchFileQuotesANewNameWithBlanksAndNeverOverwritesAnOlderOne) {
  ASSERT_TRUE(PutFile(m_.platform(), Path("My Part.dll"), "old"));
  auto held = HoldOpen(m_.platform(), Path("My Part.dll"));
  FaultPlatform faults(m_.platform());
  ScopedPlatform scope(faults);
  faults.FailNth("Files.MoveEx", 1, winerr::kAccessDenied, true);
  FileReplacement first = ReplaceFileInUse(dir_, "My Part.dll", true);
  ASSERT_EQ(first.method, ReplaceMethod::kBatch);
  EXPECT_EQ(first.temp_name, "My Part.1");
  EXPECT_EQ(GetFile(m_.platform(), first.batch_file),
            "erase " + first.short_target + "\r\nmove \"" + first.short_new + "\" " +
                first.short_target + "\r\n");
  // The system hands out the same temporary name again once its empty file
  // is gone; the ".bat" of the first replacement must survive.
  FileReplacement second = ReplaceFileInUse(dir_, "My Part.dll", true);
  ASSERT_EQ(second.method, ReplaceMethod::kBatch);
  EXPECT_FALSE(SameText(first.batch_file, second.batch_file));
  EXPECT_NE(GetFile(m_.platform(), first.batch_file), "<missing>");
  m_.platform().Files().RemoveFile(first.batch_file);
  m_.platform().Files().RemoveFile(second.batch_file);
}

TEST_F(FileReplacerTest, WithoutADriverAFailedDelayedMoveIsLeftAsItIs) {
  ASSERT_TRUE(PutFile(m_.platform(), Path("Busy.dll"), "old"));
  auto held = HoldOpen(m_.platform(), Path("Busy.dll"));
  FaultPlatform faults(m_.platform());
  ScopedPlatform scope(faults);
  faults.FailNth("Files.MoveEx", 1, winerr::kAccessDenied);
  FileReplacement r = ReplaceFileInUse(dir_, "Busy.dll", false);
  EXPECT_EQ(r.method, ReplaceMethod::kNotScheduled);
  EXPECT_TRUE(r.in_use);
  EXPECT_TRUE(r.reboot_needed);
  EXPECT_TRUE(r.batch_file.empty());
  EXPECT_TRUE(r.unfinished.empty());
  EXPECT_EQ(faults.Calls("Files.TempFileName"), 0);
}

TEST_F(FileReplacerTest, FailuresNameWhatFailed) {
  ASSERT_TRUE(PutFile(m_.platform(), Path("Busy.dll"), "old"));
  auto held = HoldOpen(m_.platform(), Path("Busy.dll"));
  {
    VersionPlatform unknown(m_.platform(), 0, 0, 0);
    unknown.FailVersion();
    ScopedPlatform scope(unknown);
    MarkingTranslator translator;  // this message is never translated
    try {
      ReplaceFileInUse(dir_, "Busy.dll", true);
      FAIL();
    } catch (const Exception& e) {
      EXPECT_EQ(e.Message(), "Could not get information about the current version of Windows");
    }
  }
  {
    FaultPlatform faults(m_.platform());
    ScopedPlatform scope(faults);
    faults.FailNth("Files.MoveEx", 1, winerr::kAccessDenied);
    faults.FailNth("Files.TempFileName", 1, winerr::kAccessDenied);
    try {
      ReplaceFileInUse(dir_, "Busy.dll", true);
      FAIL();
    } catch (const Exception& e) {
      EXPECT_EQ(e.Message(), "Cannot create temporary file in OnReplace");
    }
  }
  {
    VersionPlatform win95(m_.platform(), platformid::kWindows, 4, 10);
    ScopedPlatform scope(win95);
    win95.FailNth("Ini.Write", 1, winerr::kAccessDenied);
    try {
      ReplaceFileInUse(dir_, "Busy.dll", true);
      FAIL();
    } catch (const Exception& e) {
      EXPECT_NE(e.Message().find("WININIT.INI"), std::string::npos) << e.Message();
      EXPECT_NE(e.Message().find("[Rename]"), std::string::npos) << e.Message();
    }
  }
}

#ifndef _WIN32
// Emulated machines of the other Windows versions, each with its own file
// system rules and restart.
class OtherWindowsTest : public ::testing::Test {
 protected:
  void Make(const char* version) {
    MachineSettings settings;
    ASSERT_TRUE(MachineSettings::ForVersion(version, &settings));
    host_ = std::filesystem::temp_directory_path() / ("kit-replace-" + std::string(version) + "-" +
                                                      std::to_string(::getpid()));
    std::filesystem::remove_all(host_);
    std::string error;
    machine_ = EmulatedMachine::Create(host_.string(), settings, &error);
    ASSERT_TRUE(machine_) << error;
    scope_ = std::make_unique<ScopedPlatform>(*machine_);
    ASSERT_TRUE(machine_->Files().MakeDirectories("C:\\Long Folder Name"));
  }
  ~OtherWindowsTest() override {
    scope_.reset();
    machine_.reset();
    std::filesystem::remove_all(host_);
  }
  std::filesystem::path host_;
  std::unique_ptr<EmulatedMachine> machine_;
  std::unique_ptr<ScopedPlatform> scope_;
};

TEST_F(OtherWindowsTest, Windows95ReplacesTheFileInUseThroughWininit) {
  Make("95");
  const std::string target = "C:\\Long Folder Name\\SHARED.DLL";
  ASSERT_TRUE(PutFile(*machine_, target, "old"));
  auto held = HoldOpen(*machine_, target);
  FileReplacement r = ReplaceFileInUse("C:\\Long Folder Name", "SHARED.DLL", true);
  ASSERT_EQ(r.method, ReplaceMethod::kWininit);
  EXPECT_EQ(r.short_target, "C:\\LONGFO~1\\SHARED.DLL");
  EXPECT_EQ(r.temp_name, "SHARED.1");
  EXPECT_EQ(r.short_new, "C:\\LONGFO~1\\SHARED.1");
  std::string error;
  std::ifstream in(machine_->HostPath("C:\\WINDOWS\\WININIT.INI", &error), std::ios::binary);
  const std::string ini((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_EQ(ini, "[Rename]\r\nC:\\LONGFO~1\\SHARED.DLL=C:\\LONGFO~1\\SHARED.1\r\n");
  ASSERT_TRUE(PutFile(*machine_, r.new_path, "new"));
  held.reset();
  ASSERT_TRUE(machine_->Restart(&error)) << error;
  EXPECT_EQ(GetFile(*machine_, target), "new");
  EXPECT_FALSE(machine_->Files().Exists(r.new_path));
}

TEST_F(OtherWindowsTest, Windows95KeepsOnlyTheShortNameOfALongFileItReplaces) {
  // WININIT runs before long names are known: the new file arrives under
  // the old one's short name (why shared DLLs need 8.3 names).
  Make("95");
  const std::string target = "C:\\Long Folder Name\\Shared Library.dll";
  ASSERT_TRUE(PutFile(*machine_, target, "old"));
  auto held = HoldOpen(*machine_, target);
  FileReplacement r = ReplaceFileInUse("C:\\Long Folder Name", "Shared Library.dll", true);
  ASSERT_EQ(r.method, ReplaceMethod::kWininit);
  EXPECT_EQ(r.short_target, "C:\\LONGFO~1\\SHARED~1.DLL");
  EXPECT_EQ(r.temp_name, "SHARED~1.1");
  EXPECT_EQ(r.short_new, "C:\\LONGFO~1\\SHARED~1.1");
  ASSERT_TRUE(PutFile(*machine_, r.new_path, "new"));
  held.reset();
  std::string error;
  ASSERT_TRUE(machine_->Restart(&error)) << error;
  EXPECT_EQ(GetFile(*machine_, "C:\\Long Folder Name\\SHARED~1.DLL"), "new");
  EXPECT_FALSE(machine_->Files().Exists(r.new_path));
}

TEST_F(OtherWindowsTest, Win32sHasNoDelayedMoveSoTheBatchFileDoesIt) {
  Make("win32s");
  const std::string target = "C:\\Long Folder Name\\Part.dll";
  ASSERT_TRUE(PutFile(*machine_, target, "old"));
  auto held = HoldOpen(*machine_, target);
  FileReplacement r = ReplaceFileInUse("C:\\Long Folder Name", "Part.dll", true);
  ASSERT_EQ(r.method, ReplaceMethod::kBatch);
  EXPECT_EQ(r.platform_class, 0);
  EXPECT_EQ(r.short_target.substr(0, 12), "C:\\LONGFO~1\\");
  EXPECT_EQ(GetFile(*machine_, r.batch_file), "erase " + r.short_target +
                                                  "\r\nmove C:\\LONGFO~1\\Part.1 " +
                                                  r.short_target + "\r\n");
  EXPECT_EQ(r.unfinished, (std::vector<UnfinishedEntry>{{r.batch_file, 1}}));
}
#endif

}  // namespace
}  // namespace kit
