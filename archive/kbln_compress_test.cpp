#include "archive/kbln_compress.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include "archive/archive_paths.h"
#include "archive/file_date.h"
#include "archive/percent.h"
#include "base/paths.h"
#include "base/text.h"
#include "archive/testing/archive_fixture.h"

namespace kit {
namespace {

using testing::ArchiveTest;
using testing::Int32At;
using testing::RandomBytes;

const char kOne[] = "C:\\SRC\\ONE.BIN";
const char kTwo[] = "C:\\SRC\\TWO.BIN";

// Stored blocks make exact sizes: 89 bytes give a 100-byte zlib stream,
// 39 bytes a 50-byte one.
class WorkedExample : public ArchiveTest {
 protected:
  void SetUp() override {
    one = RandomBytes(89, 1);
    two = RandomBytes(39, 2);
    Build({{kOne, one}, {kTwo, two}}, colNone);
    bytes = fs.FileData("C:\\BUILD\\files.1");
  }
  void CheckMember(const std::string& b, size_t header, int32_t start, int32_t end, int32_t next,
                   int32_t compressed, uint8_t first_disk, uint8_t last_disk) {
    EXPECT_EQ(Int32At(b, header + 132), start);
    EXPECT_EQ(Int32At(b, header + 16), end);
    EXPECT_EQ(Int32At(b, header + 124), next);
    EXPECT_EQ(Int32At(b, header + 136), compressed);
    EXPECT_EQ(static_cast<uint8_t>(b[header + 140]), first_disk);
    EXPECT_EQ(static_cast<uint8_t>(b[header + 12]), last_disk);
  }
  std::string one, two, bytes;
};

TEST_F(WorkedExample, SingleFileLayoutPositions) {
  ASSERT_EQ(bytes.size(), 483u);
  EXPECT_EQ(Int32At(bytes, 0), 2);
  EXPECT_EQ(bytes[4], 0);
  CheckMember(bytes, 5, 169, 268, 269, 100, 0, 0);
  CheckMember(bytes, 269, 433, 482, 483, 50, 0, 0);
  EXPECT_EQ(Int32At(bytes, 5), 1);  // FileNumber
  EXPECT_EQ(Int32At(bytes, 269), 2);
  EXPECT_EQ(Int32At(bytes, 5 + 128), 89);
  EXPECT_EQ(bytes.substr(5 + 21, 14), kOne);
  // The data is the zlib stream of the file, at its level.
  uLongf n = 200;
  std::string expect(200, '\0');
  compress2(reinterpret_cast<Bytef*>(&expect[0]), &n, reinterpret_cast<const Bytef*>(one.data()), 89, 0);
  EXPECT_EQ(bytes.substr(169, 100), expect.substr(0, n));

  Extract(kOne);
  Extract("c:\\src\\two.bin;ignored");
  EXPECT_EQ(fs.FileData("C:\\OUT\\ONE.BIN"), one);
  EXPECT_EQ(fs.FileData("C:\\OUT\\TWO.BIN"), two);
  EXPECT_EQ(fs.AllFiles("C:\\OUT").size(), 2u);  // no temporary files left
}

TEST_F(WorkedExample, SameArchiveAtOffset4096) {
  fs.PutFile("C:\\DIST\\setup.exe", RandomBytes(4096, 9) + bytes + "trailer");
  TKblnCompress reader(nullptr, fs, Services());
  reader.SetCompressedFile("C:\\DIST\\setup.exe");
  reader.SetOffset(4096);
  ASSERT_EQ(reader.FileCount(), 2);
  TlzhFileStats s;
  reader.GetFileStats(1, s);
  EXPECT_EQ(s.FileName, kTwo);
  EXPECT_EQ(reader.Headers().FileHeaders(0)->DataStart, 169);  // stored relative
  reader.SetExtractDirectory("C:\\OUT");
  reader.SetFilesToProcess({kOne, kTwo});
  reader.ExtractFiles();
  EXPECT_EQ(fs.FileData("C:\\OUT\\ONE.BIN"), one);
  EXPECT_EQ(fs.FileData("C:\\OUT\\TWO.BIN"), two);
}

TEST_F(WorkedExample, VolumeSetWithA450ByteFirstVolume) {
  fs.SetCapacity('A', 450);
  fs.SetCapacity('B', 450);
  std::vector<int> asked;
  engine.OnNewDisk = [&](TKblnCompress&, int disk, std::string& path) {
    asked.push_back(disk);
    path = disk == 1 ? "A:" : "B:\\";
  };
  engine.SplitToDisks("A:\\", "files.1");
  EXPECT_EQ(asked, (std::vector<int>{2, 1}));
  std::string v1 = fs.FileData("A:\\files.1"), v2 = fs.FileData("B:\\files.2");
  ASSERT_EQ(v1.size(), 450u);
  ASSERT_EQ(v2.size(), 33u);
  EXPECT_EQ(Int32At(v1, 0), 2);
  EXPECT_EQ(v1[4], 1);
  EXPECT_EQ(Int32At(v1, 5 + 124), 169);
  EXPECT_EQ(Int32At(v1, 169 + 124), 333);
  CheckMember(v1, 5, 333, 432, 169, 100, 1, 1);
  CheckMember(v1, 169, 433, 32, 333, 50, 1, 2);
  EXPECT_EQ(v1.substr(333, 100), bytes.substr(169, 100));
  EXPECT_EQ(v1.substr(433, 17) + v2, bytes.substr(433, 50));

  // Reading the set back, changing disks as asked.
  TKblnCompress reader(nullptr, fs, Services());
  reader.SetCompressedFile("A:\\files.1");
  ASSERT_EQ(reader.FileCount(), 2);
  std::vector<int> disks;
  reader.OnNewDisk = [&](TKblnCompress&, int disk, std::string& path) {
    disks.push_back(disk);
    path = disk == 1 ? "A:" : "B:";
  };
  reader.SetExtractDirectory("C:\\OUT");
  reader.SetFilesToProcess({kOne, kTwo});
  reader.ExtractFiles();
  EXPECT_EQ(fs.FileData("C:\\OUT\\ONE.BIN"), one);
  EXPECT_EQ(fs.FileData("C:\\OUT\\TWO.BIN"), two);
  EXPECT_EQ(disks, (std::vector<int>{2}));
  EXPECT_EQ(reader.CompressedFile(), "B:\\files.2");  // follows the volume found
}

TEST_F(WorkedExample, AddingLeavesOldBytesAndChangesOnlyTheCount) {
  fs.PutFile("C:\\SRC\\THREE.BIN", "three");
  engine.SetFilesToProcess({"C:\\SRC\\THREE.BIN"});
  engine.AddFiles(true);
  std::string after = fs.FileData("C:\\BUILD\\files.1");
  EXPECT_EQ(Int32At(after, 0), 3);
  EXPECT_EQ(after.substr(4, 479), bytes.substr(4));
  EXPECT_EQ(Int32At(after, 483), 1);  // numbering restarts with each run
  EXPECT_EQ(engine.FileCount(), 3);
  Extract("C:\\SRC\\THREE.BIN");
  EXPECT_EQ(fs.FileData("C:\\OUT\\THREE.BIN"), "three");
}

TEST_F(WorkedExample, SplitFailsWhenVolumeOneCannotHoldTheTable) {
  fs.SetCapacity('A', 300);
  engine.OnNewDisk = [](TKblnCompress&, int, std::string&) {};
  EXPECT_THROW(engine.SplitToDisks("A:\\", "files.1"), EKCFHCannotWriteHeaders);
  EXPECT_TRUE(engine.Abort());
  fs.SetCapacity('A', 400);
  fs.RemoveFile("A:\\files.1");
  TKblnCompress other(nullptr, fs, Services());
  other.SetCompressedFile("C:\\BUILD\\files.1");
  EXPECT_THROW(other.SplitToDisks("A:\\", "files.1"), EKCNewDiskEventNotAssigned);
}

TEST_F(ArchiveTest, LevelsGiveZlibStreamsOfThoseLevels) {
  std::string text;
  for (int i = 0; i < 3000; ++i) text += "line " + std::to_string(i * 7 % 101) + " of text\n";
  const std::pair<TCompressionLevel, int> levels[] = {{colNone, 0}, {colFastest, 1}, {colDefault, -1}, {colMax, 9}};
  for (auto [level, z] : levels) {
    Build({{"C:\\SRC\\T.TXT", text}}, level);
    std::string bytes = fs.FileData("C:\\BUILD\\files.1");
    uLongf n = compressBound(text.size());
    std::string expect(n, '\0');
    compress2(reinterpret_cast<Bytef*>(&expect[0]), &n, reinterpret_cast<const Bytef*>(text.data()),
              text.size(), z);
    if (z != 0) {
      EXPECT_EQ(bytes.substr(169), expect.substr(0, n)) << z;
    } else {
      // Stored blocks, cut where the input was handed over.
      EXPECT_EQ(bytes.substr(169, 2), expect.substr(0, 2));
      uLongf m = text.size();
      std::string back(m, '\0');
      ASSERT_EQ(uncompress(reinterpret_cast<Bytef*>(&back[0]), &m,
                           reinterpret_cast<const Bytef*>(bytes.data() + 169), bytes.size() - 169), Z_OK);
      EXPECT_EQ(back, text);
    }
  }
}

TEST_F(ArchiveTest, EmptyFileKeepsItsDateAndAStream) {
  uint32_t dos = ((25u << 9 | 6u << 5 | 7u) << 16) | (8u << 11 | 9u << 5 | 10u);
  fs.PutFile("C:\\SRC\\EMPTY", "", dos);
  engine.SetCompressedFile("C:\\BUILD\\files.1");
  engine.SetFilesToProcess({"", "  ", "C:\\SRC\\EMPTY"});
  EXPECT_EQ(engine.FilesToProcess().size(), 1u);
  engine.AddFiles(false);
  std::string bytes = fs.FileData("C:\\BUILD\\files.1");
  EXPECT_EQ(Int32At(bytes, 5 + 136), 8);  // header, empty stored block, Adler-32
  Extract("C:\\SRC\\EMPTY");
  uint32_t got = 0;
  ASSERT_TRUE(fs.GetTime("C:\\OUT\\EMPTY", &got));
  EXPECT_EQ(got, dos);
  EXPECT_TRUE(fs.Exists("C:\\OUT\\EMPTY"));
  EXPECT_TRUE(engine.FilesToProcess().empty());
}

TEST_F(ArchiveTest, ProgressEventsAndPumpDuringAdd) {
  std::string big = RandomBytes(300000, 5);
  fs.PutFile("C:\\SRC\\BIG", big);
  std::vector<TlzhFileStats> seen;
  int before = 0, after = 0;
  engine.OnStatus = [&](TKblnCompress&, const TlzhFileStats& s) { seen.push_back(s); };
  engine.OnBeforeAdding = [&](TKblnCompress&, const TlzhFileStats& s) {
    ++before;
    EXPECT_EQ(s.FileSize, 300000);
  };
  engine.OnAfterAdding = [&](TKblnCompress&, const TlzhFileStats& s) { ++after; };
  engine.SetCompressedFile("C:\\BUILD\\files.1");
  engine.SetFilesToProcess({"C:\\SRC\\BIG"});
  engine.AddFiles(false);
  EXPECT_EQ(before, 1);
  EXPECT_EQ(after, 1);
  ASSERT_GE(seen.size(), 5u);  // one per 64 KB block and the final one
  EXPECT_TRUE(seen.back().Finished);
  EXPECT_EQ(seen.back().BytesProcessed, 300000 - 1);  // the last byte read
  EXPECT_EQ(seen.back().PercentDone, 100);
  EXPECT_GE(pumps, static_cast<int>(seen.size()));
  // Extracting reports every 4 KB block.
  seen.clear();
  Extract("C:\\SRC\\BIG");
  EXPECT_EQ(fs.FileData("C:\\OUT\\BIG"), big);
  EXPECT_GE(seen.size(), 300000u / 4096);
  EXPECT_EQ(seen.back().BytesProcessed, 300000);
  EXPECT_EQ(seen.back().TotalPercentDone, 100);
}

TEST_F(ArchiveTest, ExtractingOneOfManyEndsBelowFullTotal) {
  Build({{"C:\\S\\A", std::string(1000, 'a')}, {"C:\\S\\B", std::string(3000, 'b')}});
  TlzhFileStats last;
  engine.OnStatus = [&](TKblnCompress&, const TlzhFileStats& s) { last = s; };
  Extract("C:\\S\\A");
  EXPECT_EQ(last.TotalFileSize, 4000);
  EXPECT_EQ(last.TotalPercentDone, 25);
}

TEST_F(ArchiveTest, MissingMemberFailsBeforeWriting) {
  Build({{"C:\\S\\A", "aaa"}});
  engine.SetExtractDirectory("C:\\OUT");
  engine.SetFilesToProcess({"C:\\S\\A", "C:\\S\\NOPE;x"});
  try {
    engine.ExtractFiles();
    FAIL();
  } catch (const EKCFHFileNotInArchive& e) {
    EXPECT_EQ(e.Message(), "The following file was not found in the archive: C:\\S\\NOPE;x");
  }
  EXPECT_TRUE(engine.Abort());
  EXPECT_TRUE(engine.FilesToProcess().empty());
  EXPECT_TRUE(engine.DestFileName.empty());
  // An empty archive finds nothing.
  Build({});
  EXPECT_EQ(fs.FileData("C:\\BUILD\\files.1"), std::string(5, '\0'));
  EXPECT_THROW(Extract("C:\\S\\A"), EKCFHFileNotInArchive);
}

TEST_F(ArchiveTest, DestFileNameKeepsOnlyItsFileNameAndOnReplaceMayRename) {
  Build({{"C:\\S\\A.DLL", "new"}});
  engine.DestFileName = "D:\\elsewhere\\Renamed.dll";
  Extract("C:\\S\\A.DLL");
  EXPECT_EQ(fs.FileData("C:\\OUT\\Renamed.dll"), "new");
  EXPECT_TRUE(engine.DestFileName.empty());

  fs.PutFile("C:\\OUT\\A.DLL", "in use");
  int replaced = 0;
  engine.OnReplace = [&](TKblnCompress& e, const TlzhFileStats&) {
    ++replaced;
    e.DestFileName = "A.NEW";
  };
  Extract("C:\\S\\A.DLL");
  EXPECT_EQ(replaced, 1);
  EXPECT_EQ(fs.FileData("C:\\OUT\\A.DLL"), "in use");
  EXPECT_EQ(fs.FileData("C:\\OUT\\A.NEW"), "new");
}

TEST_F(ArchiveTest, OverwriteRules) {
  uint32_t older = (20u << 9 | 1u << 5 | 1u) << 16;
  uint32_t day = (20u << 9 | 1u << 5 | 2u) << 16;
  uint32_t later = (20u << 9 | 1u << 5 | 3u) << 16;
  fs.PutFile("C:\\S\\F.DLL", "new", day);
  versions["C:\\S\\F.DLL"] = "4.0.0.1";
  Build({});
  engine.SetFilesToProcess({"C:\\S\\F.DLL"});
  engine.AddFiles(false);
  struct Case {
    TOverwriteType rule;
    std::string old_version;
    uint32_t old_time;
    bool replaced;
  } cases[] = {
      {owAlways, "9", later, true},
      {owNever, "", 0, false},
      {owVersion, "4.0.0.0", later, true},
      {owVersion, "4.0.0.1", 0, false},
      {owDate, "", day, false},            // equal dates keep the old file
      {owDate, "", older, true},
      {owVersionDate, "4.0.0.1", older, true},  // equal versions: by date
      {owVersionDate, "4.0.0.1", day, false},
      {owVersionDate, "5", 0, false},
      {owVersionDate, "3", later, true},
  };
  for (const Case& c : cases) {
    fs.PutFile("C:\\OUT\\F.DLL", "old", c.old_time);
    versions["C:\\OUT\\F.DLL"] = c.old_version;
    int statuses = 0, replaces = 0;
    engine.OnStatus = [&](TKblnCompress&, const TlzhFileStats&) { ++statuses; };
    engine.OnReplace = [&](TKblnCompress&, const TlzhFileStats&) { ++replaces; };
    engine.SetOverwrite(c.rule);
    engine.DestFileName = "F.DLL";
    Extract("C:\\S\\F.DLL");
    EXPECT_EQ(fs.FileData("C:\\OUT\\F.DLL"), c.replaced ? "new" : "old") << c.rule << c.old_version;
    EXPECT_EQ(replaces, c.replaced ? 1 : 0);
    if (!c.replaced) {
      EXPECT_EQ(statuses, 0);
    }
    EXPECT_TRUE(engine.DestFileName.empty());
    engine.OnStatus = nullptr;
    engine.OnReplace = nullptr;
  }
  // 10.0 does not replace 9.0: the fields compare as text.
  versions["C:\\OUT\\F.DLL"] = "9.0";
  Build({{"C:\\S\\G.DLL", "g"}});
  versions["C:\\S\\G.DLL"] = "10.0";
  engine.SetFilesToProcess({"C:\\S\\G.DLL"});
  engine.AddFiles(false);
  fs.PutFile("C:\\OUT\\G.DLL", "old");
  versions["C:\\OUT\\G.DLL"] = "9.0";
  engine.SetOverwrite(owVersion);
  Extract("C:\\S\\G.DLL");
  EXPECT_EQ(fs.FileData("C:\\OUT\\G.DLL"), "old");
  engine.SetOverwrite(static_cast<TOverwriteType>(7));
  try {
    Extract("C:\\S\\G.DLL");
    FAIL();
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "Overwrite flag is not in [owNever,owAlways,owVersion,owDate,owVersionDate]");
  }
}

TEST_F(ArchiveTest, MemberNamedTwiceIsExtractedTwice) {
  Build({{"C:\\S\\A", "a"}});
  fs.PutFile("C:\\OUT\\A", "old", 0x10000);
  int replaces = 0;
  engine.OnReplace = [&](TKblnCompress&, const TlzhFileStats&) { ++replaces; };
  engine.SetOverwrite(owDate);
  engine.SetExtractDirectory("C:\\OUT");
  engine.SetFilesToProcess({"C:\\S\\A", "c:\\s\\a"});
  engine.ExtractFiles();
  EXPECT_EQ(replaces, 1);  // the second time the dates are equal
}

TEST_F(ArchiveTest, AbortFromStatusStopsQuietlyAndKeepsTheOldFile) {
  std::string big = RandomBytes(100000, 3);
  Build({{"C:\\S\\BIG", big}});
  fs.PutFile("C:\\OUT\\BIG", "previous version");
  int aborted = 0;
  engine.OnAborted = [&](TKblnCompress&) { ++aborted; };
  engine.OnStatus = [&](TKblnCompress& e, const TlzhFileStats& s) {
    if (s.BytesProcessed > 20000) e.SetAbort(true);
  };
  Extract("C:\\S\\BIG");
  EXPECT_EQ(aborted, 1);
  EXPECT_TRUE(engine.Abort());
  EXPECT_EQ(fs.FileData("C:\\OUT\\BIG"), "previous version");
  EXPECT_EQ(fs.AllFiles("C:\\OUT").size(), 1u);

  // Stopping an add leaves the archive as it was.
  std::string before = fs.FileData("C:\\BUILD\\files.1");
  fs.PutFile("C:\\S\\MORE", big);
  engine.OnStatus = [&](TKblnCompress& e, const TlzhFileStats&) { e.SetAbort(true); };
  engine.SetFilesToProcess({"C:\\S\\MORE"});
  engine.AddFiles(true);
  EXPECT_EQ(aborted, 2);
  EXPECT_EQ(fs.FileData("C:\\BUILD\\files.1"), before);
  EXPECT_TRUE(fs.AllFiles("C:\\TEMP").empty());

  // The silent abort returns without OnAborted and leaves Abort as it was.
  engine.OnStatus = nullptr;
  engine.OnBeforeExtracting = [](TKblnCompress&, const TlzhFileStats&) { kit::Abort(); };
  Extract("C:\\S\\BIG");
  EXPECT_EQ(aborted, 2);
  EXPECT_FALSE(engine.Abort());
}

TEST_F(ArchiveTest, FullDiskDuringExtractionKeepsTheOldFile) {
  std::string big = RandomBytes(50000, 4);
  Build({{"C:\\S\\BIG", big}});
  fs.PutFile("D:\\APP\\BIG", "previous");
  fs.SetCapacity('D', 30000);
  try {
    Extract("C:\\S\\BIG", "D:\\APP");
    FAIL();
  } catch (const EKCDiskFull& e) {
    EXPECT_EQ(e.Message(), "Disk is full");
  }
  EXPECT_EQ(fs.FileData("D:\\APP\\BIG"), "previous");
  EXPECT_EQ(fs.AllFiles("D:\\").size(), 1u);

  // With a handler it is told, and the cut member still fails the run.
  int full = 0;
  engine.OnFullDisk = [&](TKblnCompress&) { ++full; };
  try {
    Extract("C:\\S\\BIG", "D:\\APP");
    FAIL();
  } catch (const EKCDiskFull& e) {
    EXPECT_EQ(e.Message(), "Disk is full");
  }
  EXPECT_EQ(full, 1);
  EXPECT_EQ(fs.FileData("D:\\APP\\BIG"), "previous");
  EXPECT_EQ(fs.AllFiles("D:\\").size(), 1u);
}

TEST_F(ArchiveTest, DeviceNamesAreNeverCreated) {
  for (const char* name : {"CON", "nul.txt", "Aux", "COM1.dat", "lpt9", "PRN .log"}) {
    Build({{std::string("C:\\S\\") + name, "data"}});
    engine.SetExtractDirectory("C:\\OUT");
    engine.SetFilesToProcess({std::string("C:\\S\\") + name});
    EXPECT_THROW(engine.ExtractFiles(), EKCCouldNotCreateFile) << name;
    EXPECT_TRUE(fs.AllFiles("C:\\OUT").empty()) << name;
  }
  Build({{"C:\\S\\CONSOLE.TXT", "data"}, {"C:\\S\\COM10", "ten"}});
  engine.SetExtractDirectory("C:\\OUT");
  engine.SetFilesToProcess({"C:\\S\\CONSOLE.TXT", "C:\\S\\COM10"});
  engine.ExtractFiles();
  EXPECT_EQ(fs.FileData("C:\\OUT\\COM10"), "ten");
}

TEST_F(ArchiveTest, RefusedDateOrMoveLeavesNothingBehind) {
  Build({{"C:\\S\\A", "data"}});
  fs.PutFile("C:\\OUT\\A", "old");
  fs.fault = [](const std::string& op, const std::string&) { return op == "settime"; };
  try {
    Extract("C:\\S\\A");
    FAIL();
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "Cannot set the date of the file just extracted.");
  }
  EXPECT_EQ(fs.FileData("C:\\OUT\\A"), "old");
  fs.fault = [](const std::string& op, const std::string&) { return op == "rename"; };
  EXPECT_THROW(Extract("C:\\S\\A"), EKCCouldNotCreateFile);
  EXPECT_EQ(fs.AllFiles("C:\\OUT").size(), 1u);
  fs.fault = nullptr;
  engine.SetExtractDirectory("");
  engine.SetFilesToProcess({"C:\\S\\A"});
  try {
    engine.ExtractFiles();
    FAIL();
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "Unable to create directory");
  }
}

TEST_F(ArchiveTest, FailedAddLeavesTheArchiveReadableAsBefore) {
  Build({{"C:\\S\\A", "first"}});
  std::string before = fs.FileData("C:\\BUILD\\files.1");
  fs.PutFile("C:\\S\\B", RandomBytes(20000, 8));
  // The second new member cannot be read: nothing of the run stays.
  engine.SetFilesToProcess({"C:\\S\\B", "C:\\S\\MISSING"});
  EXPECT_THROW(engine.AddFiles(true), EKCCouldNotOpenFile);
  EXPECT_EQ(fs.FileData("C:\\BUILD\\files.1"), before);
  // A full disk half-way through a member.
  fs.SetCapacity('C', fs.Used('C') + 5000);
  engine.SetFilesToProcess({"C:\\S\\B"});
  int full = 0;
  engine.OnFullDisk = [&](TKblnCompress&) { ++full; };
  EXPECT_THROW(engine.AddFiles(true), EKCDiskFull);
  EXPECT_EQ(full, 1);
  engine.OnFullDisk = nullptr;
  fs.SetCapacity('C', 0);
  EXPECT_EQ(fs.FileData("C:\\BUILD\\files.1"), before);
  EXPECT_TRUE(fs.AllFiles("C:\\TEMP").empty());
  // A source that vanishes between its header and its compression.
  int calls = 0;
  fs.fault = [&](const std::string& op, const std::string& path) {
    return op == "open" && path == "C:\\S\\B" && ++calls == 2;
  };
  engine.SetFilesToProcess({"C:\\S\\B"});
  EXPECT_THROW(engine.AddFiles(true), EFOpenError);
  fs.fault = nullptr;
  EXPECT_EQ(messages.size(), 3u);
  EXPECT_EQ(messages.at(0), "error =" + std::to_string(winerr::kAccessDenied));
  EXPECT_EQ(messages.at(1), "EFOpenError");
  EXPECT_EQ(messages.at(2), "C:\\S\\B");
  EXPECT_EQ(fs.FileData("C:\\BUILD\\files.1"), before);
  // Recreating that fails reads as an empty archive.
  engine.SetFilesToProcess({"C:\\S\\MISSING"});
  EXPECT_THROW(engine.AddFiles(false), EKCCouldNotOpenFile);
  EXPECT_EQ(engine.FileCount(), 0);
  // And a later add works on it.
  engine.SetFilesToProcess({"C:\\S\\A"});
  engine.AddFiles(true);
  EXPECT_EQ(engine.FileCount(), 1);
}

// A build adds one member a call; what another writer did in between counts.
TEST_F(ArchiveTest, OneAtATimeAddsGiveTheArchiveOfOneRunAndSeeOtherWriters) {
  Build({{"C:\\S\\A", "first"}}, colNone);
  for (const char* name : {"B", "C", "D"}) fs.PutFile(std::string("C:\\S\\") + name, RandomBytes(300, name[0]));
  for (const char* name : {"B", "C"}) {
    engine.SetFilesToProcess({std::string("C:\\S\\") + name});
    engine.AddFiles(true);
  }
  std::string one_at_a_time = fs.FileData("C:\\BUILD\\files.1");
  // The same adds, each by an engine that reads the table afresh.
  auto add_by_another = [&](const std::string& name) {
    TKblnCompress other(nullptr, fs, Services());
    other.SetCompressedFile("C:\\BUILD\\files.1");
    other.SetCompressionLevel(colNone);
    other.SetFilesToProcess({name});
    other.AddFiles(true);
  };
  Build({{"C:\\S\\A", "first"}}, colNone);
  add_by_another("C:\\S\\B");
  add_by_another("C:\\S\\C");
  EXPECT_EQ(fs.FileData("C:\\BUILD\\files.1"), one_at_a_time);

  // Another engine adds D; this one's next add keeps it.
  add_by_another("C:\\S\\D");
  engine.SetFilesToProcess({"C:\\S\\A"});
  engine.AddFiles(true);
  EXPECT_EQ(engine.FileCount(), 5);
  EXPECT_EQ(engine.IndexOfFile("C:\\S\\D"), 3);
  Extract("C:\\S\\D");
  EXPECT_EQ(fs.FileData("C:\\OUT\\D"), RandomBytes(300, 'D'));
}

TEST_F(ArchiveTest, LongSourcePathIsRefusedAtBuildTime) {
  std::string path = "C:\\" + std::string(120, 'p') + "\\a.txt";
  fs.PutFile(path, "x");
  engine.SetCompressedFile("C:\\BUILD\\files.1");
  engine.SetFilesToProcess({path});
  EXPECT_THROW(engine.AddFiles(false), EKCFHFileNameTooLong);
  EXPECT_TRUE(engine.Abort());
}

TEST_F(ArchiveTest, AddNeedsADirectoryPart) {
  engine.SetCompressedFile("files.1");
  try {
    engine.AddFiles(false);
    FAIL();
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "Unable to create directory");
  }
}

TEST_F(ArchiveTest, CompressedFileSetterKeepsOrDropsTheTable) {
  Build({{"C:\\S\\A", "a"}});
  TKblnCompress engine(nullptr, fs, Services());
  engine.SetCompressedFile("C:\\BUILD\\files.1");
  EXPECT_EQ(engine.FileCount(), 1);
  EXPECT_TRUE(engine.HeadersLoaded());
  engine.SetCompressedFile("c:\\build\\FILES.1");
  EXPECT_TRUE(engine.HeadersLoaded());
  engine.SetCompressedFile("C:\\BUILD\\files.3");
  EXPECT_FALSE(engine.HeadersLoaded());  // not a volume set
  engine.SetCompressedFile("C:\\BUILD\\files.1");
  engine.FileCount();
  engine.Headers().MultiVolume = 1;
  engine.SetCompressedFile("C:\\BUILD\\FILES.3");
  EXPECT_TRUE(engine.HeadersLoaded());
  engine.SetCompressedFile("C:\\BUILD\\setup.1");
  EXPECT_FALSE(engine.HeadersLoaded());
}

TEST_F(ArchiveTest, ExtractionKeepsTheArchiveOpenUntilAnotherOperation) {
  Build({{"C:\\S\\A", "aa"}, {"C:\\S\\B", "bbbb"}});
  const std::string archive = "C:\\BUILD\\files.1";
  int opens = 0;
  fs.fault = [&](const std::string& op, const std::string& path) {
    if (op == "open" && SameText(path, archive)) ++opens;
    return false;
  };
  engine.SetCompressedFile(archive);
  Extract("C:\\S\\A");
  Extract("C:\\S\\B");
  EXPECT_EQ(fs.FileData("C:\\OUT\\B"), "bbbb");
  EXPECT_EQ(opens, 2);  // the table, then both members through one handle
  EXPECT_FALSE(fs.RemoveFile(archive));
  engine.ReleaseArchive();
  EXPECT_TRUE(fs.RemoveFile(archive));

  // Another archive, or any other operation, lets go of it too.
  Build({{"C:\\S\\A", "aa"}});
  engine.SetCompressedFile(archive);
  Extract("C:\\S\\A");
  engine.SetCompressedFile("C:\\BUILD\\other.1");
  EXPECT_TRUE(fs.RemoveFile(archive));
  Build({{"C:\\S\\A", "aa"}});
  engine.SetCompressedFile(archive);
  Extract("C:\\S\\A");
  engine.TestMember(0);
  EXPECT_TRUE(fs.RemoveFile(archive));
}

TEST_F(ArchiveTest, QueriesLoadTheTable) {
  Build({{"C:\\S\\A", "aa"}, {"C:\\S\\B", "bbbb"}});
  TKblnCompress reader(nullptr, fs, Services());
  reader.SetCompressedFile("C:\\BUILD\\files.1");
  EXPECT_EQ(reader.IndexOfFile("c:\\s\\b"), 1);
  EXPECT_EQ(reader.IndexOfFile("c:\\s\\b;x"), -1);
  TlzhFileStats s;
  reader.GetFileStats(1, s);
  EXPECT_EQ(s.FileSize, 4);
  EXPECT_EQ(s.TotalFileSize, 6);
  EXPECT_EQ(Int32At(std::string(s.Header.begin(), s.Header.end()), 128), 4);
  try {
    reader.GetFileStats(2, s);
    FAIL();
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "Tried to access the 2th file. This file is not defined");
  }
  reader.SetCompressedFile("C:\\BUILD\\none.1");
  try {
    reader.FileCount();
    FAIL();
  } catch (const EKCCouldNotOpenCompressedFile& e) {
    EXPECT_EQ(e.Message(),
              "Could not open the compressed file. The following value is the current value of the "
              "CompressedFile property: C:\\BUILD\\none.1");
  }
}

TEST_F(ArchiveTest, OpenDiskFileAsksFourTimesAtMost) {
  Build({{"C:\\S\\A", "a"}});
  engine.FileCount();
  engine.Headers().MultiVolume = 1;
  int asked = 0;
  engine.OnNewDisk = [&](TKblnCompress&, int disk, std::string& path) {
    ++asked;
    EXPECT_EQ(disk, 5);
    EXPECT_EQ(path, "C:\\BUILD");
  };
  std::unique_ptr<File> f;
  std::string name = "C:\\BUILD\\files.1";
  try {
    engine.OpenDiskFile(f, 5, FileAccess::kRead, name);
    FAIL();
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "Could not open the correct disk file 5");
  }
  EXPECT_EQ(asked, 4);
  EXPECT_EQ(name, "C:\\BUILD\\files.5");
  engine.OnNewDisk = nullptr;
  EXPECT_THROW(engine.OpenDiskFile(f, 2, FileAccess::kRead, name), Exception);
  engine.OpenDiskFile(f, 1, FileAccess::kRead, name);
  EXPECT_TRUE(f);
  EXPECT_EQ(name, "C:\\BUILD\\files.1");
}

TEST_F(ArchiveTest, CopyFileUnderTheOverwriteRule) {
  uint32_t t = (22u << 9 | 3u << 5 | 4u) << 16;
  std::string data = RandomBytes(20000, 6);
  fs.PutFile("C:\\SRC\\C.DAT", data, t);
  fs.MakeDirectories("C:\\DEST");
  std::vector<TlzhFileStats> seen;
  engine.OnStatus = [&](TKblnCompress&, const TlzhFileStats& s) { seen.push_back(s); };
  engine.CopyFile("C:\\SRC\\C.DAT", "C:\\DEST\\C.DAT");
  EXPECT_EQ(fs.FileData("C:\\DEST\\C.DAT"), data);
  uint32_t got = 0;
  fs.GetTime("C:\\DEST\\C.DAT", &got);
  EXPECT_EQ(got, t);
  ASSERT_EQ(seen.size(), 4u);  // 8192, 8192, 3616, and the end
  EXPECT_TRUE(seen.back().Finished);
  EXPECT_EQ(seen[2].PercentDone, 100);
  EXPECT_EQ(engine.ExtractDirectory(), "C:\\DEST\\");

  // A stop half-way leaves the old destination.
  fs.PutFile("C:\\DEST\\C.DAT", "old");
  engine.OnStatus = [&](TKblnCompress& e, const TlzhFileStats&) { e.SetAbort(true); };
  engine.CopyFile("C:\\SRC\\C.DAT", "C:\\DEST\\C.DAT");
  EXPECT_EQ(fs.FileData("C:\\DEST\\C.DAT"), "old");
  EXPECT_EQ(fs.AllFiles("C:\\DEST").size(), 1u);

  // owNever keeps it; a missing directory or source fails by name.
  engine.OnStatus = nullptr;
  engine.SetOverwrite(owNever);
  engine.CopyFile("C:\\SRC\\C.DAT", "C:\\DEST\\C.DAT");
  EXPECT_EQ(fs.FileData("C:\\DEST\\C.DAT"), "old");
  engine.SetOverwrite(owAlways);
  EXPECT_THROW(engine.CopyFile("C:\\SRC\\C.DAT", "C:\\NODIR\\C.DAT"), EKCCouldNotCreateFile);
  EXPECT_THROW(engine.CopyFile("C:\\SRC\\NONE", "C:\\DEST\\X"), EKCCouldNotOpenFile);
  // A full disk never puts a cut copy in place.
  fs.SetCapacity('C', fs.Used('C') + 10000);
  EXPECT_THROW(engine.CopyFile("C:\\SRC\\C.DAT", "C:\\DEST\\C.DAT"), EKCDiskFull);
  EXPECT_EQ(fs.FileData("C:\\DEST\\C.DAT"), "old");
  int full = 0;
  engine.OnFullDisk = [&](TKblnCompress&) { ++full; };
  EXPECT_THROW(engine.CopyFile("C:\\SRC\\C.DAT", "C:\\DEST\\C.DAT"), EKCDiskFull);
  EXPECT_EQ(full, 1);
  engine.OnFullDisk = nullptr;
  EXPECT_EQ(fs.FileData("C:\\DEST\\C.DAT"), "old");
  EXPECT_EQ(fs.AllFiles("C:\\DEST").size(), 1u);
}

TEST(FileDate, DayCountAndDosTimeAgreeAndOddDatesAreHeld) {
  EXPECT_EQ(DosToFileDate((0u << 9 | 1u << 5 | 1u) << 16), 29221.0);  // 1980-01-01
  uint32_t dos = ((44u << 9 | 12u << 5 | 31u) << 16) | (23u << 11 | 59u << 5 | 29u);
  EXPECT_EQ(FileDateToDos(DosToFileDate(dos)), dos);
  EXPECT_EQ(PercentByte(1, 8), 12);   // 12.5 to even
  EXPECT_EQ(PercentByte(3, 8), 38);   // 37.5 to even
  EXPECT_EQ(PercentByte(5, 0), 0);
  EXPECT_EQ(archive_paths::ChangeExt("A:\\files.1", ".12"), "A:\\files.12");
  EXPECT_EQ(archive_paths::ChangeExt("C:/v1.2/files", ".1"), "C:/v1.2/files.1");
  EXPECT_EQ(archive_paths::FileName("a/../../b.dll"), "b.dll");
  EXPECT_EQ(ExtractFileName("..\\..\\x.dll"), "x.dll");
  EXPECT_EQ(ExtractFileName("C:evil.exe"), "evil.exe");
  // Impossible fields are held to their range; dates beyond the DOS years are
  // written as the nearest end.
  EXPECT_EQ(DosToFileDate((0u << 9 | 13u << 5 | 0u) << 16), DosToFileDate((0u << 9 | 12u << 5 | 1u) << 16));
  EXPECT_EQ(FileDateToDos(0.0), (1u << 5 | 1u) << 16);
  EXPECT_EQ(FileDateToDos(1e7), ((127u << 9 | 12u << 5 | 31u) << 16) | (23u << 11 | 59u << 5 | 29u));
}

}  // namespace
}  // namespace kit
