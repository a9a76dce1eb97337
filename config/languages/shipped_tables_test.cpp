// The language tables shipped in the stored main form: every language has
// a text for every GLID the installer's pages carry, in its code page, and
// the stored form agrees with the tables' source files.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "base/class_registry.h"
#include "base/form_reader.h"
#include "config/stored_forms.h"
#include "translation/translated_controls.h"
#include "translation/translator_component.h"
#include "ui/testing/headless_app.h"
#include "ui/ui_classes.h"

namespace kit {
namespace {

// The MainTranslator object of the main form, read on its own.
std::unique_ptr<TComponent> ReadShippedTranslator(ClassRegistry& classes) {
  const std::string form(MainFormStored().text);
  const size_t start = form.find("  object MainTranslator: TTranslator");
  if (start == std::string::npos) return nullptr;
  const size_t end = form.find("\n  end", start);
  const std::string text = "object Form1: TForm\n" + form.substr(start, end + 7 - start) + "end\n";
  return FormReader(classes).Read(text, "main_form.dfm");
}

class ShippedTablesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RegisterUiClasses(classes);
    RegisterTranslatedControlClasses(classes);
    root = ReadShippedTranslator(classes);
    ASSERT_NE(root, nullptr) << "no MainTranslator in the main form";
    translator = dynamic_cast<TTranslator*>(root->FindComponent("MainTranslator"));
  }
  std::string Text(TKblnLanguage language, int glid) {
    const TLanguageString* s = translator->Language(language).FindString(glid);
    return s ? s->Text() : "(none)";
  }

  testing::HeadlessApp app;
  ClassRegistry classes;
  std::unique_ptr<TComponent> root;
  TTranslator* translator = nullptr;
};

TEST_F(ShippedTablesTest, EveryLanguageCoversThePagesGlids) {
  EXPECT_EQ(translator->TranslateIntoLanguage(), klUser);
  for (int language = klCzech; language <= klSpanish; ++language) {
    const TLanguage& table = translator->Language(static_cast<TKblnLanguage>(language));
    SCOPED_TRACE(table.FileName());
    for (int glid : {2, 3, 4, 5, 6, 10, 11, 12, 14, 15, 16, 45, 46, 47, 48, 49, 72}) {
      const TLanguageString* s = table.FindString(glid);
      ASSERT_NE(s, nullptr) << glid;
      EXPECT_LT(s->Text().size(), 255u) << glid << " would be cut";
    }
    ASSERT_NE(table.FindMemo(38), nullptr);
    EXPECT_EQ(table.FindMemo(38)->Lines().Count(), 4);
    ASSERT_NE(table.FindMemo(60), nullptr);
    EXPECT_EQ(table.FindMemo(60)->Lines().Count(), 1);
    EXPECT_EQ(table.Font().name, "MS Sans Serif");
    EXPECT_FALSE(table.FontOverride());
  }
}

TEST_F(ShippedTablesTest, TablesAreInTheirLanguagesCodePages) {
  EXPECT_EQ(Text(klEnglish, 5), "Next >");
  EXPECT_EQ(Text(klGerman, 4), "< Zur\xFC" "ck");
  EXPECT_EQ(Text(klFrench, 47), "R\xE9pertoire :");
  EXPECT_EQ(Text(klCzech, 6), "Storno");
  EXPECT_EQ(Text(klCzech, 47), "Adres\xE1\xF8:");                     // cp1250
  EXPECT_EQ(Text(klRussian, 5), "\xC4\xE0\xEB\xE5\xE5 >");             // cp1251
  EXPECT_EQ(Text(klGreek, 6), "\xA2\xEA\xF5\xF1\xEF");                 // cp1253
  EXPECT_EQ(Text(klHebrew, 6), "\xE1\xE9\xE8\xE5\xEC");                // cp1255
  EXPECT_EQ(Text(klJapanese, 6), "\x83\x4C\x83\x83\x83\x93\x83\x5A\x83\x8B");  // cp932
  EXPECT_EQ(Text(klKorean, 6), "\xC3\xEB\xBC\xD2");                    // cp949
  EXPECT_EQ(Text(klSpanish, 45), "\xA1Inserte el disquete n\xFAmero %d!");
  EXPECT_EQ(Text(klPortugese, 5), "Avan\xE7" "ar >");
  EXPECT_EQ(Text(klItalian, 49), "Continua");
}

}  // namespace
}  // namespace kit
