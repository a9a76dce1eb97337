#include "platform/emulated/win_path.h"

#include <gtest/gtest.h>

#include "platform/platform.h"

namespace kit::emu {
namespace {

std::string Parse(const std::string& path, const std::string& cur = "D:\\Work\\Sub") {
  WinPath p;
  uint32_t e = ParseWinPath(path, cur, &p);
  return e ? "error " + std::to_string(e) : p.Text();
}

TEST(WinPathTest, ResolvesTheFormsOfWindowsPaths) {
  EXPECT_EQ(Parse("C:\\Tavwin\\File.txt"), "C:\\Tavwin\\File.txt");
  EXPECT_EQ(Parse("c:/tavwin//x/./y"), "c:\\tavwin\\x\\y");
  EXPECT_EQ(Parse("name.txt"), "D:\\Work\\Sub\\name.txt");
  EXPECT_EQ(Parse("..\\other"), "D:\\Work\\other");
  EXPECT_EQ(Parse("\\root.txt"), "D:\\root.txt");
  EXPECT_EQ(Parse("D:rel"), "D:\\Work\\Sub\\rel");  // same drive: relative to its current dir
  EXPECT_EQ(Parse("C:rel"), "C:\\rel");
  EXPECT_EQ(Parse("C:\\dir\\name. . "), "C:\\dir\\name");  // trailing dots and blanks dropped
}

TEST(WinPathTest, RejectsPathsThatLeaveTheRootOrAreIllegal) {
  EXPECT_EQ(Parse("C:\\..\\etc"), "error " + std::to_string(winerr::kBadPathName));
  EXPECT_EQ(Parse("C:\\a\\..\\..\\b"), "error " + std::to_string(winerr::kBadPathName));
  EXPECT_EQ(Parse("..\\..\\..\\x"), "error " + std::to_string(winerr::kBadPathName));
  EXPECT_EQ(Parse(std::string("C:\\a\0b", 6)), "error " + std::to_string(winerr::kInvalidName));
  EXPECT_EQ(Parse("C:\\a*b"), "error " + std::to_string(winerr::kInvalidName));
  EXPECT_EQ(Parse("C:\\a:b"), "error " + std::to_string(winerr::kInvalidName));
  EXPECT_EQ(Parse("\\\\server\\share\\x"), "error " + std::to_string(winerr::kBadPathName));
  EXPECT_EQ(Parse(""), "error " + std::to_string(winerr::kPathNotFound));
  EXPECT_EQ(Parse("C:\\" + std::string(256, 'a')), "error " + std::to_string(winerr::kInvalidName));
}

TEST(WinPathTest, WildcardsFollowWindows) {
  EXPECT_TRUE(WildcardMatch("*.*", "README"));
  EXPECT_TRUE(WildcardMatch("*.dll", "KERNEL32.DLL"));
  EXPECT_FALSE(WildcardMatch("*.dll", "KERNEL32.DLLX"));
  EXPECT_TRUE(WildcardMatch("A?.DLL", "ab.dll"));
  EXPECT_FALSE(WildcardMatch("A?.DLL", "abc.dll"));
  EXPECT_TRUE(WildcardMatch("*.", "README"));
  EXPECT_FALSE(WildcardMatch("*.", "README.TXT"));
  EXPECT_TRUE(WildcardMatch("READ*.*", "readme"));
  EXPECT_TRUE(WildcardMatch("*a*b*", "xxaYYbzz"));
}

TEST(WinPathTest, ShortNames) {
  EXPECT_TRUE(IsShortName("AUTOEXEC.BAT"));
  EXPECT_TRUE(IsShortName("FOO"));
  EXPECT_FALSE(IsShortName("autoexec.bat"));  // lower case needs a generated name
  EXPECT_FALSE(IsShortName("Program Files"));
  EXPECT_FALSE(IsShortName("A.B.C"));
  EXPECT_FALSE(IsShortName("TOOLONGNAME.TXT"));
  std::string base, ext;
  ShortNameParts("Program Files", &base, &ext);
  EXPECT_EQ(base, "PROGRAMF");
  EXPECT_EQ(ext, "");
  ShortNameParts("my+file.name.html", &base, &ext);
  EXPECT_EQ(base, "MY_FILEN");
  EXPECT_EQ(ext, "HTM");
}

}  // namespace
}  // namespace kit::emu
