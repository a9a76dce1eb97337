#include "translation/language_set.h"

#include <gtest/gtest.h>

namespace kit {
namespace {

constexpr uint16_t kGermanGermany = 0x0407;
constexpr uint16_t kPortugueseBrazil = 0x0416;
constexpr uint16_t kTurkish = 0x041F;

TEST(LanguageSetTest, UserLanguageMapping) {
  EXPECT_EQ(LanguageOfLangId(0x0405), klCzech);
  EXPECT_EQ(LanguageOfLangId(kGermanGermany), klGerman);
  EXPECT_EQ(LanguageOfLangId(0x0809), klEnglish);  // sub-language ignored
  EXPECT_EQ(LanguageOfLangId(0x0C0A), klSpanish);
  EXPECT_EQ(LanguageOfLangId(0x0419), klRussian);
  EXPECT_EQ(LanguageOfLangId(0x0412), klKorean);
  EXPECT_EQ(LanguageOfLangId(kPortugueseBrazil), std::nullopt);
  EXPECT_EQ(LanguageOfLangId(kTurkish), std::nullopt);
}

class LanguageSetFixture : public ::testing::Test {
 protected:
  uint16_t user = kGermanGermany;
  TLanguageSet set{[this] { return user; }};
};

TEST_F(LanguageSetFixture, TranslatesThroughTheGlid) {
  set.Language(klEnglish).SetStrings({"7;ok", "45;Insert disk %d", "#20;", "Read me", "#"});
  set.Language(klGerman).SetStrings({"7;Gut", "#20;", "Lies mich", "bitte", "#"});
  EXPECT_EQ(set.TranslateText(klEnglish, "OK"), "Gut");  // case ignored in the source
  EXPECT_EQ(set.TranslateText(klEnglish, "Insert disk %d"), "Insert disk %d");  // no target
  EXPECT_EQ(set.TranslateText(klFrench, "OK"), "OK");
  EXPECT_EQ(set.TranslateGLID(7, "x"), "Gut");
  EXPECT_EQ(set.TranslateGLID(8, "x"), "x");
  EXPECT_EQ(set.TranslateLines(klEnglish, TStringList({"Read me"})),
            TStringList({"Lies mich", "bitte"}));
  EXPECT_EQ(set.TranslateLines(klEnglish, TStringList({"Read me", ""})),
            TStringList({"Read me", ""}));

  set.SetTranslateIntoLanguage(klEnglish);
  EXPECT_EQ(set.TranslateGLID(45, "Lütfen %d Numaralı Disketi Takın!"), "Insert disk %d");
  EXPECT_EQ(set.TranslateText(klGerman, "gut"), "ok");

  // A user language without a table translates nothing.
  set.SetTranslateIntoLanguage(klUser);
  user = kTurkish;
  EXPECT_EQ(set.TranslateGLID(7, "Tamam"), "Tamam");
  EXPECT_EQ(set.TranslateText(klEnglish, "OK"), "OK");
}

TEST_F(LanguageSetFixture, FontsByLanguage) {
  LanguageFont current;
  current.style = 1;
  // Empty German table: English's font (Arial, character set 0, 8 points).
  auto font = set.FontFor(klUser, current);
  ASSERT_TRUE(font);
  EXPECT_EQ(font->name, "Arial");
  EXPECT_EQ(font->charset, 0);
  EXPECT_EQ(font->Size(), 8);
  EXPECT_EQ(font->style, 1u);

  set.Language(klGerman).Strings().Add("1;Ja");
  EXPECT_EQ(set.FontFor(klUser, current)->charset, 238);

  set.Language(klJapanese).Strings().Add("1;Hai");
  font = set.FontFor(klJapanese, current);
  EXPECT_EQ(font->name, "\x82\x6C\x82\x72\x20\x82\x6F\x83\x53\x83\x56\x83\x62\x83\x4E");
  EXPECT_EQ(font->charset, 128);
  EXPECT_EQ(font->Size(), 9);

  LanguageFont own;
  own.name = "Tahoma";
  own.height = -13;
  set.Language(klGerman).SetFont(own);
  set.Language(klGerman).SetFontOverride(true);
  EXPECT_EQ(*set.FontFor(klGerman, current), own);

  user = kTurkish;
  EXPECT_FALSE(set.FontFor(klUser, current));
}

}  // namespace
}  // namespace kit
