#include "platform/emulated/emulated_machine.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>

#include "platform/emulated/host_ini.h"

namespace kit {
namespace {

class MachineTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string templ = (std::filesystem::temp_directory_path() / "kitemu-XXXXXX").string();
    ASSERT_NE(::mkdtemp(templ.data()), nullptr);
    root_ = templ;
  }
  void TearDown() override {
    m_.reset();
    std::filesystem::remove_all(root_);
  }
  EmulatedMachine& Make(const char* version = "xp", uint64_t c_capacity = 0) {
    MachineSettings s;
    EXPECT_TRUE(MachineSettings::ForVersion(version, &s));
    if (c_capacity)
      for (auto& d : s.drives)
        if (d.letter == 'C') d.capacity = c_capacity;
    std::string error;
    m_ = EmulatedMachine::Create(dir(), s, &error);
    EXPECT_TRUE(m_) << error;
    return *m_;
  }
  std::string dir() const { return root_ + "/m"; }
  void Reopen() {
    m_.reset();
    std::string error;
    m_ = EmulatedMachine::Open(dir(), &error);
    ASSERT_TRUE(m_) << error;
  }
  bool WriteFile(const std::string& path, const std::string& data) {
    auto f = m_->Files().Open(path, FileAccess::kWrite, share::kNone, Disposition::kCreateAlways);
    uint32_t n = 0;
    return f && f->Write(data.data(), static_cast<uint32_t>(data.size()), &n);
  }
  std::string ReadFile(const std::string& path) {
    auto f = m_->Files().Open(path, FileAccess::kRead, share::kRead, Disposition::kOpenExisting);
    if (!f) return "<error " + std::to_string(m_->LastError()) + ">";
    std::string s;
    char buf[256];
    uint32_t got = 0;
    while (f->Read(buf, sizeof buf, &got) && got) s.append(buf, got);
    return s;
  }
  std::string root_;
  std::unique_ptr<EmulatedMachine> m_;
};

// ---------------------------------------------------------------- files

TEST_F(MachineTest, PathsIgnoreCaseAndKeepTheCaseGiven) {
  FileSystem& fs = Make().Files();
  ASSERT_TRUE(fs.MakeDirectory("C:\\TavWin"));
  EXPECT_FALSE(fs.MakeDirectory("c:\\TAVWIN"));
  EXPECT_EQ(m_->LastError(), winerr::kAlreadyExists);
  ASSERT_TRUE(WriteFile("c:/tavwin/Read Me.Txt", "hi"));
  EXPECT_EQ(ReadFile("C:\\TAVWIN\\READ ME.TXT"), "hi");
  std::vector<FileEntry> list;
  ASSERT_TRUE(fs.List("C:\\tavwin", "*.txt", &list));
  ASSERT_EQ(list.size(), 1u);
  EXPECT_EQ(list[0].name, "Read Me.Txt");
  EXPECT_EQ(list[0].size, 2);
  EXPECT_TRUE(std::filesystem::exists(dir() + "/drives/c/TavWin/Read Me.Txt"));
  // Relative paths resolve against the current directory.
  ASSERT_TRUE(fs.SetCurrentDir("c:\\TAVWIN"));
  EXPECT_EQ(ReadFile("read me.txt"), "hi");
  EXPECT_TRUE(fs.Exists("..\\TAVWIN\\READ ME.TXT"));
  // Missing parents and files are told apart, as Windows does.
  EXPECT_EQ(fs.Attributes("C:\\NOPE\\X.TXT"), attr::kInvalid);
  EXPECT_EQ(m_->LastError(), winerr::kPathNotFound);
  EXPECT_EQ(fs.Attributes("C:\\TAVWIN\\X.TXT"), attr::kInvalid);
  EXPECT_EQ(m_->LastError(), winerr::kFileNotFound);
}

TEST_F(MachineTest, PathsCannotLeaveTheMachine) {
  FileSystem& fs = Make().Files();
  std::ofstream(root_ + "/outside.txt") << "secret";
  for (const std::string& p : {std::string("C:\\..\\..\\outside.txt"), std::string("..\\..\\..\\..\\outside.txt"),
                               std::string("C:\\WINDOWS\\..\\..\\..\\outside.txt"),
                               std::string("C:\\x\0..", 7), std::string("\\\\host\\share\\f")}) {
    EXPECT_FALSE(fs.Open(p, FileAccess::kRead, share::kAll, Disposition::kOpenExisting)) << p;
    EXPECT_FALSE(fs.Open(p, FileAccess::kWrite, share::kAll, Disposition::kCreateAlways)) << p;
    EXPECT_NE(m_->LastError(), 0u);
  }
  EXPECT_FALSE(fs.Exists("Q:\\x"));  // an unknown drive
  EXPECT_EQ(m_->LastError(), winerr::kPathNotFound);
  EXPECT_FALSE(fs.Exists("A:\\x"));  // the floppy drive has no disk
  EXPECT_EQ(m_->LastError(), winerr::kNotReady);
  std::string full;
  ASSERT_TRUE(fs.FullPath("C:\\A\\.\\B\\..\\C\\", &full));
  EXPECT_EQ(full, "C:\\A\\C\\");
}

TEST_F(MachineTest, ShortNamesAreGeneratedAndResolve) {
  FileSystem& fs = Make().Files();
  ASSERT_TRUE(fs.MakeDirectories("C:\\Long Folder Name\\Another Long One"));
  ASSERT_TRUE(fs.MakeDirectory("C:\\Long Folder Second"));
  ASSERT_TRUE(WriteFile("C:\\Long Folder Name\\Another Long One\\version.info.txt", "x"));
  std::string s;
  ASSERT_TRUE(fs.ShortPath("c:\\long folder name\\another long one\\version.info.txt", &s));
  EXPECT_EQ(s, "c:\\LONGFO~1\\ANOTHE~1\\VERSIO~1.TXT");
  ASSERT_TRUE(fs.ShortPath("C:\\Long Folder Second", &s));
  EXPECT_EQ(s, "C:\\LONGFO~2");
  ASSERT_TRUE(fs.ShortPath("C:\\WINDOWS\\SYSTEM32", &s));
  EXPECT_EQ(s, "C:\\WINDOWS\\SYSTEM32");
  EXPECT_EQ(ReadFile("C:\\LONGFO~1\\ANOTHE~1\\VERSIO~1.TXT"), "x");
  EXPECT_FALSE(fs.ShortPath("C:\\Nothing Here", &s));
}

TEST_F(MachineTest, ShareModesAmongHandles) {
  FileSystem& fs = Make().Files();
  ASSERT_TRUE(WriteFile("C:\\F.TXT", "data"));
  {
    auto a = fs.Open("C:\\F.TXT", FileAccess::kRead, share::kRead, Disposition::kOpenExisting);
    ASSERT_TRUE(a);
    EXPECT_TRUE(fs.Open("C:\\f.txt", FileAccess::kRead, share::kRead, Disposition::kOpenExisting));
    EXPECT_FALSE(fs.Open("C:\\F.TXT", FileAccess::kWrite, share::kAll, Disposition::kOpenExisting));
    EXPECT_EQ(m_->LastError(), winerr::kSharingViolation);
    // The second opener must allow what the first one does (reading).
    EXPECT_FALSE(fs.Open("C:\\F.TXT", FileAccess::kRead, share::kWrite, Disposition::kOpenExisting));
    EXPECT_FALSE(fs.RemoveFile("C:\\F.TXT"));
    EXPECT_EQ(m_->LastError(), winerr::kSharingViolation);
    EXPECT_FALSE(fs.Rename("C:\\F.TXT", "C:\\G.TXT"));
    EXPECT_EQ(m_->LastError(), winerr::kSharingViolation);
  }
  {
    auto a = fs.Open("C:\\F.TXT", FileAccess::kRead, share::kAll, Disposition::kOpenExisting);
    EXPECT_TRUE(fs.Rename("C:\\F.TXT", "C:\\G.TXT"));  // delete sharing allows it
  }
  EXPECT_TRUE(fs.Exists("C:\\G.TXT"));
}

TEST_F(MachineTest, FilesMarkedInUse) {
  EmulatedMachine& m = Make();
  FileSystem& fs = m.Files();
  ASSERT_TRUE(WriteFile("C:\\TAVWIN.DLL", "old"));
  ASSERT_TRUE(WriteFile("C:\\LOCKED.DLL", "old"));
  std::string error;
  ASSERT_TRUE(m.MarkInUse("c:\\tavwin.dll", InUseMode::kDenyWrite, &error)) << error;
  ASSERT_TRUE(m.MarkInUse("C:\\LOCKED.DLL", InUseMode::kDenyAll, &error)) << error;
  EXPECT_FALSE(m.MarkInUse("C:\\NONE.DLL", InUseMode::kDenyAll, &error));
  EXPECT_EQ(ReadFile("C:\\TAVWIN.DLL"), "old");
  EXPECT_EQ(ReadFile("C:\\LOCKED.DLL"), "<error 32>");
  for (const char* p : {"C:\\TAVWIN.DLL", "C:\\LOCKED.DLL"}) {
    EXPECT_FALSE(fs.RemoveFile(p));
    EXPECT_EQ(m.LastError(), winerr::kSharingViolation);
    EXPECT_FALSE(fs.Rename(p, "C:\\OTHER.DLL"));
    EXPECT_EQ(m.LastError(), winerr::kSharingViolation);
    EXPECT_FALSE(fs.Open(p, FileAccess::kWrite, share::kAll, Disposition::kOpenExisting));
    EXPECT_EQ(m.LastError(), winerr::kSharingViolation);
    EXPECT_FALSE(fs.Copy("C:\\WINDOWS\\..\\TAVWIN.DLL", p, false) && std::string(p) == "C:\\LOCKED.DLL");
  }
  ASSERT_TRUE(WriteFile("C:\\NEW.DLL", "new"));
  EXPECT_FALSE(fs.MoveEx("C:\\NEW.DLL", "C:\\TAVWIN.DLL", movefile::kReplaceExisting));
  EXPECT_EQ(m.LastError(), winerr::kSharingViolation);
  EXPECT_TRUE(m.ClearInUse("C:\\TAVWIN.DLL"));
  EXPECT_TRUE(fs.MoveEx("C:\\NEW.DLL", "C:\\TAVWIN.DLL", movefile::kReplaceExisting));
  EXPECT_EQ(ReadFile("C:\\TAVWIN.DLL"), "new");
  // A restart ends every process: nothing stays in use.
  ASSERT_TRUE(m.Restart(&error)) << error;
  EXPECT_TRUE(fs.RemoveFile("C:\\LOCKED.DLL"));
}

TEST_F(MachineTest, ReadOnlyFilesAndAttributes) {
  FileSystem& fs = Make().Files();
  ASSERT_TRUE(WriteFile("C:\\RO.TXT", "keep"));
  EXPECT_EQ(fs.Attributes("C:\\RO.TXT"), attr::kArchive);
  ASSERT_TRUE(fs.SetAttributes("C:\\RO.TXT", attr::kReadOnly | attr::kHidden));
  Reopen();  // attributes persist
  FileSystem& fs2 = m_->Files();
  EXPECT_EQ(fs2.Attributes("c:\\ro.txt"), attr::kReadOnly | attr::kHidden);
  EXPECT_FALSE(fs2.RemoveFile("C:\\RO.TXT"));
  EXPECT_EQ(m_->LastError(), winerr::kAccessDenied);
  EXPECT_FALSE(fs2.Open("C:\\RO.TXT", FileAccess::kWrite, share::kAll, Disposition::kOpenExisting));
  EXPECT_EQ(m_->LastError(), winerr::kAccessDenied);
  EXPECT_FALSE(fs2.Copy("C:\\WINDOWS\\..\\RO.TXT", "C:\\RO.TXT", false));
  EXPECT_EQ(ReadFile("C:\\RO.TXT"), "keep");
  // A copy keeps the attributes; renaming keeps them with the file.
  ASSERT_TRUE(fs2.Copy("C:\\RO.TXT", "C:\\COPY.TXT", true));
  EXPECT_EQ(fs2.Attributes("C:\\COPY.TXT"), attr::kReadOnly | attr::kHidden | attr::kArchive);
  ASSERT_TRUE(fs2.Rename("C:\\RO.TXT", "C:\\MOVED.TXT"));
  EXPECT_EQ(fs2.Attributes("C:\\MOVED.TXT"), attr::kReadOnly | attr::kHidden);
  ASSERT_TRUE(fs2.SetAttributes("C:\\MOVED.TXT", attr::kNormal));
  EXPECT_EQ(fs2.Attributes("C:\\MOVED.TXT"), attr::kNormal);
  EXPECT_TRUE(fs2.RemoveFile("C:\\MOVED.TXT"));
  // A new file of the same name starts with the default attributes.
  ASSERT_TRUE(WriteFile("C:\\MOVED.TXT", ""));
  EXPECT_EQ(fs2.Attributes("C:\\MOVED.TXT"), attr::kArchive);
}

TEST_F(MachineTest, DosTimesAndDispositions) {
  FileSystem& fs = Make().Files();
  uint32_t t = (((1998 - 1980) << 9 | 5 << 5 | 17) << 16) | (13 << 11 | 45 << 5 | 30 / 2);
  ASSERT_TRUE(WriteFile("C:\\T.TXT", "abc"));
  ASSERT_TRUE(fs.SetTime("C:\\T.TXT", t));
  uint32_t got = 0;
  ASSERT_TRUE(fs.GetTime("C:\\T.TXT", &got));
  EXPECT_EQ(got, t);
  EXPECT_FALSE(fs.Open("C:\\T.TXT", FileAccess::kWrite, share::kNone, Disposition::kCreateNew));
  EXPECT_EQ(m_->LastError(), winerr::kFileExists);
  EXPECT_FALSE(fs.Open("C:\\U.TXT", FileAccess::kRead, share::kNone, Disposition::kOpenExisting));
  EXPECT_EQ(m_->LastError(), winerr::kFileNotFound);
  {
    auto f = fs.Open("C:\\T.TXT", FileAccess::kReadWrite, share::kNone, Disposition::kOpenAlways);
    ASSERT_TRUE(f);
    EXPECT_EQ(m_->LastError(), winerr::kAlreadyExists);
    EXPECT_EQ(f->Size(), 3);
    ASSERT_TRUE(f->Seek(1, SeekOrigin::kBegin));
    ASSERT_TRUE(f->Truncate());
    EXPECT_EQ(f->Size(), 1);
    EXPECT_FALSE(f->Seek(-5, SeekOrigin::kCurrent));
  }
  EXPECT_FALSE(fs.Rename("C:\\T.TXT", "C:\\WINDOWS"));
  EXPECT_EQ(m_->LastError(), winerr::kAlreadyExists);
  EXPECT_TRUE(fs.Rename("C:\\T.TXT", "C:\\t.TXT"));  // only the case changes
  std::vector<FileEntry> list;
  ASSERT_TRUE(fs.List("C:\\", "t.*", &list));
  ASSERT_EQ(list.size(), 1u);
  EXPECT_EQ(list[0].name, "t.TXT");
  // Directories: not empty, not a file.
  ASSERT_TRUE(fs.MakeDirectory("C:\\D"));
  ASSERT_TRUE(WriteFile("C:\\D\\X", "1"));
  EXPECT_FALSE(fs.RemoveDir("C:\\D"));
  EXPECT_EQ(m_->LastError(), winerr::kDirNotEmpty);
  EXPECT_FALSE(fs.RemoveFile("C:\\D"));
  EXPECT_EQ(m_->LastError(), winerr::kAccessDenied);
  EXPECT_FALSE(fs.Rename("C:\\D", "C:\\D\\SUB"));
}

TEST_F(MachineTest, TempFilesAreCreatedEmpty) {
  FileSystem& fs = Make().Files();
  std::string tmp_dir, a, b;
  ASSERT_TRUE(fs.TempDirectory(&tmp_dir));
  EXPECT_EQ(tmp_dir, "C:\\WINDOWS\\TEMP\\");
  ASSERT_TRUE(fs.TempFileName(tmp_dir, "batch", &a));
  ASSERT_TRUE(fs.TempFileName(tmp_dir, "bat", &b));
  EXPECT_EQ(a, "C:\\WINDOWS\\TEMP\\bat1.TMP");
  EXPECT_EQ(b, "C:\\WINDOWS\\TEMP\\bat2.TMP");
  EXPECT_TRUE(fs.Exists(a));
  EXPECT_EQ(ReadFile(a), "");
  EXPECT_FALSE(fs.TempFileName("C:\\NO\\SUCH", "x", &a));
}

TEST_F(MachineTest, DiskCapacityIsEnforced) {
  FileSystem& fs = Make("xp", 1000).Files();
  uint64_t free_bytes = 0, total = 0;
  ASSERT_TRUE(fs.DiskSpace("C:\\", &free_bytes, &total));
  EXPECT_EQ(total, 1000u);
  EXPECT_EQ(free_bytes, 1000u);
  ASSERT_TRUE(WriteFile("C:\\A.BIN", std::string(600, 'a')));
  ASSERT_TRUE(fs.DiskSpace("c:\\windows", &free_bytes, &total));
  EXPECT_EQ(free_bytes, 400u);
  {
    auto f = fs.Open("C:\\B.BIN", FileAccess::kWrite, share::kNone, Disposition::kCreateAlways);
    std::string data(500, 'b');
    uint32_t n = 0;
    EXPECT_FALSE(f->Write(data.data(), 500, &n));
    EXPECT_EQ(n, 400u);
    EXPECT_EQ(m_->LastError(), winerr::kDiskFull);
    // Overwriting in place needs no new space.
    ASSERT_TRUE(f->Seek(0, SeekOrigin::kBegin));
    EXPECT_TRUE(f->Write(data.data(), 400, &n));
  }
  EXPECT_FALSE(fs.Copy("C:\\A.BIN", "C:\\C.BIN", false));
  EXPECT_EQ(m_->LastError(), winerr::kDiskFull);
  EXPECT_FALSE(fs.Exists("C:\\C.BIN"));
  ASSERT_TRUE(fs.RemoveFile("C:\\A.BIN"));
  EXPECT_TRUE(fs.Copy("C:\\B.BIN", "C:\\C.BIN", false));
}

// Creating over an existing file empties it and gives it the time of the
// change, whether it held bytes or none.
TEST_F(MachineTest, CreateAlwaysOverAnExistingFileTakesTheTimeOfTheChange) {
  FileSystem& fs = Make().Files();
  const uint32_t old_time = (10u << 9 | 1u << 5 | 1u) << 16;  // 1990-01-01
  for (const char* data : {"", "some bytes"}) {
    ASSERT_TRUE(WriteFile("C:\\OLD.TXT", data));
    ASSERT_TRUE(fs.SetTime("C:\\OLD.TXT", old_time));
    {
      auto f = fs.Open("C:\\OLD.TXT", FileAccess::kWrite, share::kNone, Disposition::kCreateAlways);
      ASSERT_TRUE(f);
      EXPECT_EQ(m_->LastError(), winerr::kAlreadyExists);
      EXPECT_EQ(f->Size(), 0);
    }
    uint32_t t = 0;
    ASSERT_TRUE(fs.GetTime("C:\\OLD.TXT", &t));
    EXPECT_GT(t, old_time) << "contents \"" << data << "\"";
  }
}

// The bytes in use, kept from one measure through this machine's own
// changes, agree with a fresh measure after each kind of change.
TEST_F(MachineTest, SpaceInUseFollowsOwnChanges) {
  FileSystem& fs = Make("xp", 100000).Files();
  auto free_now = [&] {
    uint64_t free_bytes = 0;
    EXPECT_TRUE(fs.DiskSpace("C:\\", &free_bytes, nullptr));
    return free_bytes;
  };
  auto free_fresh = [&] {
    std::string error;
    auto other = EmulatedMachine::Open(dir(), &error);
    uint64_t free_bytes = 0;
    EXPECT_TRUE(other && other->Files().DiskSpace("C:\\", &free_bytes, nullptr)) << error;
    return free_bytes;
  };
  const uint64_t start = free_now();
  ASSERT_TRUE(WriteFile("C:\\A.BIN", std::string(3000, 'a')));
  ASSERT_TRUE(WriteFile("C:\\B.BIN", std::string(1000, 'b')));
  EXPECT_EQ(free_now(), start - 4000);
  ASSERT_TRUE(fs.Copy("C:\\A.BIN", "C:\\B.BIN", false));  // 3000 replace 1000
  EXPECT_EQ(free_now(), start - 6000);
  EXPECT_EQ(free_fresh(), free_now());
  ASSERT_TRUE(fs.MoveEx("C:\\A.BIN", "C:\\B.BIN", movefile::kReplaceExisting));
  EXPECT_EQ(free_now(), start - 3000);
  ASSERT_TRUE(WriteFile("C:\\B.BIN", std::string(10, 'c')));  // truncated and rewritten
  EXPECT_EQ(free_now(), start - 10);
  ASSERT_TRUE(WriteFile("C:\\D.BIN", std::string(500, 'd')));
  ASSERT_TRUE(fs.RemoveFile("C:\\B.BIN"));
  EXPECT_EQ(free_now(), start - 500);
  {
    auto f = fs.Open("C:\\D.BIN", FileAccess::kReadWrite, share::kNone, Disposition::kOpenExisting);
    ASSERT_TRUE(f && f->Seek(200, SeekOrigin::kBegin) && f->Truncate());
  }
  EXPECT_EQ(free_now(), start - 200);
  EXPECT_EQ(free_fresh(), free_now());
}

// Another process of the machine (here a second machine object on the same
// folder) changing files is seen by the next check of this one, though this
// one keeps its measure between its own changes.
TEST_F(MachineTest, SpaceInUseSeesOtherProcessesOfTheMachine) {
  FileSystem& fs = Make("xp", 10000).Files();
  ASSERT_TRUE(WriteFile("C:\\MINE.BIN", std::string(1000, 'm')));
  std::string error;
  auto other = EmulatedMachine::Open(dir(), &error);
  ASSERT_TRUE(other) << error;
  FileSystem& ofs = other->Files();
  uint64_t free_bytes = 0;
  ASSERT_TRUE(ofs.DiskSpace("C:\\", &free_bytes, nullptr));
  const uint64_t base = free_bytes;
  {
    auto f = ofs.Open("C:\\THEIRS.BIN", FileAccess::kWrite, share::kAll, Disposition::kCreateAlways);
    uint32_t n = 0;
    std::string data(4000, 't');
    ASSERT_TRUE(f && f->Write(data.data(), 4000, &n));
  }
  ASSERT_TRUE(fs.DiskSpace("C:\\", &free_bytes, nullptr));
  EXPECT_EQ(free_bytes, base - 4000);
  // Their file grows while open; this machine's write no longer fits.
  auto theirs = ofs.Open("C:\\THEIRS.BIN", FileAccess::kWrite, share::kAll, Disposition::kOpenExisting);
  ASSERT_TRUE(theirs && theirs->Seek(0, SeekOrigin::kEnd));
  std::string more(base - 4000 - 100, 'x');
  uint32_t n = 0;
  ASSERT_TRUE(theirs->Write(more.data(), static_cast<uint32_t>(more.size()), &n));
  auto mine = fs.Open("C:\\MINE.BIN", FileAccess::kWrite, share::kAll, Disposition::kOpenExisting);
  ASSERT_TRUE(mine && mine->Seek(0, SeekOrigin::kEnd));
  std::string data(300, 'm');
  EXPECT_FALSE(mine->Write(data.data(), 300, &n));
  EXPECT_EQ(n, 100u);
  EXPECT_EQ(m_->LastError(), winerr::kDiskFull);
  // Their removal frees the space for this machine again.
  theirs.reset();
  ASSERT_TRUE(ofs.RemoveFile("C:\\THEIRS.BIN"));
  EXPECT_TRUE(mine->Write(data.data(), 300, &n));
}

// ---------------------------------------------------------------- registry

TEST_F(MachineTest, RegistryPersistsIgnoresCaseAndEnumeratesSorted) {
  Registry& reg = Make().Reg();
  {
    auto k = reg.Open(RegRoot::kLocalMachine, "\\SOFTWARE\\Tavrix\\Setup", RegAccess::kAll, true);
    ASSERT_TRUE(k);
    ASSERT_TRUE(k->Set("Zeta", RegValue::String("C:\\Tavwin \"1.1\"")));
    ASSERT_TRUE(k->Set("alpha", RegValue::Dword(7)));
    ASSERT_TRUE(k->Set("", RegValue::MultiString({"a", "b"})));
    ASSERT_TRUE(k->Set("ZETA", RegValue::String("again")));  // same value, old name kept
    ASSERT_TRUE(reg.Open(RegRoot::kLocalMachine, "software\\tavrix\\Beta", RegAccess::kAll, true));
  }
  Reopen();
  auto k = m_->Reg().Open(RegRoot::kLocalMachine, "Software\\TAVRIX\\setup", RegAccess::kRead, false);
  ASSERT_TRUE(k);
  std::vector<std::string> names;
  ASSERT_TRUE(k->ValueNames(&names));
  EXPECT_EQ(names, (std::vector<std::string>{"", "alpha", "Zeta"}));
  RegValue v;
  ASSERT_TRUE(k->Query("zeta", &v));
  EXPECT_EQ(*v.AsString(), "again");
  ASSERT_TRUE(k->Query("", &v));
  EXPECT_EQ(*v.AsMultiString(), (std::vector<std::string>{"a", "b"}));
  EXPECT_FALSE(k->Set("x", RegValue::Dword(1)));  // opened for reading
  EXPECT_EQ(m_->LastError(), winerr::kAccessDenied);
  EXPECT_FALSE(k->Query("missing", &v));
  EXPECT_EQ(m_->LastError(), winerr::kFileNotFound);
  auto parent = m_->Reg().Open(RegRoot::kLocalMachine, "SOFTWARE\\Tavrix", RegAccess::kAll, false);
  ASSERT_TRUE(parent->SubkeyNames(&names));
  EXPECT_EQ(names, (std::vector<std::string>{"Beta", "Setup"}));
  // A key deleted under an open handle.
  ASSERT_TRUE(m_->Reg().DeleteKeyTree(RegRoot::kLocalMachine, "SOFTWARE\\TAVRIX\\SETUP"));
  EXPECT_FALSE(k->Query("zeta", &v));
  EXPECT_EQ(m_->LastError(), winerr::kKeyDeleted);
  EXPECT_TRUE(m_->Reg().DeleteKeyTree(RegRoot::kLocalMachine, "SOFTWARE\\Tavrix\\Missing"));
  EXPECT_FALSE(m_->Reg().Open(RegRoot::kLocalMachine, "SOFTWARE\\Nope", RegAccess::kRead, false));
  EXPECT_EQ(m_->LastError(), winerr::kFileNotFound);
}

TEST_F(MachineTest, RegistryRootsAndAliases) {
  Registry& reg = Make("95").Reg();
  ASSERT_TRUE(reg.Open(RegRoot::kClassesRoot, ".tav", RegAccess::kAll, true)->Set("", RegValue::String("tavfile")));
  auto k = reg.Open(RegRoot::kLocalMachine, "SOFTWARE\\CLASSES\\.TAV", RegAccess::kRead, false);
  ASSERT_TRUE(k);
  RegValue v;
  ASSERT_TRUE(k->Query("", &v));
  EXPECT_EQ(*v.AsString(), "tavfile");
  EXPECT_TRUE(reg.Open(RegRoot::kCurrentConfig, "", RegAccess::kRead, false));
  EXPECT_TRUE(reg.Open(RegRoot::kDynData, "PerfStats", RegAccess::kRead, false));
  EXPECT_FALSE(reg.Open(RegRoot::kDynData, "PerfStats", RegAccess::kAll, false));
  EXPECT_EQ(m_->LastError(), winerr::kAccessDenied);
  EXPECT_FALSE(reg.Open(RegRoot::kDynData, "New", RegAccess::kRead, true));
  EXPECT_TRUE(reg.Open(RegRoot::kCurrentUser, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
                       RegAccess::kRead, false));
  m_.reset();
  std::filesystem::remove_all(dir());
  Make("nt4");
  EXPECT_FALSE(m_->Reg().Open(RegRoot::kDynData, "", RegAccess::kRead, false));
  EXPECT_EQ(m_->LastError(), winerr::kInvalidHandle);
}

TEST_F(MachineTest, RegistryFileIsReadAgainWhenAnotherProcessChangedIt) {
  Make();
  std::string error;
  auto other = EmulatedMachine::Open(dir(), &error);
  ASSERT_TRUE(other) << error;
  ASSERT_TRUE(other->Reg().Open(RegRoot::kCurrentUser, "Software\\Other", RegAccess::kAll, true)
                  ->Set("v", RegValue::String("from the other")));
  auto k = m_->Reg().Open(RegRoot::kCurrentUser, "Software\\Other", RegAccess::kRead, false);
  ASSERT_TRUE(k);
  RegValue v;
  ASSERT_TRUE(k->Query("v", &v));
  EXPECT_EQ(*v.AsString(), "from the other");
}

TEST_F(MachineTest, MalformedRegistryFailsToOpenWithItsLine) {
  Make();
  m_.reset();
  std::ofstream(dir() + "/registry.reg", std::ios::trunc)
      << "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\SOFTWARE]\r\n\"a\"=dword:xyz\r\n";
  std::string error;
  EXPECT_FALSE(EmulatedMachine::Open(dir(), &error));
  EXPECT_NE(error.find("registry.reg: line 4: bad hexadecimal digit 'x' in dword"), std::string::npos) << error;
  EXPECT_FALSE(EmulatedMachine::Open(root_ + "/none", &error));
  EXPECT_NE(error.find("no machine at " + root_ + "/none"), std::string::npos) << error;
}

// ---------------------------------------------------------------- INI files

TEST_F(MachineTest, IniFilesFollowTheProfileRules) {
  EmulatedMachine& m = Make();
  IniFiles& ini = m.Ini();
  ASSERT_TRUE(WriteFile("C:\\WINDOWS\\TAV.INI", "; comment\r\n[Main]\r\nPath = \"C:\\Tavwin\" \r\n\r\n[Other]\r\nx=1\r\n"));
  EXPECT_EQ(ini.Read("tav.ini", "MAIN", "path", "def"), "C:\\Tavwin");
  EXPECT_EQ(ini.Read("C:\\WINDOWS\\TAV.INI", "main", "missing", "def"), "def");
  EXPECT_EQ(ini.Read("NONE.INI", "main", "path", "def"), "def");
  ASSERT_TRUE(ini.Write("TAV.INI", "main", "PATH", "D:\\New"));
  ASSERT_TRUE(ini.Write("TAV.INI", "Main", "Second", "2"));
  ASSERT_TRUE(ini.Write("TAV.INI", "Added", "k", "v"));
  EXPECT_EQ(ReadFile("C:\\WINDOWS\\TAV.INI"),
            "; comment\r\n[Main]\r\nPath=D:\\New\r\nSecond=2\r\n\r\n[Other]\r\nx=1\r\n[Added]\r\nk=v\r\n");
  EXPECT_EQ(ini.ReadSection("TAV.INI", "MAIN"), (std::vector<std::string>{"Path", "Second"}));
  ASSERT_TRUE(ini.DeleteKey("TAV.INI", "main", "path"));
  ASSERT_TRUE(ini.EraseSection("TAV.INI", "other"));
  EXPECT_EQ(ReadFile("C:\\WINDOWS\\TAV.INI"), "; comment\r\n[Main]\r\nSecond=2\r\n\r\n[Added]\r\nk=v\r\n");
  // A file in use cannot be written, and stays as it was.
  std::string error;
  ASSERT_TRUE(m.MarkInUse("C:\\WINDOWS\\TAV.INI", InUseMode::kDenyWrite, &error));
  EXPECT_FALSE(ini.Write("TAV.INI", "Main", "Second", "3"));
  EXPECT_EQ(ini.Read("TAV.INI", "Main", "Second", ""), "2");
  std::vector<FileEntry> left;
  ASSERT_TRUE(m.Files().List("C:\\WINDOWS", "*.TMP", &left));
  EXPECT_TRUE(left.empty());
}

// ---------------------------------------------------------------- restart

TEST_F(MachineTest, DelayedMovesOnNtAreRecordedAsWindowsRecordsThem) {
  EmulatedMachine& m = Make("nt4");
  FileSystem& fs = m.Files();
  ASSERT_TRUE(fs.MakeDirectory("C:\\Tavwin"));
  ASSERT_TRUE(WriteFile("C:\\Tavwin\\A.DLL", "old"));
  ASSERT_TRUE(WriteFile("C:\\Tavwin\\A.1", "new"));
  ASSERT_TRUE(WriteFile("C:\\Tavwin\\SETUP.EXE", "me"));
  std::string error;
  ASSERT_TRUE(m.MarkInUse("C:\\Tavwin\\A.DLL", InUseMode::kDenyWrite, &error));
  ASSERT_TRUE(fs.MoveEx("C:\\Tavwin\\A.1", "C:\\Tavwin\\A.DLL", movefile::kDelayUntilReboot));
  ASSERT_TRUE(fs.MoveEx("C:\\Tavwin\\SETUP.EXE", "",
                        movefile::kDelayUntilReboot | movefile::kReplaceExisting));
  ASSERT_TRUE(WriteFile("C:\\Tavwin\\B.2", "b"));
  ASSERT_TRUE(fs.MoveEx("C:\\Tavwin\\B.2", "C:\\Tavwin\\B.DLL",
                        movefile::kDelayUntilReboot | movefile::kReplaceExisting));
  EXPECT_EQ(ReadFile("C:\\Tavwin\\A.DLL"), "old");  // nothing moved yet
  auto k = m.Reg().Open(RegRoot::kLocalMachine, "SYSTEM\\CurrentControlSet\\Control\\Session Manager",
                        RegAccess::kRead, false);
  RegValue v;
  ASSERT_TRUE(k->Query("PendingFileRenameOperations", &v));
  EXPECT_EQ(v.type, regtype::kMultiSz);
  EXPECT_EQ(v.data, std::string("\\??\\C:\\Tavwin\\A.1\0\\??\\C:\\Tavwin\\A.DLL\0"
                                "\\??\\C:\\Tavwin\\SETUP.EXE\0\0"
                                "\\??\\C:\\Tavwin\\B.2\0!\\??\\C:\\Tavwin\\B.DLL\0\0",
                                sizeof("\\??\\C:\\Tavwin\\A.1\0\\??\\C:\\Tavwin\\A.DLL\0"
                                       "\\??\\C:\\Tavwin\\SETUP.EXE\0\0"
                                       "\\??\\C:\\Tavwin\\B.2\0!\\??\\C:\\Tavwin\\B.DLL\0\0") - 1));
  ASSERT_TRUE(m.Restart(&error)) << error;
  // A.DLL existed and the move had no replace flag: Windows leaves it.
  EXPECT_EQ(ReadFile("C:\\Tavwin\\A.DLL"), "old");
  EXPECT_FALSE(fs.Exists("C:\\Tavwin\\SETUP.EXE"));
  EXPECT_EQ(ReadFile("C:\\Tavwin\\B.DLL"), "b");
  EXPECT_FALSE(k->Query("PendingFileRenameOperations", &v));
  auto j = m.Journal();
  EXPECT_NE(std::find(j.begin(), j.end(), "PendingRename C:\\Tavwin\\SETUP.EXE -> (delete) -> ok"), j.end());
}

TEST_F(MachineTest, WindowsFamilyHasNoDelayedMoveButRunsWininit) {
  EmulatedMachine& m = Make("95");
  FileSystem& fs = m.Files();
  ASSERT_TRUE(fs.MakeDirectories("C:\\Program Files\\Tavrix"));
  ASSERT_TRUE(WriteFile("C:\\Program Files\\Tavrix\\Tavrix Main.dll", "old"));
  ASSERT_TRUE(WriteFile("C:\\Program Files\\Tavrix\\Tavrix Main.1", "new"));
  ASSERT_TRUE(WriteFile("C:\\Program Files\\Tavrix\\install.exe", "me"));
  EXPECT_FALSE(fs.MoveEx("C:\\Program Files\\Tavrix\\Tavrix Main.1", "C:\\X", movefile::kDelayUntilReboot));
  EXPECT_EQ(m.LastError(), 120u);
  std::string target, fresh, self;
  ASSERT_TRUE(fs.ShortPath("C:\\Program Files\\Tavrix\\Tavrix Main.dll", &target));
  ASSERT_TRUE(fs.ShortPath("C:\\Program Files\\Tavrix\\Tavrix Main.1", &fresh));
  ASSERT_TRUE(fs.ShortPath("C:\\Program Files\\Tavrix\\install.exe", &self));
  std::string error;
  ASSERT_TRUE(m.MarkInUse(target, InUseMode::kDenyWrite, &error));
  ASSERT_TRUE(m.Ini().Write("WININIT.INI", "Rename", target, fresh));
  ASSERT_TRUE(m.Ini().Write("WININIT.INI", "Rename", "NUL", self));
  ASSERT_TRUE(m.Restart(&error)) << error;
  // WININIT works with the short names it is given: the replaced file keeps
  // only its short name, as on the real system.
  EXPECT_FALSE(fs.Exists("C:\\Program Files\\Tavrix\\Tavrix Main.dll"));
  EXPECT_EQ(ReadFile(target), "new");
  std::vector<FileEntry> names;
  ASSERT_TRUE(fs.List("C:\\Program Files\\Tavrix", "*", &names));
  ASSERT_EQ(names.size(), 1u);
  EXPECT_EQ(names[0].name, "TAVRIX~1.DLL");
  EXPECT_FALSE(fs.Exists("C:\\Program Files\\Tavrix\\Tavrix Main.1"));
  EXPECT_FALSE(fs.Exists("C:\\Program Files\\Tavrix\\install.exe"));
  EXPECT_FALSE(fs.Exists("C:\\WINDOWS\\WININIT.INI"));
  EXPECT_TRUE(fs.Exists("C:\\WINDOWS\\WININIT.BAK"));
  // A second restart has nothing to do.
  ASSERT_TRUE(m.Restart(&error)) << error;
}

TEST_F(MachineTest, WininitRunsBeforePendingRenames) {
  EmulatedMachine& m = Make("xp");
  FileSystem& fs = m.Files();
  ASSERT_TRUE(WriteFile("C:\\A.TXT", "from a"));
  ASSERT_TRUE(m.Ini().Write("WININIT.INI", "rename", "C:\\B.TXT", "C:\\A.TXT"));
  ASSERT_TRUE(fs.MoveEx("C:\\B.TXT", "C:\\C.TXT", movefile::kDelayUntilReboot));
  std::string error;
  ASSERT_TRUE(m.Restart(&error)) << error;
  EXPECT_EQ(ReadFile("C:\\C.TXT"), "from a");
  EXPECT_FALSE(fs.Exists("C:\\A.TXT"));
  EXPECT_FALSE(fs.Exists("C:\\B.TXT"));
}

TEST_F(MachineTest, RestartInvalidatesOpenHandles) {
  EmulatedMachine& m = Make();
  ASSERT_TRUE(WriteFile("C:\\H.TXT", "x"));
  auto f = m.Files().Open("C:\\H.TXT", FileAccess::kRead, share::kNone, Disposition::kOpenExisting);
  ASSERT_TRUE(f);
  std::string error;
  ASSERT_TRUE(m.Restart(&error));
  char c;
  uint32_t got;
  EXPECT_FALSE(f->Read(&c, 1, &got));
  EXPECT_EQ(m.LastError(), winerr::kInvalidHandle);
  EXPECT_TRUE(m.Files().RemoveFile("C:\\H.TXT"));
}

// ---------------------------------------------------------------- processes

TEST_F(MachineTest, ModulesAnswerWithTheOutcomesAndAreJournaled) {
  EmulatedMachine& m = Make();
  Processes& p = m.Procs();
  ASSERT_TRUE(WriteFile("C:\\WINDOWS\\SYSTEM32\\TAVX.OCX", "not a PE file"));
  ASSERT_TRUE(WriteFile("C:\\WINDOWS\\SYSTEM32\\PLAIN.DLL", "not a PE file"));
  EXPECT_EQ(p.LoadModule("C:\\WINDOWS\\SYSTEM32\\NONE.DLL"), 0u);
  EXPECT_EQ(m.LastError(), winerr::kModNotFound);
  EXPECT_EQ(p.LoadModule("C:\\WINDOWS\\SYSTEM32\\PLAIN.DLL"), 0u);
  EXPECT_EQ(m.LastError(), winerr::kBadExeFormat);
  ASSERT_TRUE(m.SetExportResult("C:\\WINDOWS\\SYSTEM32\\TAVX.OCX", "DllRegisterServer", 0));
  ASSERT_TRUE(m.SetExportResult("tavx.ocx", "DllCanUnloadNow", 1));  // by file name
  ASSERT_TRUE(m.SetExportMissing("C:\\WINDOWS\\SYSTEM32\\TAVX.OCX", "DllUnregisterServer"));
  ModuleHandle h = p.LoadModule("c:\\windows\\system32\\tavx.ocx");
  ASSERT_NE(h, 0u);
  EXPECT_TRUE(p.HasExport(h, "DllRegisterServer"));
  EXPECT_FALSE(p.HasExport(h, "DllUnregisterServer"));
  EXPECT_EQ(m.LastError(), winerr::kProcNotFound);
  int32_t result = -1;
  ASSERT_TRUE(p.Call(h, "DllRegisterServer", {}, &result));
  EXPECT_EQ(result, 0);
  ASSERT_TRUE(p.Call(h, "DllCanUnloadNow", {CallArg::Int(5), CallArg::Str("x"), CallArg::Null()}, &result));
  EXPECT_EQ(result, 1);
  EXPECT_FALSE(p.Call(h, "DllUnregisterServer", {}, &result));
  p.UnloadModule(h);
  ASSERT_TRUE(m.SetLoadFailure("TAVX.OCX", 1114));
  EXPECT_EQ(p.LoadModule("C:\\WINDOWS\\SYSTEM32\\TAVX.OCX"), 0u);
  EXPECT_EQ(m.LastError(), 1114u);
  EXPECT_EQ(m.Journal(), (std::vector<std::string>{
                             "LoadModule C:\\WINDOWS\\SYSTEM32\\NONE.DLL -> failed 126",
                             "LoadModule C:\\WINDOWS\\SYSTEM32\\PLAIN.DLL -> failed 193",
                             "LoadModule c:\\windows\\system32\\tavx.ocx -> ok",
                             "Call C:\\WINDOWS\\SYSTEM32\\TAVX.OCX!DllRegisterServer() -> 0",
                             "Call C:\\WINDOWS\\SYSTEM32\\TAVX.OCX!DllCanUnloadNow(5, \"x\", NULL) -> 1",
                             "Call C:\\WINDOWS\\SYSTEM32\\TAVX.OCX!DllUnregisterServer() -> missing",
                             "UnloadModule C:\\WINDOWS\\SYSTEM32\\TAVX.OCX",
                             "LoadModule C:\\WINDOWS\\SYSTEM32\\TAVX.OCX -> failed 1114"}));
}

TEST_F(MachineTest, ProgramsAndShutdown) {
  EmulatedMachine& m = Make("nt4");
  ASSERT_TRUE(m.Files().MakeDirectories("C:\\Program Files\\Tavrix"));
  ASSERT_TRUE(WriteFile("C:\\Program Files\\Tavrix\\TINST.EXE", "MZ"));
  uint32_t code = 99;
  ASSERT_TRUE(m.Procs().RunAndWait("C:\\Program Files\\Tavrix\\TINST /REGSERVER", nullptr, &code));
  EXPECT_EQ(code, 0u);
  ASSERT_TRUE(m.SetExitCode("C:\\PROGRA~1\\TAVRIX\\TINST.EXE", 3));
  ASSERT_TRUE(m.Procs().RunAndWait("\"C:\\Program Files\\Tavrix\\tinst.exe\" x", nullptr, &code));
  EXPECT_EQ(code, 3u);
  EXPECT_FALSE(m.Procs().RunAndWait("C:\\NONE.EXE", nullptr, &code));
  EXPECT_EQ(m.LastError(), winerr::kFileNotFound);
  EXPECT_EQ(m.Procs().Exec("C:\\Program Files\\Tavrix\\TINST.EXE /REGSERVER", true), 33u);
  EXPECT_EQ(m.Procs().Exec("C:\\NONE.EXE", true), 2u);
  EXPECT_FALSE(m.Reboot().ExitSystem(ewx::kReboot));
  EXPECT_EQ(m.LastError(), winerr::kPrivilegeNotHeld);
  ASSERT_TRUE(m.Reboot().EnableShutdownPrivilege());
  EXPECT_TRUE(m.Reboot().ExitSystem(ewx::kReboot));
  auto j = m.Journal();
  ASSERT_EQ(j.size(), 8u);
  EXPECT_EQ(j[0], "RunAndWait C:\\Program Files\\Tavrix\\TINST /REGSERVER -> exit 0");
  EXPECT_EQ(j[3], "Exec C:\\Program Files\\Tavrix\\TINST.EXE /REGSERVER (hidden) -> 33");
  EXPECT_EQ(j[7], "ExitWindows 0x2 (reboot) -> pending");
}

TEST_F(MachineTest, SystemFactsComeFromTheSettings) {
  EmulatedMachine& m = Make("95");
  OsVersion v;
  ASSERT_TRUE(m.System().Version(&v));
  EXPECT_EQ(v.platform_id, platformid::kWindows);
  EXPECT_EQ(PlatformClass(m.System()), 1);
  std::string d;
  ASSERT_TRUE(m.System().SystemDirectory(&d));
  EXPECT_EQ(d, "C:\\WINDOWS\\SYSTEM");
  EXPECT_TRUE(m.Files().DirectoryExists(d));
  m.SetProcess("C:\\SETUP\\INSTALL.EXE", {"*ABOOT"});
  EXPECT_EQ(m.System().ExePath(), "C:\\SETUP\\INSTALL.EXE");
  EXPECT_EQ(m.System().Arguments(), std::vector<std::string>{"*ABOOT"});
  EXPECT_EQ(m.ErrorText(32), "The process cannot access the file because it is being used by another process.");
  m_.reset();
  std::filesystem::remove_all(dir());
  EmulatedMachine& nt = Make("nt351");
  EXPECT_EQ(PlatformClass(nt.System()), 3);
  ASSERT_TRUE(nt.System().WindowsDirectory(&d));
  EXPECT_EQ(d, "C:\\WINNT");
}

}  // namespace
}  // namespace kit
