#include "base/form_lexer.h"

#include <gtest/gtest.h>

#include <vector>

#include "base/form_error.h"

namespace kit {
namespace {

std::vector<Token> Lex(std::string_view text, FormLimits limits = {}) {
  FormLexer lex(text, "t.dfm", limits);
  std::vector<Token> out;
  while (lex.Peek().kind != TokenKind::kEof) out.push_back(lex.Next());
  return out;
}

std::string LexError(std::string_view text, FormLimits limits = {}) {
  try {
    Lex(text, limits);
  } catch (const EFormError& e) {
    return e.Message();
  }
  return "(no error)";
}

TEST(FormLexer, StringsJoinQuotedPartsAndCharacterCodesAsBytes) {
  auto t = Lex("'abc'#13#10'def' 'it''s' #200 '\xFD\xDE' #$41#$e7 ''");
  ASSERT_EQ(t.size(), 6u);
  EXPECT_EQ(t[0].kind, TokenKind::kString);
  EXPECT_EQ(t[0].text, "abc\r\ndef");
  EXPECT_EQ(t[1].text, "it's");
  EXPECT_EQ(t[2].text, "\xC8");  // code-page byte, not UTF-8
  EXPECT_EQ(t[2].text.size(), 1u);
  EXPECT_EQ(t[3].text, "\xFD\xDE");  // raw bytes pass through
  EXPECT_EQ(t[4].text, "A\xE7");
  EXPECT_EQ(t[5].kind, TokenKind::kString);
  EXPECT_EQ(t[5].text, "");
}

TEST(FormLexer, Numbers) {
  auto t = Lex("12 -7 $FF -$10 $FFFFFFFF 1.5 -0.25 2E3 9223372036854775807 -9223372036854775808");
  ASSERT_EQ(t.size(), 10u);
  EXPECT_EQ(t[0].integer, 12);
  EXPECT_EQ(t[1].integer, -7);
  EXPECT_EQ(t[2].integer, 255);
  EXPECT_TRUE(t[2].hex);
  EXPECT_EQ(t[3].integer, -16);
  EXPECT_EQ(t[4].integer, 4294967295LL);
  EXPECT_EQ(t[5].kind, TokenKind::kFloat);
  EXPECT_DOUBLE_EQ(t[5].number, 1.5);
  EXPECT_DOUBLE_EQ(t[6].number, -0.25);
  EXPECT_DOUBLE_EQ(t[7].number, 2000);
  EXPECT_EQ(t[8].integer, INT64_MAX);
  EXPECT_EQ(t[9].integer, INT64_MIN);
}

TEST(FormLexer, BinarySpansLines) {
  auto t = Lex("{ 0A1b\r\n    FF\n 00 }");
  ASSERT_EQ(t.size(), 1u);
  EXPECT_EQ(t[0].kind, TokenKind::kBinary);
  EXPECT_EQ(t[0].bytes, (Bytes{0x0A, 0x1B, 0xFF, 0x00}));
  EXPECT_TRUE(Lex("{}")[0].bytes.empty());
}

TEST(FormLexer, PlacesCountLinesAndColumns) {
  auto t = Lex("object A: TB\r\n  Left = 1\r\n\n    end");
  ASSERT_EQ(t.size(), 8u);
  EXPECT_EQ(t[4].text, "Left");
  EXPECT_EQ(t[4].line, 2);
  EXPECT_EQ(t[4].column, 3);
  EXPECT_EQ(t[7].line, 4);
  EXPECT_EQ(t[7].column, 5);
}

TEST(FormLexer, MalformedTokensNameTheirPlace) {
  EXPECT_EQ(LexError("Caption = 'abc\n"), "t.dfm(1,11): unterminated string");
  EXPECT_EQ(LexError("  #256"), "t.dfm(1,3): character code #256 is out of range (0..255)");
  EXPECT_EQ(LexError("#"), "t.dfm(1,1): expected a character code after '#'");
  EXPECT_EQ(LexError("99999999999999999999"), "t.dfm(1,1): number 99999999999999999999 is out of range");
  EXPECT_EQ(LexError("1e999"), "t.dfm(1,1): number 1e999 is out of range");
  EXPECT_EQ(LexError("12abc"), "t.dfm(1,3): unexpected 'a' in a number");
  EXPECT_EQ(LexError("{ 0A 1 }"), "t.dfm(1,8): odd number of hexadecimal digits in binary data");
  EXPECT_EQ(LexError("{\n 0G }"), "t.dfm(2,3): expected a hexadecimal digit or '}' but found 'G'");
  EXPECT_EQ(LexError("{ 00"), "t.dfm(1,1): expected '}' at the end of binary data but found end of file");
  EXPECT_EQ(LexError("a ; b"), "t.dfm(1,3): unexpected ';'");
  EXPECT_EQ(LexError("\xEF\xBB\xBFobject"), "t.dfm(1,1): unexpected character #239");
  EXPECT_EQ(LexError("$"), "t.dfm(1,1): expected hexadecimal digits after '$'");
}

TEST(FormLexer, LimitsBoundStringsAndBinaryData) {
  FormLimits small;
  small.max_string = 4;
  small.max_binary = 2;
  EXPECT_EQ(Lex("'abcd'", small)[0].text, "abcd");
  EXPECT_EQ(LexError("'ab'#99'cde'", small), "t.dfm(1,1): string longer than 4 bytes");
  EXPECT_EQ(LexError("{ 010203 }", small), "t.dfm(1,1): binary data longer than 2 bytes");
}

TEST(FormLexer, DescribesTokensForMessages) {
  auto t = Lex("Caption = 'a'#9 12 {00}");
  EXPECT_EQ(FormLexer::Describe(t[0]), "'Caption'");
  EXPECT_EQ(FormLexer::Describe(t[1]), "'='");
  EXPECT_EQ(FormLexer::Describe(t[2]), "string 'a#9'");
  EXPECT_EQ(FormLexer::Describe(t[3]), "number 12");
  EXPECT_EQ(FormLexer::Describe(t[4]), "binary data");
  EXPECT_EQ(FormLexer::Describe(Token()), "end of file");
}

}  // namespace
}  // namespace kit
