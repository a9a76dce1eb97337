#include "archive/testing/memory_fs.h"

#include <gtest/gtest.h>

namespace kit::testing {
namespace {

TEST(MemoryFileSystem, WindowsPathsWithoutCase) {
  MemoryFileSystem fs;
  ASSERT_TRUE(fs.MakeDirectories("C:\\Tavwin\\Sub"));
  fs.PutFile("c:\\TAVWIN\\sub\\A.txt", "abc");
  EXPECT_TRUE(fs.Exists("C:\\tavwin\\SUB\\a.TXT"));
  EXPECT_TRUE(fs.DirectoryExists("c:\\Tavwin"));
  EXPECT_EQ(fs.AllFiles("C:\\TAVWIN"), std::vector<std::string>{"C:\\Tavwin\\Sub\\A.txt"});
  EXPECT_EQ(fs.FileData("C:\\Tavwin\\x\\..\\Sub\\.\\a.txt"), "abc");
  EXPECT_FALSE(fs.Open("C:\\None\\b.txt", FileAccess::kWrite, 0, Disposition::kCreateAlways));
  EXPECT_EQ(fs.last_error(), winerr::kPathNotFound);
  std::string temp;
  ASSERT_TRUE(fs.TempFileName("C:\\Tavwin", "lzh", &temp));
  EXPECT_EQ(temp.rfind("C:\\Tavwin\\lzh", 0), 0u);
  EXPECT_TRUE(fs.Exists(temp));
}

TEST(MemoryFileSystem, FullDriveGivesShortWrites) {
  MemoryFileSystem fs;
  fs.SetCapacity('A', 10);
  auto f = fs.Open("A:\\f", FileAccess::kReadWrite, 0, Disposition::kCreateAlways);
  uint32_t w = 0;
  EXPECT_FALSE(f->Write("0123456789abc", 13, &w));
  EXPECT_EQ(w, 10u);
  EXPECT_EQ(fs.last_error(), winerr::kDiskFull);
  // Overwriting in place needs no room.
  f->Seek(0, SeekOrigin::kBegin);
  EXPECT_TRUE(f->Write("ABCDE", 5, &w));
  uint64_t free_bytes = 0, total = 0;
  fs.DiskSpace("A:\\", &free_bytes, &total);
  EXPECT_EQ(free_bytes, 0u);
  EXPECT_EQ(total, 10u);
}

TEST(MemoryFileSystem, OpenFilesCannotBeRemovedAndMovesReplace) {
  MemoryFileSystem fs;
  fs.PutFile("C:\\a", "new");
  fs.PutFile("C:\\b", "old");
  {
    auto f = fs.Open("C:\\b", FileAccess::kRead, share::kAll, Disposition::kOpenExisting);
    EXPECT_FALSE(fs.RemoveFile("C:\\b"));
    EXPECT_FALSE(fs.MoveEx("C:\\a", "C:\\b", movefile::kReplaceExisting));
  }
  EXPECT_FALSE(fs.Rename("C:\\a", "C:\\b"));
  EXPECT_TRUE(fs.MoveEx("C:\\a", "C:\\b", movefile::kReplaceExisting));
  EXPECT_EQ(fs.FileData("C:\\b"), "new");
  EXPECT_FALSE(fs.Exists("C:\\a"));
}

}  // namespace
}  // namespace kit::testing
