#include "translation/base_kobbelin_form.h"

#include "translation/translator_component.h"
#include "ui/application.h"

namespace kit {

const PropertyTable& TBaseKobbelinForm::Properties() {
  static const PropertyTable table = PropertyTable::Make<TBaseKobbelinForm, TForm>([](auto& p) {
    p.Bool("TranslateFont", &TBaseKobbelinForm::SetTranslateFont, &TBaseKobbelinForm::TranslateFont);
    p.Bool("TranslateTexts", &TBaseKobbelinForm::SetTranslateTexts, &TBaseKobbelinForm::TranslateTexts);
    p.Enum("CurrentLanguage", &TBaseKobbelinForm::SetCurrentLanguage, &TBaseKobbelinForm::CurrentLanguage,
           KblnLanguageType());
    p.Bool("UseOwnLanguage", &TBaseKobbelinForm::SetUseOwnLanguage, &TBaseKobbelinForm::UseOwnLanguage);
    p.Enum("OwnLanguage", &TBaseKobbelinForm::SetOwnLanguage, &TBaseKobbelinForm::OwnLanguage,
           KblnLanguageType());
  });
  return table;
}

TBaseKobbelinForm::TBaseKobbelinForm(TComponent* owner) : TForm(owner) {
  FollowLanguage(this, FollowerKind::kForm);
}

TBaseKobbelinForm::~TBaseKobbelinForm() { UnfollowLanguage(this); }

void TBaseKobbelinForm::Translate() {
  settings_.Apply(*this);
  if (settings_.translate_font) TranslatedFontApplied();
  Application().ProcessMessages();
}

void TBaseKobbelinForm::Loaded() {
  TForm::Loaded();
  Translate();
}

void TBaseKobbelinForm::LanguageChanged(TKblnLanguage) {
  if (!Destroying()) RefreshForm();
}

}  // namespace kit
