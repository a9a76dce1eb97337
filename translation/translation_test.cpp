#include "translation/translation.h"

#include <gtest/gtest.h>

#include <memory>

#include "base/component.h"
#include "translation/testing/fake_translator.h"

namespace kit {
namespace {

using testing::FakeTranslator;

class TranslationTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(CurrentTranslator(), nullptr);
    form.SetName("Form1");
  }
  TComponent form{nullptr};
};

TEST_F(TranslationTest, WithoutTranslatorEverythingStaysAsItIs) {
  EXPECT_EQ(TranslateMessage(""), "");
  EXPECT_EQ(TranslateMessage("Disk is full %s"), "Disk is full %s");
  EXPECT_EQ(TranslateForm(klGerman, form), klGerman);
  EXPECT_EQ(TranslateFormInto(klFrench, klSpanish, form), klFrench);
  ApplyFormFont(form);
  ApplyFormFontInto(klGreek, form);
  EXPECT_EQ(form.Name(), "Form1");
}

TEST_F(TranslationTest, RoutinesHandTheirWorkToTheCurrentTranslator) {
  FakeTranslator tr;
  tr.table["Yes"] = "Evet";
  EXPECT_EQ(CurrentTranslator(), &tr);
  EXPECT_EQ(TranslateMessage("Yes"), "Evet");
  EXPECT_EQ(TranslateMessage("No"), "No");
  ApplyFormFont(form);
  ApplyFormFontInto(klGreek, form);
  EXPECT_EQ(TranslateForm(klEnglish, form), klGerman);
  EXPECT_EQ(TranslateFormInto(klEnglish, klRussian, form), klRussian);
  // Messages are always written in English.
  EXPECT_EQ(tr.calls, (std::vector<std::string>{
                          "TranslateText 1", "TranslateText 1", "SetFormFont Form1",
                          "SetFormFontInto 4 Form1", "TranslateControl 1 Form1",
                          "TranslateControlInto 1 10 Form1"}));
}

TEST_F(TranslationTest, FirstTranslatorStaysCurrentAndIsNotReplacedWhenDestroyed) {
  auto first = std::make_unique<FakeTranslator>();
  first->table["Yes"] = "Evet";
  FakeTranslator second;
  second.table["Yes"] = "Ja";
  EXPECT_EQ(TranslateMessage("Yes"), "Evet");
  first.reset();
  // As if none had ever existed, although the second one is alive.
  EXPECT_EQ(CurrentTranslator(), nullptr);
  EXPECT_EQ(TranslateMessage("Yes"), "Yes");
  EXPECT_EQ(TranslateForm(klGerman, form), klGerman);
  EXPECT_TRUE(second.calls.empty());
}

TEST_F(TranslationTest, DestroyingAnotherTranslatorKeepsTheCurrentOne) {
  FakeTranslator first;
  { FakeTranslator other; }
  EXPECT_EQ(CurrentTranslator(), &first);
}

}  // namespace
}  // namespace kit
