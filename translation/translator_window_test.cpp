// A translated page in real windows: the texts and the font a user sees.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>

#include "base/class_registry.h"
#include "base/form_reader.h"
#include "translation/base_kobbelin_form.h"
#include "translation/translated_controls.h"
#include "translation/translator_component.h"
#include "ui/application.h"
#include "ui/testing/win32_driver.h"
#include "ui/ui_classes.h"
#include "ui/win32_backend.h"

namespace kit {
namespace {

using testing::Win32Driver;

constexpr const char kMain[] = R"(object Main: TForm
  object MainTranslator: TTranslator
    lgGerman.Strings = (
      '5;Weiter >'
      '10;Willkommen bei der Installation von Tavrix!')
    lgRussian.Strings = (
      '5;'#196#224#235#229#229' >')
    TranslateIntoLanguage = klGerman
  end
end
)";

constexpr const char kPage[] = R"(object WelcomePage: TBaseKobbelinForm
  Caption = 'Tavrix for Windows'
  ClientWidth = 470
  ClientHeight = 368
  object Title: TTranslateLabel
    Left = 150
    Top = 10
    Width = 300
    Caption = 'Tavrix Install Program'#253'na Ho'#254'geldiniz!'
    GLID = 10
  end
  object ProceedBtn: TTranslateBitBtn
    Left = 290
    Top = 335
    Width = 85
    Height = 25
    Caption = #221'leri'
    GLID = 5
  end
  object CancelBtn: TTranslateBitBtn
    Left = 380
    Top = 335
    Width = 85
    Height = 25
    Caption = 'Vazge'#231
    GLID = 6
  end
end
)";

class TranslatorWindowTest : public ::testing::Test {
 protected:
  void SetUp() override { Application().Initialize(std::make_unique<Win32Backend>()); }
  void TearDown() override { Application().DestroyComponents(); }
};

int CharsetOf(HWND control) {
  LOGFONTA lf{};
  GetObjectA(reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)), sizeof lf, &lf);
  return lf.lfCharSet;
}

TEST_F(TranslatorWindowTest, PageShowsTheTargetLanguageAndFollowsAChange) {
  ClassRegistry classes;
  RegisterUiClasses(classes);
  RegisterTranslatedControlClasses(classes);
  auto main = FormReader(classes).Read(kMain, "main.dfm");
  auto page = FormReader(classes).Read(kPage, "welcome.dfm");
  auto& form = dynamic_cast<TBaseKobbelinForm&>(*page);
  form.Show();
  Application().ProcessMessages();

  HWND top = Win32Driver::FindWindowByCaption("Tavrix for Windows", 5000);
  ASSERT_NE(top, nullptr);
  const auto controls = Win32Driver::Controls(top);
  const std::string tree = Win32Driver::Describe(controls);
  HWND title = Win32Driver::FindControl(top, "Willkommen bei der Installation von Tavrix!");
  ASSERT_NE(title, nullptr) << tree;
  EXPECT_EQ(CharsetOf(title), 238);
  EXPECT_NE(Win32Driver::FindControl(top, "Weiter >"), nullptr) << tree;
  // No German text for the cancel button: its own text stays.
  EXPECT_NE(Win32Driver::FindControl(top, "Vazge\xE7"), nullptr) << tree;

  dynamic_cast<TTranslator&>(*main->FindComponent("MainTranslator")).SetTranslateIntoLanguage(klRussian);
  HWND proceed = Win32Driver::FindControl(top, "\xC4\xE0\xEB\xE5\xE5 >");
  ASSERT_NE(proceed, nullptr) << Win32Driver::Describe(Win32Driver::Controls(top));
  EXPECT_EQ(CharsetOf(proceed), 204);
  EXPECT_EQ(form.CurrentLanguage(), klRussian);
  // No Russian title: the page's own text again, not the German one.
  EXPECT_NE(Win32Driver::FindControl(top, "Tavrix Install Program\xFDna Ho\xFEgeldiniz!"), nullptr);
}

}  // namespace
}  // namespace kit
