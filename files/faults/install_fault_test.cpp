// Install runs from an archive that meet a fault: a missing or corrupt
// archive, a missing member, a full disk, a registry refusing writes, a
// destination that cannot be made. Each ends through the bad-install tail
// with the fault's message, leaves no partial file and logs only the files
// installed before it.
#include <memory>
#include <string>
#include <vector>

#include "driver/testing/driver_fixture.h"
#include "files/faults/archive_maker.h"
#include "files/install_file.h"
#include "files/install_file_group.h"
#include "platform/fault_platform.h"
#include "system/testing/install_machine.h"

namespace kit {
namespace {

using testing::DriverTest;

const std::string kLog = "\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Tavrix for Windows";

class InstallFaultTest : public DriverTest {
 protected:
  InstallFaultTest() : fault_(platform_), scoped_fault_(fault_) {
    testing::FreeEngine();
    // The Wine prefix keeps the registry between tests.
    platform_.Reg().DeleteKeyTree(RegRoot::kLocalMachine, kLog);
    platform_.Files().MakeDirectories(Source());
    for (int i = 0; i < 3; ++i) {
      std::string bytes;
      for (int n = 0; n < 20000; ++n) bytes += static_cast<char>('a' + (n * (i + 3)) % 23);
      testing::PutFile(platform_, Source() + "\\" + Name(i), bytes);
      contents_.push_back(bytes);
    }
  }
  ~InstallFaultTest() override {
    Application().DestroyComponents();
    testing::FreeEngine();
    platform_.Reg().DeleteKeyTree(RegRoot::kLocalMachine, kLog);
  }

  std::string Source() { return platform_.Scratch() + "\\Product"; }
  std::string Dest() { return platform_.Scratch() + "\\Installed\\App"; }
  std::string Archive() { return Dir() + "\\data.kbl"; }
  static std::string Name(int i) { return std::string("FILE") + char('A' + i) + ".TXT"; }

  // The archive of the given files, made by the engine.
  void MakeArchive(const std::vector<int>& which) {
    std::vector<std::string> list;
    for (int i : which) list.push_back(Source() + "\\" + Name(i));
    testing::MakeArchiveOf(platform_.Files(), Archive(), list);
  }

  // The driver with a group of the three files, all from the driver's archive.
  void MakeTree() {
    Make([&](TInstall& i, TForm& f) {
      i.SetArchiveFileType(ddAbsolute);
      i.SetArchiveFile(Archive());
      auto* group = new TInstallFileGroup(&f);
      group->SetName("G1");
      group->SetContainer(&i);
      for (int n = 0; n < 3; ++n) {
        auto* file = new TInstallFile(&f);
        file->SetName("F" + std::to_string(n + 1));
        file->SetContainer(group);
        file->SetIncludeFromDir(Source());
        file->SetFileName(Name(n));
        file->SetDestDirType(ddAbsolute);
        file->SetDestDir(Dest());
      }
    });
  }

  // The log's entries naming installed files.
  std::vector<std::string> LoggedFiles() {
    std::vector<std::string> out;
    for (const auto& line : testing::ListKey(platform_, RegRoot::kLocalMachine, kLog))
      if (line.find(".TXT") != std::string::npos) out.push_back(line);
    return out;
  }
  // The files left in the destination.
  std::vector<std::string> DestFiles() {
    std::vector<std::string> out;
    for (int i = 0; i < 3; ++i)
      if (Exists(Dest() + "\\" + Name(i))) out.push_back(Name(i));
    return out;
  }
  // The installed files hold exactly their sources.
  void ExpectWhole(const std::vector<std::string>& names) {
    for (const auto& n : names) {
      const int i = n[4] - 'A';
      EXPECT_EQ(testing::GetFile(platform_, Dest() + "\\" + n), contents_[i]) << n;
    }
  }
  bool BadTail() {
    const auto e = Events();
    for (size_t i = 0; i + 1 < e.size(); ++i)
      if (e[i] == "OnShowBadInstall" && e[i + 1] == "Dlg hears BadInstallation") return true;
    return false;
  }
  std::string Box() { return Boxes().empty() ? "" : Boxes().back(); }
  void ExpectNoTemporaryFiles() {
    std::vector<FileEntry> entries;
    platform_.Files().List(Dest(), "*", &entries);
    for (const auto& e : entries) EXPECT_NE(e.name.find(".TXT"), std::string::npos) << "left over: " << e.name;
  }

  FaultPlatform fault_;
  ScopedPlatform scoped_fault_;
  std::vector<std::string> contents_;
};

TEST_F(InstallFaultTest, AGoodRunInstallsAndLogsEveryFile) {
  MakeArchive({0, 1, 2});
  MakeTree();
  Application().Run();
  EXPECT_FALSE(BadTail());
  EXPECT_TRUE(Boxes().empty()) << Box();
  EXPECT_EQ(DestFiles(), (std::vector<std::string>{"FILEA.TXT", "FILEB.TXT", "FILEC.TXT"}));
  ExpectWhole(DestFiles());
  EXPECT_EQ(LoggedFiles().size(), 3u);
}

TEST_F(InstallFaultTest, AMissingArchiveEndsBadlyNamingTheArchive) {
  MakeTree();
  Application().Run();
  EXPECT_TRUE(BadTail());
  EXPECT_EQ(Box(), "Could not open the compressed file. The following value is the current value of the "
                   "CompressedFile property: " + Archive() + ".");
  EXPECT_TRUE(DestFiles().empty());
  EXPECT_TRUE(LoggedFiles().empty());
}

TEST_F(InstallFaultTest, ACorruptArchiveEndsBadlyWithoutPartialFiles) {
  MakeArchive({0, 1, 2});
  std::string bytes = testing::GetFile(platform_, Archive());
  for (size_t i = bytes.size() / 3; i < bytes.size(); i += 7) bytes[i] = static_cast<char>(bytes[i] ^ 0x5a);
  testing::PutFile(platform_, Archive(), bytes);
  MakeTree();
  Application().Run();
  EXPECT_TRUE(BadTail());
  EXPECT_FALSE(Box().empty());
  ExpectWhole(DestFiles());
  EXPECT_EQ(LoggedFiles().size(), DestFiles().size());
  ExpectNoTemporaryFiles();
}

TEST_F(InstallFaultTest, AMemberMissingFromTheArchiveStopsAtThatFile) {
  MakeArchive({0, 2});
  MakeTree();
  Application().Run();
  EXPECT_TRUE(BadTail());
  EXPECT_EQ(Box(), "The following file was not found in the archive: " + Source() + "\\FILEB.TXT.");
  EXPECT_EQ(DestFiles(), std::vector<std::string>{"FILEA.TXT"});
  ExpectWhole(DestFiles());
  EXPECT_EQ(LoggedFiles(), std::vector<std::string>{"File1=\"" + Dest() + "\\FILEA.TXT\""});
  ExpectNoTemporaryFiles();
}

TEST_F(InstallFaultTest, AFullDiskLeavesNoTruncatedFile) {
  MakeArchive({0, 1, 2});
  MakeTree();
  fault_.DiskFullAfter(30000);  // the first file fits, the second not
  Application().Run();
  EXPECT_TRUE(BadTail());
  EXPECT_EQ(Box(), "Disk is full.");
  EXPECT_EQ(DestFiles(), std::vector<std::string>{"FILEA.TXT"});
  ExpectWhole(DestFiles());
  EXPECT_EQ(LoggedFiles().size(), 1u);
  ExpectNoTemporaryFiles();
}

TEST_F(InstallFaultTest, ARegistryRefusingWritesEndsBadly) {
  MakeArchive({0, 1, 2});
  MakeTree();
  fault_.RefuseRegistryWrites(kLog, RegRoot::kLocalMachine);
  Application().Run();
  EXPECT_TRUE(BadTail());
  // The first file is in place; its entry is the write that failed.
  EXPECT_NE(Box().find("Cannot install into registry. Key: " + kLog + "\\Files"), std::string::npos) << Box();
  EXPECT_TRUE(LoggedFiles().empty());
  EXPECT_EQ(DestFiles(), std::vector<std::string>{"FILEA.TXT"});
  ExpectWhole(DestFiles());
  ExpectNoTemporaryFiles();
}

TEST_F(InstallFaultTest, ADestinationThatCannotBeMadeEndsBadlyNamingIt) {
  MakeArchive({0, 1, 2});
  testing::PutFile(platform_, platform_.Scratch() + "\\Installed", "a file where the directory goes");
  MakeTree();
  Application().Run();
  EXPECT_TRUE(BadTail());
  EXPECT_EQ(Box(), "Cannot create the directory " + Dest() + ".");
  EXPECT_TRUE(LoggedFiles().empty());
}

}  // namespace
}  // namespace kit
