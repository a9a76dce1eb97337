// Damaged and hostile archives: each ends in its error, in bounded time and
// memory, and nothing is written outside the extraction directory.
#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "archive/testing/archive_fixture.h"
#include "archive/testing/archive_probe.h"

namespace kit {
namespace {

using testing::ArchiveTest;
using testing::Int32At;
using testing::PutInt32;
using testing::RandomBytes;

class BadInput : public ArchiveTest {
 protected:
  void SetUp() override {
    content = RandomBytes(5000, 11) + std::string(20000, 'z');
    Build({{"C:\\S\\A.BIN", content}, {"C:\\S\\B.TXT", "second member"}});
    good = fs.FileData("C:\\BUILD\\files.1");
  }
  // Puts the bytes as C:\BAD\files.1 and extracts `member` from it.
  void ExtractFrom(const std::string& bytes, const std::string& member = "C:\\S\\A.BIN") {
    fs.PutFile("C:\\BAD\\files.1", bytes);
    TKblnCompress reader(nullptr, fs, Services());
    reader.SetCompressedFile("C:\\BAD\\files.1");
    reader.SetExtractDirectory("C:\\OUT");
    reader.SetFilesToProcess({member});
    reader.ExtractFiles();
  }
  size_t SecondHeader() const { return static_cast<size_t>(Int32At(good, 5 + 124)); }
  std::string content, good;
};

TEST_F(BadInput, TruncatedArchives) {
  for (size_t cut : {size_t{0}, size_t{3}, size_t{5}, size_t{100}}) {
    EXPECT_THROW(ExtractFrom(good.substr(0, cut)), EKCFHCannotReadHeaders) << cut;
  }
  // Cut inside the first member's data: its stream ends early.
  EXPECT_THROW(ExtractFrom(good.substr(0, 300)), EKCFHCannotReadHeaders);  // second header gone
  std::string one = good.substr(0, SecondHeader() - 40);
  PutInt32(one, 0, 1);
  EXPECT_THROW(ExtractFrom(one), EKCWrongDecompressedSize);
  EXPECT_TRUE(fs.AllFiles("C:\\OUT").empty());
}

TEST_F(BadInput, CountsThatDoNotMatchTheFile) {
  std::string b = good;
  PutInt32(b, 0, 0);
  EXPECT_THROW(ExtractFrom(b), EKCFHFileNotInArchive);
  PutInt32(b, 0, -1);
  EXPECT_THROW(ExtractFrom(b), EKCFHFileNotInArchive);
  auto start = std::chrono::steady_clock::now();
  PutInt32(b, 0, INT32_MAX);
  EXPECT_THROW(ExtractFrom(b), EKCFHCannotReadHeaders);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
}

TEST_F(BadInput, LinksBackwardsOrPastTheEnd) {
  std::string b = good;
  PutInt32(b, 5 + 124, 5);  // the first header points at itself
  EXPECT_THROW(ExtractFrom(b), EKCFHCannotReadHeaders);
  b = good;
  PutInt32(b, 5 + 124, 1 << 30);
  EXPECT_THROW(ExtractFrom(b), EKCFHCannotReadHeaders);
}

TEST_F(BadInput, DataRangesThatMakeNoSense) {
  std::string b = good;
  PutInt32(b, 5 + 16, Int32At(b, 5 + 132) - 10);  // DataEnd before DataStart
  EXPECT_THROW(ExtractFrom(b), EKCWrongDecompressedSize);
  b = good;
  PutInt32(b, 5 + 132, -100000);
  EXPECT_ANY_THROW(ExtractFrom(b));
  b = good;
  PutInt32(b, 5 + 128, 10);  // FileSize far below what the stream holds
  EXPECT_THROW(ExtractFrom(b), EKCWrongDecompressedSize);
  b = good;
  b[5 + 140] = 3;  // FirstDisk after LastDisk in a single-file archive
  b[5 + 12] = 1;
  EXPECT_ANY_THROW(ExtractFrom(b));
  EXPECT_TRUE(fs.AllFiles("C:\\OUT").empty());
}

TEST_F(BadInput, CorruptStreamsAndTrailingBytes) {
  std::string b = good;
  b[169 + 2] ^= 0x55;  // inside the deflate data
  b[169 + 3] ^= 0x55;
  EXPECT_THROW(ExtractFrom(b), EZlibError);
  b = good;
  b[169] = 0x12;  // not a zlib header
  try {
    ExtractFrom(b);
    FAIL();
  } catch (const EDecompressionError& e) {
    EXPECT_EQ(e.Message(), "The compressed data of C:\\S\\A.BIN in C:\\BAD\\files.1 is damaged: incorrect header check");
  }
  // The member's range runs on into the next header: bytes after the stream.
  b = good;
  PutInt32(b, 5 + 16, Int32At(b, 5 + 16) + 20);
  EXPECT_THROW(ExtractFrom(b), EDecompressionError);
  // A wrong Adler-32.
  b = good;
  b[SecondHeader() - 1] ^= 1;
  EXPECT_THROW(ExtractFrom(b), EDecompressionError);
  EXPECT_TRUE(fs.AllFiles("C:\\OUT").empty());
}

TEST_F(BadInput, MemberNamesNeverLeaveTheDirectory) {
  const char* names[] = {"..\\..\\WINDOWS\\evil.dll", "C:evil.dll", "D:\\x\\..\\evil.dll",
                         "..", "sub\\..", "...", "a/../../b.dll", "\\\\server\\share\\evil.dll"};
  for (const char* name : names) {
    std::string b = good;
    b[5 + 20] = static_cast<char>(std::strlen(name));
    std::memcpy(&b[5 + 21], name, std::strlen(name));
    try {
      ExtractFrom(b, name);
    } catch (const EKCCouldNotCreateFile& e) {
      EXPECT_NE(e.Message().find("C:\\OUT\\"), std::string::npos) << name;
    }
  }
  for (const std::string& f : fs.AllFiles()) {
    bool inside = f.rfind("C:\\OUT\\", 0) == 0 || f.rfind("C:\\S\\", 0) == 0 ||
                  f.rfind("C:\\BAD\\", 0) == 0 || f.rfind("C:\\BUILD\\", 0) == 0;
    EXPECT_TRUE(inside) << f;
    EXPECT_EQ(f.find("..", 3), std::string::npos) << f;
  }
  EXPECT_TRUE(fs.Exists("C:\\OUT\\evil.dll"));
  EXPECT_TRUE(fs.Exists("C:\\OUT\\b.dll"));
}

TEST_F(BadInput, VolumeSetWithAMissingVolume) {
  fs.SetCapacity('A', 3000);
  fs.SetCapacity('B', 100000);
  engine.OnNewDisk = [](TKblnCompress&, int disk, std::string& path) { path = disk == 1 ? "A:" : "B:"; };
  engine.SplitToDisks("A:\\", "files.1");
  ASSERT_TRUE(fs.Exists("B:\\files.2"));
  fs.RemoveFile("B:\\files.2");
  TKblnCompress reader(nullptr, fs, Services());
  reader.SetCompressedFile("A:\\files.1");
  reader.SetExtractDirectory("C:\\OUT");
  reader.SetFilesToProcess({"C:\\S\\A.BIN"});
  try {
    reader.ExtractFiles();
    FAIL();
  } catch (const EKC&) {
    FAIL() << "a plain error is expected";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "Could not open the correct disk file 2");
  }
  EXPECT_TRUE(fs.AllFiles("C:\\OUT").empty());
  // The table of the set is read from volume 1 alone.
  EXPECT_EQ(reader.FileCount(), 2);
}

TEST_F(BadInput, ProbeKeepsEveryFileInsideItsDirectory) {
  testing::ProbeResult r = testing::ProbeArchive(good);
  EXPECT_EQ(r.members, 2);
  EXPECT_EQ(r.extracted, 4);
  EXPECT_FALSE(r.wrote_outside);
}

// Every input the fuzzer kept (seeds and findings) runs again here.
TEST(ArchiveCorpus, EveryKeptInputEndsCleanly) {
  namespace fsys = std::filesystem;
  int files = 0;
  for (const auto& entry : fsys::directory_iterator(KIT_ARCHIVE_CORPUS_DIR)) {
    if (!entry.is_regular_file()) continue;
    std::ifstream in(entry.path(), std::ios::binary);
    std::stringstream data;
    data << in.rdbuf();
    testing::ProbeResult r = testing::ProbeArchive(data.str());
    EXPECT_FALSE(r.wrote_outside) << entry.path();
    ++files;
  }
  EXPECT_GT(files, 0);
}

// Testing a member writes nothing, and a damaged one fails as extraction does.
TEST_F(BadInput, TestMemberReadsIntoNothing) {
  fs.PutFile("C:\\BAD\\files.1", good);
  TKblnCompress reader(nullptr, fs, Services());
  reader.SetCompressedFile("C:\\BAD\\files.1");
  size_t before = fs.AllFiles("C:\\").size();
  reader.TestMember(0);
  reader.TestMember(1);
  EXPECT_EQ(fs.AllFiles("C:\\").size(), before);
  EXPECT_EQ(reader.StructureEnd(), static_cast<int64_t>(good.size()));

  std::string bad = good;
  bad[static_cast<size_t>(Int32At(good, 5 + 132)) + 40] ^= 0x55;
  fs.PutFile("C:\\BAD\\files.1", bad);
  TKblnCompress damaged(nullptr, fs, Services());
  damaged.SetCompressedFile("C:\\BAD\\files.1");
  EXPECT_THROW(damaged.TestMember(0), Exception);
  damaged.TestMember(1);
  EXPECT_EQ(fs.AllFiles("C:\\").size(), before);
}

// Bytes left behind the last member (a run killed while copying) belong to
// no member: the next member goes where the last one ends.
TEST_F(BadInput, OnlyAddPlacesTheMemberWhereTheStructureEnds) {
  fs.PutFile("C:\\BUILD\\files.1", good + std::string(777, 'x'));
  fs.PutFile("C:\\S\\C.TXT", "third");
  TKblnCompress adder(nullptr, fs, Services());
  adder.SetCompressedFile("C:\\BUILD\\files.1");
  adder.SetFilesToProcess({"C:\\S\\C.TXT"});
  adder.AddFiles(true);
  std::string after = fs.FileData("C:\\BUILD\\files.1");
  EXPECT_EQ(Int32At(after, 0), 3);
  EXPECT_EQ(after.substr(4, good.size() - 4), good.substr(4));
  EXPECT_EQ(Int32At(after, SecondHeader() + 124), static_cast<int32_t>(good.size()));
  TKblnCompress reader(nullptr, fs, Services());
  reader.SetCompressedFile("C:\\BUILD\\files.1");
  ASSERT_EQ(reader.FileCount(), 3);
  EXPECT_EQ(reader.StructureEnd(), static_cast<int64_t>(after.size()));
  reader.TestMember(2);
}

// A name with a NUL or control character is refused when the table is read,
// so listing, testing and extracting all see the same damaged archive.
TEST_F(BadInput, NameWithAControlCharacterIsInvalidEverywhere) {
  for (char c : {'\0', '\n', '\x1f'}) {
    std::string bad = good;
    bad[5 + 21 + 3] = c;  // inside "C:\S\A.BIN"
    fs.PutFile("C:\\BAD\\files.1", bad);
    TKblnCompress reader(nullptr, fs, Services());
    reader.SetCompressedFile("C:\\BAD\\files.1");
    EXPECT_THROW(reader.FileCount(), EKCFHCannotReadHeaders);
    EXPECT_THROW(ExtractFrom(bad, "C:\\S\\B.TXT"), EKCFHCannotReadHeaders);
    EXPECT_FALSE(fs.DirectoryExists("C:\\OUT"));
  }
}

}  // namespace
}  // namespace kit
