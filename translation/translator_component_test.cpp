#include "translation/translator_component.h"

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>

#include "base/class_registry.h"
#include "base/exception.h"
#include "base/form_reader.h"
#include "translation/translate_bit_btn.h"
#include "translation/translate_label.h"
#include "translation/translated_controls.h"
#include "translation/translation.h"
#include "ui/controls/group_box.h"
#include "ui/controls/memo.h"
#include "ui/controls/panel.h"
#include "ui/controls/radio_group.h"
#include "ui/form.h"
#include "ui/testing/headless_app.h"
#include "ui/ui_classes.h"

namespace kit {
namespace {

constexpr uint16_t kGerman = 0x0407;
constexpr uint16_t kRussian = 0x0419;
constexpr uint16_t kPortugueseBrazil = 0x0416;
constexpr uint16_t kTurkish = 0x041F;

// A translator with three tables and a small page, as a configuration holds
// them. The Russian lines are in code page 1251.
constexpr const char kStored[] = R"(object Page: TForm
  Caption = 'Setup'
  Font.Name = 'MS Sans Serif'
  Font.Height = -11
  object MainTranslator: TTranslator
    lgEnglish.Strings = (
      '* the source table'
      '1;Setup'
      '2;Options'
      '3;Full'
      '4;Compact'
      '7;ok'
      '#20;'
      'Read me'
      '#')
    lgGerman.Strings = (
      '1;Installation'
      '2;Optionen'
      '3;Vollst'#228'ndig'
      '5;Weiter'
      '7;Gut'
      '45;Legen Sie Diskette %d ein'
      '#20;'
      'Lies mich'
      'bitte'
      '#')
    lgRussian.Strings = (
      '1;'#211#241#242#224#237#238#226#234#224
      '5;'#196#224#235#229#229
      '7;'#196#224)
    lgFrench.Font.Name = 'Courier New'
    lgFrench.Font.Height = -13
    lgFrench.FontOverride = True
    lgFrench.Strings = (
      '7;Bien')
    TranslateIntoLanguage = klGerman
  end
  object Panel: TPanel
    Width = 400
    Height = 200
    object Plain: TLabel
      Width = 100
      Caption = 'OK'
    end
    object Prompt: TTranslateLabel
      Width = 200
      Caption = 'L'#252'tfen %d Numaral'#253' Disketi Tak'#253'n!'
      GLID = 45
    end
    object Fixed: TTranslateLabel
      Width = 100
      Caption = 'OK'
      GLID = -1
    end
    object Proceed: TTranslateBitBtn
      Width = 85
      Caption = #221'leri'
      GLID = 5
    end
    object Missing: TTranslateBitBtn
      Width = 85
      Caption = 'Vazge'#231
      GLID = 6
    end
    object Group: TGroupBox
      Caption = 'Options'
      object Choice: TRadioGroup
        Caption = 'Options'
        Items.Strings = (
          'Full'
          'Compact'
          'Custom')
      end
    end
    object Notes: TMemo
      Lines.Strings = (
        'Read me')
    end
  end
end
)";

class TranslatorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RegisterUiClasses(classes);
    RegisterTranslatedControlClasses(classes);
    root = FormReader(classes).Read(kStored, "page.dfm");
    page = dynamic_cast<TForm*>(root.get());
    translator = dynamic_cast<TTranslator*>(page->FindComponent("MainTranslator"));
    ASSERT_NE(translator, nullptr);
    translator->SetUserLangIdSource([this] { return user; });
  }
  template <class T>
  T& Control(const char* name) {
    return *dynamic_cast<T*>(page->FindComponent(name));
  }
  std::string Caption(const char* name) { return Control<TControl>(name).Caption(); }

  testing::HeadlessApp app;
  ClassRegistry classes;
  std::unique_ptr<TComponent> root;
  TForm* page = nullptr;
  TTranslator* translator = nullptr;
  uint16_t user = kGerman;
};

TEST_F(TranslatorTest, StoredTranslatorHoldsItsTablesAndBecomesCurrent) {
  EXPECT_EQ(CurrentTranslator(), translator);
  EXPECT_EQ(translator->TranslateIntoLanguage(), klGerman);
  EXPECT_EQ(translator->Language(klGerman).StringCount(), 6);
  EXPECT_EQ(translator->Language(klGerman).MemoCount(), 1);
  EXPECT_EQ(translator->Language(klRussian).FindString(7)->Text(), "\xC4\xE0");
  EXPECT_EQ(translator->Language(klFrench).Font().name, "Courier New");
  EXPECT_TRUE(translator->Language(klFrench).FontOverride());
  EXPECT_EQ(translator->Language(klSpanish).StringCount(), 0);
  EXPECT_EQ(TranslateMessage("OK"), "Gut");
  EXPECT_EQ(TranslateMessage("Cancel"), "Cancel");
}

TEST_F(TranslatorTest, TranslatesAPageIntoGermanByTextAndByGlid) {
  EXPECT_EQ(TranslateForm(klEnglish, *page), klGerman);
  EXPECT_EQ(page->Caption(), "Installation");
  EXPECT_EQ(Caption("Plain"), "Gut");
  EXPECT_EQ(Caption("Prompt"), "Legen Sie Diskette %d ein");
  EXPECT_EQ(Caption("Fixed"), "OK");         // GLID below 0: never
  EXPECT_EQ(Caption("Proceed"), "Weiter");
  EXPECT_EQ(Caption("Missing"), "Vazge\xE7");  // no entry: the form's own text
  EXPECT_EQ(Caption("Group"), "Optionen");
  EXPECT_EQ(Control<TRadioGroup>("Choice").Items(), TStringList({"Vollst\xE4ndig", "Compact", "Custom"}));
  EXPECT_EQ(Caption("Choice"), "Options");  // a radio group's items only
  EXPECT_EQ(Control<TMemo>("Notes").Lines(), TStringList({"Lies mich", "bitte"}));

  ApplyFormFont(*page);
  EXPECT_EQ(page->Font().Name(), "Arial");
  EXPECT_EQ(page->Font().Charset(), 238);
  EXPECT_EQ(page->Font().Size(), 8);
}

TEST_F(TranslatorTest, TranslatesIntoRussianWithItsCharacterSet) {
  TranslateForm(klEnglish, *page);
  EXPECT_EQ(TranslateFormInto(klGerman, klRussian, *page), klRussian);
  EXPECT_EQ(translator->TranslateIntoLanguage(), klGerman);  // restored
  EXPECT_EQ(page->Caption(), "\xD3\xF1\xF2\xE0\xED\xEE\xE2\xEA\xE0");
  EXPECT_EQ(Caption("Plain"), "\xC4\xE0");
  EXPECT_EQ(Caption("Proceed"), "\xC4\xE0\xEB\xE5\xE5");
  EXPECT_EQ(Caption("Prompt"), "L\xFCtfen %d Numaral\xFD Disketi Tak\xFDn!");
  ApplyFormFontInto(klRussian, *page);
  EXPECT_EQ(page->Font().Charset(), 204);
  EXPECT_EQ(page->Font().Name(), "Arial");
  // A language with its own font takes all of it.
  ApplyFormFontInto(klFrench, *page);
  EXPECT_EQ(page->Font().Name(), "Courier New");
  EXPECT_EQ(page->Font().Height(), -13);
  EXPECT_EQ(page->Font().Charset(), 1);
}

TEST_F(TranslatorTest, UserLanguageChoosesTheTable) {
  translator->SetTranslateIntoLanguage(klUser);
  user = kRussian;
  EXPECT_EQ(TranslateMessage("OK"), "\xC4\xE0");
  user = kGerman;
  EXPECT_EQ(TranslateMessage("ok"), "Gut");
  // An unmapped language translates nothing and keeps the font.
  for (uint16_t unmapped : {kPortugueseBrazil, kTurkish}) {
    user = unmapped;
    EXPECT_EQ(TranslateMessage("OK"), "OK");
    EXPECT_EQ(TranslateForm(klEnglish, *page), klUser);
    EXPECT_EQ(Caption("Plain"), "OK");
    ApplyFormFont(*page);
    EXPECT_EQ(page->Font().Name(), "MS Sans Serif");
  }
  // A mapped language with an empty table shows English's font.
  user = 0x040A;  // Spanish
  ApplyFormFont(*page);
  EXPECT_EQ(page->Font().Name(), "Arial");
  EXPECT_EQ(page->Font().Charset(), 0);
}

// A label whose text cannot be set.
class BrokenLabel : public TLabel {
 public:
  using TLabel::TLabel;
  void SetText(const std::string& text) override {
    if (!Caption().empty()) throw std::runtime_error("broken");
    TLabel::SetText(text);
  }
};

TEST_F(TranslatorTest, TargetIsRestoredWhenATranslationFails) {
  auto* broken = new BrokenLabel(page);
  broken->SetParent(&Control<TPanel>("Panel"));
  broken->SetCaption("OK");
  EXPECT_THROW(TranslateFormInto(klEnglish, klRussian, *page), std::runtime_error);
  EXPECT_EQ(translator->TranslateIntoLanguage(), klGerman);
}

TEST_F(TranslatorTest, LongTranslationsStayWhole) {
  translator->Language(klGerman).Strings().Add("6;Installation abbrechen und alles verwerfen");
  translator->Language(klGerman).Strings().Add("8;Eine sehr viel l\xE4ngere \xDC" "bersetzung als der Text der Seite");
  auto& label = Control<TTranslateLabel>("Fixed");
  label.SetGLID(8);
  label.SetWidth(100);
  const int height = label.Height();
  const int right = Control<TControl>("Missing").Left() + Control<TControl>("Missing").Width();
  TranslateForm(klEnglish, *page);
  // The auto-sized label grows to the right within its panel.
  EXPECT_FALSE(label.WordWrap());
  EXPECT_GT(label.Width(), 100);
  EXPECT_LE(label.Left() + label.Width(), 400);
  auto& button = Control<TControl>("Missing");
  EXPECT_EQ(button.Caption(), "Installation abbrechen und alles verwerfen");
  EXPECT_GT(button.Width(), 85);
  EXPECT_EQ(button.Left() + button.Width(), right);

  // One that may not grow wraps and takes the lines it needs.
  label.SetCaption("x");
  label.SetAutoSize(false);
  label.SetWidth(60);
  TranslateForm(klEnglish, *page);
  EXPECT_TRUE(label.WordWrap());
  EXPECT_EQ(label.Width(), 60);
  EXPECT_GE(label.Height(), 3 * height);
}

TEST_F(TranslatorTest, LabelsSharingAGlidTakeTheMemoLinesInTurn) {
  translator->Language(klGerman).SetStrings(
      {"38;Fertig", "#38;", "Bitte warten.", "Die Dateien sind installiert.", "#"});
  auto& panel = Control<TPanel>("Panel");
  std::vector<TTranslateLabel*> labels;
  for (const char* text : {"Bekleyin!", "Tamamland\xFD!", ""}) {
    labels.push_back(new TTranslateLabel(page));
    labels.back()->SetParent(&panel);
    labels.back()->SetCaption(text);
    labels.back()->SetGLID(38);
  }
  TranslateForm(klEnglish, *page);
  EXPECT_EQ(labels[0]->Caption(), "Bitte warten.");
  EXPECT_EQ(labels[1]->Caption(), "Die Dateien sind installiert.");
  EXPECT_EQ(labels[2]->Caption(), "");  // beyond the memo: its own text
  // Every translation starts again at the first line.
  TranslateForm(klGerman, *page);
  EXPECT_EQ(labels[0]->Caption(), "Bitte warten.");
  // Without a memo every label takes the string.
  translator->SetTranslateIntoLanguage(klRussian);
  translator->Language(klRussian).Strings().Add("38;\xC3\xEE\xF2\xEE\xE2\xEE");
  TranslateForm(klGerman, *page);
  for (auto* label : labels) EXPECT_EQ(label->Caption(), "\xC3\xEE\xF2\xEE\xE2\xEE");
}

TEST_F(TranslatorTest, MalformedTableFailsTheLoadNamingTheLine) {
  const std::string bad = R"(object Page: TForm
  object MainTranslator: TTranslator
    lgGerman.Strings = (
      '1;Ja'
      '2 ;Nein')
  end
end
)";
  try {
    FormReader(classes).Read(bad, "bad.dfm");
    FAIL() << "no error";
  } catch (const Exception& e) {
    EXPECT_NE(std::string(e.what()).find(
                  "The 1'th string (2 ;Nein) does not have the proper format of GLID;Text or .GLID;"),
              std::string::npos)
        << e.what();
  }
  EXPECT_EQ(CurrentTranslator(), translator);
}

TEST_F(TranslatorTest, DestroyedCurrentTranslatorIsNotReplaced) {
  TTranslator second(nullptr);
  root.reset();
  EXPECT_EQ(CurrentTranslator(), nullptr);
  EXPECT_EQ(TranslateMessage("OK"), "OK");
}

}  // namespace
}  // namespace kit
