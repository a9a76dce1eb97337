#include "dialogs/base_kobbelin_form.h"

#include <algorithm>

#include "model/install_driver.h"
#include "translation/translation.h"
#include "ui/application.h"

namespace kit {
namespace {
std::vector<TBaseKobbelinForm*> g_forms;
}  // namespace

const std::vector<TBaseKobbelinForm*>& KobbelinForms() { return g_forms; }

void RefreshKobbelinForms() {
  const std::vector<TBaseKobbelinForm*> forms = g_forms;  // a refresh may create or free forms
  for (TBaseKobbelinForm* f : forms) {
    if (std::find(g_forms.begin(), g_forms.end(), f) != g_forms.end()) f->RefreshForm();
  }
}

bool UserAbortConfirmed() {
  InstallDriver* driver = Driver();
  return driver == nullptr || driver->QueryUserAbort();
}

TBaseKobbelinForm::TBaseKobbelinForm(TComponent* owner) : TForm(owner) { g_forms.push_back(this); }

TBaseKobbelinForm::~TBaseKobbelinForm() {
  g_forms.erase(std::remove(g_forms.begin(), g_forms.end(), this), g_forms.end());
}

const PropertyTable& TBaseKobbelinForm::Properties() {
  static const PropertyTable table = PropertyTable::Make<TBaseKobbelinForm, TForm>([](auto& p) {
    p.Bool("TranslateFont", &TBaseKobbelinForm::SetTranslateFont, &TBaseKobbelinForm::TranslateFont);
    p.Bool("TranslateTexts", &TBaseKobbelinForm::SetTranslateTexts, &TBaseKobbelinForm::TranslateTexts);
    p.Bool("UseOwnLanguage", &TBaseKobbelinForm::SetUseOwnLanguage, &TBaseKobbelinForm::UseOwnLanguage);
  });
  return table;
}

void TBaseKobbelinForm::RefreshForm() { Translate(); }

void TBaseKobbelinForm::Translate() {
  if (translate_font_) {
    if (use_own_language_)
      ApplyFormFontInto(own_language_, *this);
    else
      ApplyFormFont(*this);
    TranslatedFontApplied();
  }
  if (translate_texts_) {
    current_language_ = use_own_language_ ? TranslateFormInto(current_language_, own_language_, *this)
                                          : TranslateForm(current_language_, *this);
  }
  Application().ProcessMessages();
}

}  // namespace kit
