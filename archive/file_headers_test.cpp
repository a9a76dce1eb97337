#include "archive/file_headers.h"

#include <gtest/gtest.h>

#include <chrono>

#include "archive/archive_errors.h"
#include "archive/testing/archive_fixture.h"
#include "archive/testing/memory_fs.h"

namespace kit {
namespace {

using testing::Int32At;
using testing::MemoryFileSystem;
using testing::PutInt32;

std::unique_ptr<TFileHeader> Named(const std::string& name, int32_t size = 0) {
  auto h = std::make_unique<TFileHeader>();
  h->SetFileName(name);
  h->FileSize = size;
  return h;
}

TEST(FileHeaders, IndexOfFindsTheFirstMatchIgnoringCaseAndTail) {
  TFileHeaders t;
  t.Add(Named("C:\\Build\\App.exe"));
  t.Add(Named("C:\\Build\\Read.me"));
  t.Add(Named("c:\\build\\app.EXE"));  // the same file added twice
  EXPECT_EQ(t.IndexOf("C:\\BUILD\\APP.EXE"), 0);
  EXPECT_EQ(t.IndexOf("c:\\build\\read.me;dest name"), 1);
  EXPECT_EQ(t.IndexOf("App.exe"), -1);
  EXPECT_EQ(t.IndexOfWhole("c:\\build\\read.me;x"), -1);
  // Only ASCII letters fold: 0xE7 and 0xC7 are different names.
  t.Add(Named("C:\\\xE7.txt"));
  EXPECT_EQ(t.IndexOf("C:\\\xC7.TXT"), -1);
  EXPECT_EQ(t.IndexOf("c:\\\xE7.TXT"), 3);
  // A renamed header is found by its new name only.
  t.FileHeaders(0)->SetFileName("C:\\Other.exe");
  EXPECT_EQ(t.IndexOf("C:\\Build\\App.exe"), 2);
  EXPECT_EQ(t.IndexOf("c:\\other.exe"), 0);
}

TEST(FileHeaders, AddRefusesBlankNamesAndIndexIsChecked) {
  TFileHeaders t;
  EXPECT_THROW(t.Add(Named("   ")), EKCFHInvalidNewFileHeader);
  EXPECT_EQ(t.Count(), 0);
  try {
    t.GetFileHeaders(0);
    FAIL();
  } catch (const EKCFH&) {
    FAIL() << "a plain error is expected";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "GetFileHeaders--module cmp_TFileHeaders--Create constructor");
  }
}

TEST(FileHeaders, TotalsSumEveryHeader) {
  TFileHeaders t;
  t.Add(Named("a", 300));
  t.Add(Named("b", 100));
  t.FileHeaders(0)->CompressedSize = 50;
  t.FileHeaders(1)->CompressedSize = 10;
  TlzhFileStats s;
  s.TotalBytesProcessed = 9;
  s.TotalPercentDone = 9;
  s.Finished = true;
  t.StartTotals(s);
  EXPECT_EQ(s.TotalFileSize, 400);
  EXPECT_EQ(s.TotalCompressedSize, 60);
  EXPECT_EQ(s.TotalCompressionRatio, 15);
  EXPECT_EQ(s.TotalBytesProcessed, 0);
  EXPECT_EQ(s.TotalPercentDone, 0);
  EXPECT_FALSE(s.Finished);
  TFileHeaders empty;
  empty.StartTotals(s);
  EXPECT_EQ(s.TotalCompressionRatio, 0);
}

class TableWalk : public ::testing::Test {
 protected:
  // count, flag, then records linked as a volume set table.
  std::string Table(int32_t count, int records) {
    std::string b(5, '\0');
    PutInt32(b, 0, count);
    b[4] = 1;
    for (int i = 0; i < records; ++i) {
      TFileHeader h;
      h.SetFileName("F" + std::to_string(i));
      h.NextHeader = 5 + 164 * (i + 1);
      auto r = h.Record();
      b.append(reinterpret_cast<const char*>(r.data()), r.size());
    }
    return b;
  }
  void Read(const std::string& bytes, int64_t offset = 0) {
    fs.PutFile("C:\\t.bin", bytes);
    auto f = fs.Open("C:\\t.bin", FileAccess::kRead, share::kAll, Disposition::kOpenExisting);
    TKblnNormalHandleStream s(*f);
    table.ReadFromStream(s, offset);
  }
  MemoryFileSystem fs;
  TFileHeaders table;
};

TEST_F(TableWalk, CountsOfZeroOrLessAreEmptyArchives) {
  Read(Table(0, 0));
  EXPECT_EQ(table.Count(), 0);
  EXPECT_EQ(table.MultiVolume, 1);
  Read(Table(-1, 2));
  EXPECT_EQ(table.Count(), 0);
}

TEST_F(TableWalk, ShortFilesFailWithTheirOwnErrors) {
  EXPECT_THROW(Read(std::string("\1\0\0", 3)), EKCFHCannotReadHeaderCount);
  EXPECT_THROW(Read(std::string("\1\0\0\0", 4)), EKCFHCannotReadHeaderCount);
  std::string cut = Table(2, 2);
  cut.resize(cut.size() - 1);
  EXPECT_THROW(Read(cut), EKCFHCannotReadHeaders);
  EXPECT_EQ(table.Count(), 1);  // what was read so far stays
}

TEST_F(TableWalk, HugeCountOnASmallFileEndsQuickly) {
  auto start = std::chrono::steady_clock::now();
  EXPECT_THROW(Read(Table(INT32_MAX, 3)), EKCFHCannotReadHeaders);
  EXPECT_EQ(table.Count(), 3);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
}

TEST_F(TableWalk, LinksThatDoNotMoveForwardAreRefused) {
  for (int32_t next : {5, 0, -1000, 5 + 163}) {
    std::string b = Table(3, 3);
    PutInt32(b, 5 + 124, next);  // the first record's NextHeader
    EXPECT_THROW(Read(b), EKCFHCannotReadHeaders) << next;
  }
  // The last record's link is never followed.
  std::string b = Table(2, 2);
  PutInt32(b, 5 + 164 + 124, -7);
  Read(b);
  EXPECT_EQ(table.Count(), 2);
}

TEST_F(TableWalk, PositionsAreRelativeToTheOffset) {
  std::string b = std::string(4096, 'z') + Table(2, 2);
  Read(b, 4096);
  ASSERT_EQ(table.Count(), 2);
  EXPECT_EQ(table.FileHeaders(1)->FileName(), "F1");
}

TEST_F(TableWalk, WritingAVolumeSetTableLinksTheRecords) {
  TFileHeaders t;
  t.Add(Named("one"));
  t.Add(Named("two"));
  t.MultiVolume = 1;
  auto f = fs.Open("C:\\w.bin", FileAccess::kReadWrite, share::kAll, Disposition::kCreateAlways);
  TKblnNormalHandleStream s(*f);
  s.Write("garbage", 7);
  t.WriteToStream(s);
  std::string bytes = fs.FileData("C:\\w.bin");
  ASSERT_EQ(bytes.size(), 5u + 2 * 164);
  EXPECT_EQ(Int32At(bytes, 0), 2);
  EXPECT_EQ(bytes[4], 1);
  EXPECT_EQ(Int32At(bytes, 5 + 124), 169);
  EXPECT_EQ(Int32At(bytes, 169 + 124), 333);
  // A single-file table writes only the count and the flag.
  t.MultiVolume = 0;
  t.WriteToStream(s);
  EXPECT_EQ(s.Position(), 5);
  // A disk that cannot take the count.
  fs.SetCapacity('A', 3);
  auto g = fs.Open("A:\\x", FileAccess::kReadWrite, share::kAll, Disposition::kCreateAlways);
  TKblnNormalHandleStream gs(*g);
  EXPECT_THROW(t.WriteToStream(gs), EKCFHCannotWriteHeaders);
}

}  // namespace
}  // namespace kit
