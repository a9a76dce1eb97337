// A page translated by the shipped tables into the user's language, in real
// windows. The suite runs it once per locale (Wine follows LANG), naming the
// expected language in KIT_EXPECT_USER_LANGUAGE.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "base/class_registry.h"
#include "base/form_reader.h"
#include "config/stored_forms.h"
#include "platform/current_platform.h"
#include "platform/testing/test_machine.h"
#include "translation/translated_controls.h"
#include "ui/application.h"
#include "ui/form.h"
#include "ui/testing/win32_driver.h"
#include "ui/ui_classes.h"
#include "ui/win32_backend.h"

namespace kit {
namespace {

using testing::Win32Driver;

constexpr const char kPage[] = R"(object WelcomePage: TBaseKobbelinForm
  Caption = 'Tavrix for Windows'
  ClientWidth = 470
  ClientHeight = 368
  Font.Charset = TURKISH_CHARSET
  Font.Height = -11
  Font.Name = 'Arial'
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
end
)";

TEST(ShippedTablesWindowTest, PageIsInTheUsersLanguage) {
  const char* expected = std::getenv("KIT_EXPECT_USER_LANGUAGE");
  if (expected == nullptr) GTEST_SKIP() << "run with KIT_EXPECT_USER_LANGUAGE";
  const std::string language = expected;
  auto machine = testing::NewTestMachine();
  ScopedPlatform scoped(machine->platform());
  Application().Initialize(std::make_unique<Win32Backend>());
  {
    ClassRegistry classes;
    RegisterUiClasses(classes);
    RegisterTranslatedControlClasses(classes);
    const std::string form(MainFormStored().text);
    const size_t start = form.find("  object MainTranslator: TTranslator");
    ASSERT_NE(start, std::string::npos);
    const std::string main = "object Form1: TForm\n" + form.substr(start, form.find("\n  end", start) + 7 - start) + "end\n";
    auto translator = FormReader(classes).Read(main, "main_form.dfm");
    auto page = FormReader(classes).Read(kPage, "welcome.dfm");
    dynamic_cast<TForm&>(*page).Show();
    Application().ProcessMessages();

    HWND top = Win32Driver::FindWindowByCaption("Tavrix for Windows", 5000);
    ASSERT_NE(top, nullptr);
    const std::string tree = Win32Driver::Describe(Win32Driver::Controls(top));
    const char* proceed = language == "klGerman" ? "Weiter >" : language == "klEnglish" ? "Next >" : "\xDDleri";
    const char* title = language == "klGerman"    ? "Willkommen beim Installationsprogramm von Tavrix!"
                        : language == "klEnglish" ? "Welcome to the Tavrix Setup Program!"
                                                  : "Tavrix Install Program\xFDna Ho\xFEgeldiniz!";
    HWND button = Win32Driver::FindControl(top, proceed);
    ASSERT_NE(button, nullptr) << tree;
    EXPECT_NE(Win32Driver::FindControl(top, title), nullptr) << tree;
    LOGFONTA lf{};
    GetObjectA(reinterpret_cast<HFONT>(SendMessageA(button, WM_GETFONT, 0, 0)), sizeof lf, &lf);
    EXPECT_EQ(lf.lfCharSet, language == "klGerman" ? 238 : language == "klEnglish" ? 0 : 162);
  }
  Application().DestroyComponents();
}

}  // namespace
}  // namespace kit
