// TBaseKobbelinForm: the form every installer dialog derives from. It
// carries the translation settings the translator applies to it, and
// enters a process-wide list so that a change of language reaches it.
#pragma once

#include <vector>

#include "translation/language.h"
#include "ui/form.h"

namespace kit {

class TInstallContainer;

class TBaseKobbelinForm : public TForm {
  KIT_COMPONENT_CLASS(TBaseKobbelinForm)

 public:
  explicit TBaseKobbelinForm(TComponent* owner);
  ~TBaseKobbelinForm() override;
  static const PropertyTable& Properties();

  bool TranslateFont() const { return translate_font_; }
  void SetTranslateFont(bool v) { translate_font_ = v; }
  bool TranslateTexts() const { return translate_texts_; }
  void SetTranslateTexts(bool v) { translate_texts_ = v; }
  TKblnLanguage CurrentLanguage() const { return current_language_; }
  void SetCurrentLanguage(TKblnLanguage v) { current_language_ = v; }
  bool UseOwnLanguage() const { return use_own_language_; }
  void SetUseOwnLanguage(bool v) { use_own_language_ = v; }
  TKblnLanguage OwnLanguage() const { return own_language_; }
  void SetOwnLanguage(TKblnLanguage v) { own_language_ = v; }
  // The install component the page belongs to (not owned), or null.
  TInstallContainer* InstallContainer() const { return container_; }
  void SetInstallContainer(TInstallContainer* c) { container_ = c; }

  // What a change of the application's language triggers: translates.
  virtual void RefreshForm();
  // Shows or hides the buttons for the form's place; nothing here.
  virtual void UpdateState() {}
  // Applies the font and the texts of the target language (or of
  // OwnLanguage), then lets pending window messages be processed.
  virtual void Translate();

 protected:
  // The font changed by the translation; a page hosted in a wizard frame
  // hands it on to its controls.
  virtual void TranslatedFontApplied() {}

 private:
  bool translate_font_ = true;
  bool translate_texts_ = true;
  TKblnLanguage current_language_ = klEnglish;
  bool use_own_language_ = false;
  TKblnLanguage own_language_ = klUser;
  TInstallContainer* container_ = nullptr;
};

// The installer forms alive now, in creation order.
const std::vector<TBaseKobbelinForm*>& KobbelinForms();
// Refreshes every one of them (after a change of language).
void RefreshKobbelinForms();

// A cancel button's question to the driver (OnUserAbort); yes without one.
bool UserAbortConfirmed();

}  // namespace kit
