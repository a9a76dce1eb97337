// TBaseKobbelinForm: the common base class of the installer's forms. A form
// of this class takes part in translation: when it has been read from its
// stored form, and again whenever the translator's target language changes,
// it takes the language's font and texts by its five settings.
#pragma once

#include "translation/form_translation.h"
#include "translation/language_followers.h"
#include "ui/form.h"

namespace kit {

class TInstallContainer;

class TBaseKobbelinForm : public TForm, public LanguageFollower {
  KIT_COMPONENT_CLASS(TBaseKobbelinForm)

 public:
  explicit TBaseKobbelinForm(TComponent* owner);
  ~TBaseKobbelinForm() override;
  static const PropertyTable& Properties();

  bool TranslateFont() const { return settings_.translate_font; }
  void SetTranslateFont(bool on) { settings_.translate_font = on; }
  bool TranslateTexts() const { return settings_.translate_texts; }
  void SetTranslateTexts(bool on) { settings_.translate_texts = on; }
  TKblnLanguage CurrentLanguage() const { return settings_.current_language; }
  void SetCurrentLanguage(TKblnLanguage language) { settings_.current_language = language; }
  bool UseOwnLanguage() const { return settings_.use_own_language; }
  void SetUseOwnLanguage(bool on) { settings_.use_own_language = on; }
  TKblnLanguage OwnLanguage() const { return settings_.own_language; }
  void SetOwnLanguage(TKblnLanguage language) { settings_.own_language = language; }

  // The install component the form belongs to (not owned), or null.
  TInstallContainer* InstallContainer() const { return container_; }
  void SetInstallContainer(TInstallContainer* c) { container_ = c; }

  // The font, then the texts, then the pending window messages.
  virtual void Translate();
  // What a change of language triggers: translates again.
  virtual void RefreshForm() { Translate(); }
  // Shows or hides the buttons for the form's place; nothing here.
  virtual void UpdateState() {}

  void Loaded() override;
  void LanguageChanged(TKblnLanguage language) override;

 protected:
  // Called after the translation; a page hosted in a wizard frame hands the
  // form's font on to its controls.
  virtual void TranslatedFontApplied() {}

 private:
  FormTranslation settings_;
  TInstallContainer* container_ = nullptr;
};

}  // namespace kit
