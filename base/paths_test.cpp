#include "base/paths.h"

#include <gtest/gtest.h>

namespace kit {
namespace {

TEST(Paths, PartsOfAPath) {
  const std::string p = "C:\\Tavwin\\Bin\\Setup.1";
  EXPECT_EQ(ExtractFilePath(p, 1252), "C:\\Tavwin\\Bin\\");
  EXPECT_EQ(ExtractFileDir(p, 1252), "C:\\Tavwin\\Bin");
  EXPECT_EQ(ExtractFileName(p, 1252), "Setup.1");
  EXPECT_EQ(ExtractFileExt(p, 1252), ".1");
  EXPECT_EQ(ExtractFileExt("C:\\Dir.X\\File", 1252), "");
  EXPECT_EQ(ExtractFileExt("a.tar.gz", 1252), ".gz");
  EXPECT_EQ(ChangeFileExt("C:\\X\\files.lzh", ".1", 1252), "C:\\X\\files.1");
  EXPECT_EQ(ChangeFileExt("C:\\X.D\\files", ".1", 1252), "C:\\X.D\\files.1");
  EXPECT_EQ(ChangeFileExt("name.txt", "", 1252), "name");
  EXPECT_EQ(ExtractFileName("C:File.txt", 1252), "File.txt");
  EXPECT_EQ(ExtractFilePath("File.txt", 1252), "");
}

TEST(Paths, RootsKeepTheirBackslash) {
  EXPECT_EQ(ExtractFileDir("C:\\File.txt", 1252), "C:\\");
  EXPECT_EQ(ExtractFileDir("\\File.txt", 1252), "\\");
  EXPECT_EQ(ExtractFileDir("\\\\srv\\share\\File.txt", 1252), "\\\\srv\\share");
  EXPECT_EQ(ExcludeTrailingBackslash("C:\\", 1252), "C:\\");
  EXPECT_EQ(ExcludeTrailingBackslash("\\", 1252), "\\");
  EXPECT_EQ(ExcludeTrailingBackslash("C:\\Tavwin\\", 1252), "C:\\Tavwin");
  EXPECT_EQ(ExcludeTrailingBackslash("C:\\Tavwin", 1252), "C:\\Tavwin");
  EXPECT_EQ(IncludeTrailingBackslash("C:\\Tavwin", 1252), "C:\\Tavwin\\");
  EXPECT_EQ(IncludeTrailingBackslash("C:\\Tavwin\\", 1252), "C:\\Tavwin\\");
  EXPECT_EQ(IncludeTrailingBackslash("C:", 1252), "C:\\");
  EXPECT_EQ(IncludeTrailingBackslash("", 1252), "\\");
}

TEST(Paths, Drives) {
  EXPECT_EQ(ExtractFileDrive("c:\\x", 1252), "c:");
  EXPECT_EQ(ExtractFileDrive("\\\\srv\\share\\dir\\f", 1252), "\\\\srv\\share");
  EXPECT_EQ(ExtractFileDrive("\\\\srv\\share", 1252), "\\\\srv\\share");
  EXPECT_EQ(ExtractFileDrive("\\\\srv", 1252), "");
  EXPECT_EQ(ExtractFileDrive("\\dir", 1252), "");
  EXPECT_EQ(ExtractFileDrive("dir", 1252), "");
}

// In 932 (Shift-JIS) "表" is 0x95 0x5C and "ソ" is 0x83 0x5C; in 949 many
// characters have a second byte 0x5C as well (0x81 0x5C).
TEST(Paths, DoubleByteSecondBytesAreNotBackslashes) {
  const std::string dir = "C:\\\x95\x5C";  // C:\表
  const std::string path = dir + "\\\x83\x5C.txt";
  EXPECT_EQ(ExtractFilePath(path, 932), dir + "\\");
  EXPECT_EQ(ExtractFileName(path, 932), "\x83\x5C.txt");
  EXPECT_EQ(ExtractFileDir(path, 932), dir);
  EXPECT_EQ(IncludeTrailingBackslash(dir, 932), dir + "\\");
  EXPECT_EQ(ExcludeTrailingBackslash(dir, 932), dir);
  EXPECT_FALSE(IsPathDelimiter(dir, 4, 932));
  EXPECT_TRUE(IsPathDelimiter(dir, 4, 1252));
  EXPECT_EQ(ExtractFileName("\x81\x5C", 949), "\x81\x5C");
  EXPECT_EQ(IncludeTrailingBackslash("D:\\\x81\x5C", 949), "D:\\\x81\x5C\\");
  // Read as 1252 the same bytes hold a backslash.
  EXPECT_EQ(ExtractFileName(path, 1252), ".txt");
  // The default follows the process's ANSI code page.
  unsigned saved = AnsiCodePage();
  SetAnsiCodePage(932);
  EXPECT_EQ(ExtractFileName(path), "\x83\x5C.txt");
  SetAnsiCodePage(saved);
  // A lead byte at the very end is a byte of its own.
  EXPECT_EQ(IncludeTrailingBackslash("C:\\A\x95", 932), "C:\\A\x95\\");
}

TEST(Paths, ExpandFileName) {
  const std::string cur = "C:\\Work\\Sub";
  EXPECT_EQ(ExpandFileName("file.txt", cur, 1252), "C:\\Work\\Sub\\file.txt");
  EXPECT_EQ(ExpandFileName("..\\x\\.\\y", cur, 1252), "C:\\Work\\x\\y");
  EXPECT_EQ(ExpandFileName("..\\..\\..\\..\\x", cur, 1252), "C:\\x");
  EXPECT_EQ(ExpandFileName("\\Root\\f", cur, 1252), "C:\\Root\\f");
  EXPECT_EQ(ExpandFileName("D:\\a\\..\\b\\", cur, 1252), "D:\\b\\");
  EXPECT_EQ(ExpandFileName("c:rel", cur, 1252), "C:\\Work\\Sub\\rel");
  EXPECT_EQ(ExpandFileName("D:rel", cur, 1252), "D:\\rel");
  EXPECT_EQ(ExpandFileName("a/b", cur, 1252), "C:\\Work\\Sub\\a\\b");
  EXPECT_EQ(ExpandFileName("\\\\srv\\share\\a\\..\\..\\b", cur, 1252), "\\\\srv\\share\\b");
  EXPECT_EQ(ExpandFileName(".", "C:\\", 1252), "C:\\");
  EXPECT_EQ(ExpandFileName("..", "C:\\", 1252), "C:\\");
  EXPECT_EQ(ExpandFileName("\x95\x5C\\..\\f", "C:\\", 932), "C:\\f");
}

}  // namespace
}  // namespace kit
