#include "archive/file_header.h"

#include <gtest/gtest.h>

#include "archive/archive_errors.h"
#include "archive/file_date.h"
#include "archive/percent.h"
#include "base/paths.h"
#include "base/text.h"
#include "archive/testing/memory_fs.h"

namespace kit {
namespace {

using testing::MemoryFileSystem;

TEST(FileHeader, RecordLayoutIsFixedByteForByte) {
  TFileHeader h;
  h.FileNumber = 0x01020304;
  h.FileDate = 1.5;
  h.LastDisk = 7;
  h.DataEnd = 268;
  h.SetFileName("C:\\SRC\\A.TXT");
  h.NextHeader = 269;
  h.FileSize = 1000;
  h.DataStart = 169;
  h.CompressedSize = 100;
  h.FirstDisk = 3;
  h.SetFileVersion("1.2.3.4");
  auto r = h.Record();
  ASSERT_EQ(r.size(), 164u);
  EXPECT_EQ(r[0], 0x04);
  EXPECT_EQ(r[3], 0x01);
  const uint8_t one_and_a_half[8] = {0, 0, 0, 0, 0, 0, 0xF8, 0x3F};  // IEEE-754 1.5
  for (int i = 0; i < 8; ++i) EXPECT_EQ(r[4 + i], one_and_a_half[i]) << i;
  EXPECT_EQ(r[12], 7);
  EXPECT_EQ(r[13] | r[14] | r[15], 0);
  EXPECT_EQ(r[16], 268 & 0xFF);
  EXPECT_EQ(r[17], 268 >> 8);
  EXPECT_EQ(r[20], 12);  // length byte of the name
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&r[21]), 12), "C:\\SRC\\A.TXT");
  EXPECT_EQ(r[124], 269 & 0xFF);
  EXPECT_EQ(r[128], 1000 & 0xFF);
  EXPECT_EQ(r[129], 1000 >> 8);
  EXPECT_EQ(r[132], 169);
  EXPECT_EQ(r[136], 100);
  EXPECT_EQ(r[140], 3);
  EXPECT_EQ(r[141], 7);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&r[142]), 7), "1.2.3.4");
  EXPECT_EQ(r[162] | r[163], 0);

  TFileHeader back;
  back.SetRecord(r);
  EXPECT_EQ(back.Record(), r);
  EXPECT_EQ(back.FileName(), "C:\\SRC\\A.TXT");
  EXPECT_EQ(back.FileVersion(), "1.2.3.4");
  EXPECT_EQ(back.FileDate, 1.5);
}

TEST(FileHeader, FillFromFileTakesNameDateSizeVersion) {
  MemoryFileSystem fs;
  // 2001-02-03 04:05:06
  uint32_t dos = ((21u << 9 | 2u << 5 | 3u) << 16) | (4u << 11 | 5u << 5 | 3u);
  fs.PutFile("C:\\Src\\App.exe", std::string(1234, 'a'), dos);
  TFileHeader h;
  h.FillFromFile("C:\\Src\\App.exe;whatever follows", fs,
                 [](const std::string&) { return std::string("12345678901234567890123"); });
  EXPECT_EQ(h.FileName(), "C:\\Src\\App.exe");
  EXPECT_EQ(h.FileSize, 1234);
  EXPECT_EQ(h.FileVersion(), "12345678901234567890");  // cut to 20
  EXPECT_NEAR(h.FileDate, 36925 + (4 * 3600 + 5 * 60 + 6) / 86400.0, 1e-9);
  EXPECT_FALSE(h.Stored);
  EXPECT_EQ(FileDateToDos(h.FileDate), dos);
}

TEST(FileHeader, FillFromFileRefusesPathsThatDoNotFitAndMissingFiles) {
  MemoryFileSystem fs;
  std::string dir = "C:\\" + std::string(95, 'd');
  std::string long_path = dir + "\\file.txt";  // 108 characters
  fs.PutFile(long_path, "x");
  fs.PutFile(long_path.substr(0, 100), "wrong file");
  TFileHeader h;
  try {
    h.FillFromFile(long_path, fs, nullptr);
    FAIL() << "a path over 100 characters was stored";
  } catch (const EKCFHFileNameTooLong& e) {
    EXPECT_EQ(e.Path(), long_path);
    EXPECT_NE(e.Message().find(long_path), std::string::npos);
  }
  try {
    h.FillFromFile("C:\\nothing.txt", fs, nullptr);
    FAIL();
  } catch (const EKCCouldNotOpenFile& e) {
    EXPECT_EQ(e.Message(), "Could not open the following file: C:\\nothing.txt");
  }
}

TEST(FileHeader, StreamReadWriteAndValidity) {
  MemoryFileSystem fs;
  auto f = fs.Open("C:\\h.bin", FileAccess::kReadWrite, share::kAll, Disposition::kCreateAlways);
  TKblnNormalHandleStream s(*f);
  TFileHeader h;
  EXPECT_FALSE(h.IsValid());
  h.SetFileName(" \t\r\n ");
  EXPECT_FALSE(h.IsValid());
  h.SetFileName("a");
  EXPECT_TRUE(h.IsValid());
  h.WriteToStream(s);
  EXPECT_EQ(s.Size(), 164);
  s.Seek(0, SeekOrigin::kBegin);
  TFileHeader r;
  r.ReadFromStream(s);
  EXPECT_TRUE(r.Stored);
  EXPECT_EQ(r.FileName(), "a");
  s.Seek(1, SeekOrigin::kBegin);
  EXPECT_THROW(r.ReadFromStream(s), EKCFHCannotReadHeaders);
  // A length byte beyond the capacity reads as the whole field.
  auto rec = h.Record();
  rec[20] = 250;
  r.SetRecord(rec);
  EXPECT_EQ(r.FileName().size(), 100u);
}

}  // namespace
}  // namespace kit
