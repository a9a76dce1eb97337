#include "translation/language.h"

#include <gtest/gtest.h>

#include <string>

#include "base/exception.h"

namespace kit {
namespace {

std::string ParseError(TLanguage& language, std::initializer_list<std::string> lines) {
  try {
    language.SetStrings(TStringList(lines));
  } catch (const Exception& e) {
    return e.Message();
  }
  return "";
}

TEST(LanguageTest, ParsesStringsMemosAndComments) {
  TLanguage language(klGerman);
  EXPECT_EQ(language.FileName(), "kbliGerman.txt");
  language.SetStrings({"* a comment", "1;OK", "2;Cancel", "#10;", "Line one", "  ", "* not text",
                       "Line two", "#", "12;Hello;World", "-3;Minus", "4; Lead", "1;Later",
                       "#5", "left open"});
  ASSERT_EQ(language.StringCount(), 6);
  EXPECT_EQ(language.StringElement(0).Text(), "OK");
  EXPECT_EQ(language.StringElement(0).LineIndex(), 1);
  EXPECT_EQ(language.FindString(12)->Text(), "Hello");
  EXPECT_EQ(language.FindString(-3)->Text(), "Minus");
  EXPECT_EQ(language.FindString(4)->Text(), " Lead");
  EXPECT_EQ(language.FindString(1)->LineIndex(), 1);  // the earlier of two
  EXPECT_EQ(language.FindString(99), nullptr);

  ASSERT_EQ(language.MemoCount(), 1);  // memo 5 is never closed
  const TLanguageMemo* memo = language.FindMemo(10);
  ASSERT_NE(memo, nullptr);
  EXPECT_EQ(memo->LineIndex(), 3);
  EXPECT_EQ(memo->Lines(), TStringList({"Line one", "Line two"}));
  EXPECT_EQ(language.FindMemo(5), nullptr);

  EXPECT_EQ(language.FindStringByText("cancel")->GLID(), 2);
  EXPECT_EQ(language.FindMemoByText(TStringList({"Line one", "Line two"})), memo);
  EXPECT_EQ(language.FindMemoByText(TStringList({"line one", "Line two"})), nullptr);
  EXPECT_EQ(language.FindMemoByText(TStringList({"Line one"})), nullptr);
}

TEST(LanguageTest, LongTextIsCutTo255) {
  TLanguage language(klEnglish);
  language.Strings().Add("7;" + std::string(300, 'x'));
  EXPECT_EQ(language.FindString(7)->Text(), std::string(255, 'x'));
}

TEST(LanguageTest, MalformedLinesNameTheLineAndLeaveNoElements) {
  TLanguage language(klFrench);
  EXPECT_EQ(ParseError(language, {"#"}),
            "Found the end of memo marker # at line 0. Was not in a memo however");
  EXPECT_EQ(ParseError(language, {"1;OK", "12 ;Hello"}),
            "The 1'th string (12 ;Hello) does not have the proper format of GLID;Text or .GLID;");
  EXPECT_EQ(language.FindString(1), nullptr);  // defined before the faulty line
  EXPECT_EQ(language.Strings().Count(), 2);    // the lines keep the change
  EXPECT_EQ(ParseError(language, {";Text"}),
            "The 0'th string (;Text) does not have the proper format of GLID;Text");
  EXPECT_EQ(ParseError(language, {"", "3;   "}),
            "The 1'th string (3;) does not have the proper format of GLID;Text");
  EXPECT_EQ(ParseError(language, {"4"}),
            "The 0'th string (4) does not have the proper format of GLID;Text");
  EXPECT_EQ(ParseError(language, {"#;"}),
            "The 0'th string (#;) does not have the proper format of GLID;Text");
  EXPECT_EQ(ParseError(language, {"#x1;"}),
            "The 0'th string (#x1;) does not have the proper format of GLID;Text or .GLID;");
  EXPECT_EQ(ParseError(language, {"99999999999;Big"}),
            "The 0'th string (99999999999;Big) does not have the proper format of GLID;Text or "
            ".GLID;");
}

TEST(LanguageTest, WhichChangesParse) {
  TLanguage language(klSpanish);
  language.Strings().Add("1;Uno");
  EXPECT_NE(language.FindString(1), nullptr);
  language.Strings().Put(0, "2;Dos");  // in place: no parse
  EXPECT_EQ(language.FindString(2), nullptr);
  language.Strings().Insert(0, "* note");
  EXPECT_EQ(language.FindString(2)->LineIndex(), 1);
  EXPECT_THROW(language.Strings().Add("#"), Exception);  // each added line parses
  language.Strings().Delete(2);
  EXPECT_EQ(language.StringCount(), 1);
  language.Strings().Clear();
  EXPECT_EQ(language.StringCount(), 0);
  EXPECT_TRUE(language.AutoParse());
}

}  // namespace
}  // namespace kit
