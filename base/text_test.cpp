#include "base/text.h"

#include <gtest/gtest.h>

namespace kit {
namespace {

TEST(Text, TrimRemovesBlanksAndControlCharacters) {
  EXPECT_EQ(Trim(" \t\r\n x y \x01\x1f"), "x y");
  EXPECT_EQ(TrimLeft("  a "), "a ");
  EXPECT_EQ(TrimRight("  a \n"), "  a");
  EXPECT_EQ(Trim("   "), "");
  // Bytes above 0x7F (letters of the code page) are kept.
  EXPECT_EQ(Trim("\xA0\xFD "), "\xA0\xFD");
}

TEST(Text, AsciiCaseLeavesOtherBytesAlone) {
  EXPECT_EQ(UpperCase("setup.exe \xFD\xE7"), "SETUP.EXE \xFD\xE7");
  EXPECT_EQ(LowerCase("ABC\xDD"), "abc\xDD");
  EXPECT_TRUE(SameText("C:\\Tavwin", "c:\\TAVWIN"));
  EXPECT_FALSE(SameText("abc", "abcd"));
  EXPECT_LT(CompareText("abc", "ABD"), 0);
  EXPECT_GT(CompareText("b", "A"), 0);
  EXPECT_LT(CompareText("ab", "AB_"), 0);
}

TEST(Text, AsciiCaseKeepsDoubleByteCharactersOfTheAnsiCodePage) {
  unsigned saved = AnsiCodePage();
  SetAnsiCodePage(932);
  // 0x83 0x61 is one character whose second byte looks like 'a'.
  EXPECT_EQ(UpperCase("a\x83\x61"), "A\x83\x61");
  SetAnsiCodePage(saved);
}

TEST(Text, AnsiComparisonFollowsTheCodePage) {
  // Turkish (1254): I/ı and İ/i pair up as Windows' case-insensitive
  // comparison pairs them; Ş/ş and Ç/ç are letters.
  EXPECT_TRUE(AnsiSameText("\xDE\x45\x4B\xC7\x45", "\xFE\x65k\xE7\x65", 1254));  // ŞEKÇE / şekçe
  EXPECT_TRUE(AnsiSameText("\xFD", "I", 1254));
  EXPECT_TRUE(AnsiSameText("\xDD", "i", 1254));
  EXPECT_FALSE(AnsiSameText("\xDE", "S", 1254));
  // The same bytes are other letters in 1252: Þ/þ pair, ý (FD) is not I.
  EXPECT_TRUE(AnsiSameText("\xDE", "\xFE", 1252));
  EXPECT_FALSE(AnsiSameText("\xFD", "I", 1252));
  EXPECT_EQ(AnsiUpperCase("\xFF\xE9", 1252), "\x9F\xC9");  // ÿé -> ŸÉ
  EXPECT_EQ(AnsiLowerCase("\xC0\xDF", 1251), "\xE0\xFF");   // Cyrillic А Я
  EXPECT_LT(AnsiCompareText("a", "B", 1252), 0);
  EXPECT_EQ(AnsiCompareText("abc", "ABC", 1252), 0);
}

TEST(Text, PosAndReplace) {
  EXPECT_EQ(Pos(";", "12;Hello;World"), 3u);
  EXPECT_EQ(Pos("x", "abc"), 0u);
  EXPECT_EQ(Pos("", "abc"), 0u);
  // In 932 the pair 0x81 0x5C holds a byte 0x5C that is not a backslash.
  EXPECT_EQ(AnsiPos("\\", "\x81\x5C\\", 932), 3u);
  EXPECT_EQ(Pos("\\", "\x81\x5C\\"), 2u);
  EXPECT_EQ(StringReplace("a.b.c", ".", "::", rf::kReplaceAll), "a::b::c");
  EXPECT_EQ(StringReplace("a.b.c", ".", "", 0), "ab.c");
  EXPECT_EQ(StringReplace("xXx", "x", "xx", rf::kReplaceAll | rf::kIgnoreCase), "xxxxxx");
  EXPECT_EQ(StringReplace("abc", "", "z", rf::kReplaceAll), "abc");
  EXPECT_EQ(QuotedStr("it's"), "'it''s'");
}

}  // namespace
}  // namespace kit
