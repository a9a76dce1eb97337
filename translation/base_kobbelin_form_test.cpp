#include "translation/base_kobbelin_form.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "base/class_registry.h"
#include "base/form_reader.h"
#include "translation/language_followers.h"
#include "translation/translated_controls.h"
#include "translation/translator_component.h"
#include "ui/controls/label.h"
#include "ui/testing/headless_app.h"
#include "ui/ui_classes.h"

namespace kit {
namespace {

constexpr const char kMain[] = R"(object Main: TForm
  object MainTranslator: TTranslator
    lgEnglish.Strings = (
      '7;OK'
      '8;Welcome')
    lgGerman.Strings = (
      '7;Gut'
      '8;Willkommen')
    lgFrench.Strings = (
      '7;Bien'
      '8;Bienvenue')
    lgRussian.Strings = (
      '7;'#196#224)
    TranslateIntoLanguage = klGerman
  end
end
)";

constexpr const char kPage[] = R"(object Page: TBaseKobbelinForm
  Caption = 'Welcome'
  object Answer: TLabel
    Caption = 'OK'
  end
end
)";

class Recorder : public LanguageFollower {
 public:
  explicit Recorder(std::vector<std::string>& log) : log_(log) { FollowLanguage(this, FollowerKind::kComponent); }
  ~Recorder() override { UnfollowLanguage(this); }
  void LanguageChanged(TKblnLanguage language) override { log_.push_back("component " + std::to_string(language)); }

 private:
  std::vector<std::string>& log_;
};

class BaseKobbelinFormTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RegisterUiClasses(classes);
    RegisterTranslatedControlClasses(classes);
    main = FormReader(classes).Read(kMain, "main.dfm");
    translator = dynamic_cast<TTranslator*>(main->FindComponent("MainTranslator"));
  }
  std::unique_ptr<TBaseKobbelinForm> ReadPage(const std::string& extra = "") {
    std::string text = kPage;
    text.insert(text.find("  object Answer"), extra);
    auto root = FormReader(classes).Read(text, "page.dfm");
    return std::unique_ptr<TBaseKobbelinForm>(dynamic_cast<TBaseKobbelinForm*>(root.release()));
  }
  static std::string Answer(TForm& form) { return dynamic_cast<TLabel*>(form.FindComponent("Answer"))->Caption(); }

  testing::HeadlessApp app;
  ClassRegistry classes;
  std::unique_ptr<TComponent> main;
  TTranslator* translator = nullptr;
};

TEST_F(BaseKobbelinFormTest, StoredFormIsTranslatedWhenRead) {
  auto page = ReadPage();
  EXPECT_EQ(page->Caption(), "Willkommen");
  EXPECT_EQ(Answer(*page), "Gut");
  EXPECT_EQ(page->Font().Charset(), 238);
  EXPECT_EQ(page->CurrentLanguage(), klGerman);
}

TEST_F(BaseKobbelinFormTest, LanguageChangeReachesComponentsThenFormsFromTheirCurrentLanguage) {
  std::vector<std::string> log;
  Recorder recorder(log);
  auto page = ReadPage();
  translator->SetTranslateIntoLanguage(klFrench);
  EXPECT_EQ(log, (std::vector<std::string>{"component 2"}));
  // Looked up in the German table the texts are in now.
  EXPECT_EQ(page->Caption(), "Bienvenue");
  EXPECT_EQ(Answer(*page), "Bien");
  EXPECT_EQ(page->CurrentLanguage(), klFrench);
  EXPECT_EQ(page->Font().Charset(), 0);

  page.reset();
  translator->SetTranslateIntoLanguage(klGerman);  // a freed form is not told
  EXPECT_EQ(log.size(), 2u);
}

TEST_F(BaseKobbelinFormTest, OwnLanguageAndSwitchedOffSteps) {
  auto own = ReadPage("  UseOwnLanguage = True\n  OwnLanguage = klRussian\n");
  auto fontless = ReadPage("  TranslateFont = False\n");
  auto textless = ReadPage("  TranslateTexts = False\n");
  EXPECT_EQ(Answer(*own), "\xC4\xE0");
  EXPECT_EQ(own->Font().Charset(), 204);
  EXPECT_EQ(Answer(*fontless), "Gut");
  EXPECT_EQ(fontless->Font().Name(), "MS Sans Serif");
  EXPECT_EQ(Answer(*textless), "OK");
  EXPECT_EQ(textless->CurrentLanguage(), klEnglish);
  EXPECT_EQ(textless->Font().Charset(), 238);

  translator->SetTranslateIntoLanguage(klFrench);
  EXPECT_EQ(Answer(*own), "\xC4\xE0");
  EXPECT_EQ(own->CurrentLanguage(), klRussian);
  EXPECT_EQ(Answer(*fontless), "Bien");
}

TEST_F(BaseKobbelinFormTest, LoadingATranslatorTellsNobody) {
  std::vector<std::string> log;
  Recorder recorder(log);
  auto other = FormReader(classes).Read(kMain, "other.dfm");
  EXPECT_TRUE(log.empty());
}

}  // namespace
}  // namespace kit
