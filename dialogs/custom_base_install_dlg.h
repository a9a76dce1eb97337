// TCustomBaseInstallDlg: the base of dialog components, non-visual helpers
// that tie one page to a dialog manager and hand it their translation
// settings. The concrete form class is left to each descendant.
#pragma once

#include "model/base_helper_component.h"
#include "translation/language.h"
#include "ui/notify_event.h"
#include "ui/picture.h"

namespace kit {

class TBaseKobbelinForm;
class TDialogManager;

class TCustomBaseInstallDlg : public TBaseHelperComponent {
  KIT_COMPONENT_CLASS(TCustomBaseInstallDlg)

 public:
  // Loads the picture from the bitmap resource "INSTALLTHEME1".
  explicit TCustomBaseInstallDlg(TComponent* owner);
  ~TCustomBaseInstallDlg() override;
  static const PropertyTable& Properties();

  TDialogManager* DialogManager() const { return manager_; }
  // Attaches to the new manager and leaves the old one.
  void SetDialogManager(TDialogManager* manager);
  TPicture& Picture() { return picture_; }
  void SetPicture(const TPicture& picture);
  // The page while it is shown (not owned), or null.
  TBaseKobbelinForm* Form() const { return form_; }
  void SetForm(TBaseKobbelinForm* form);

  bool TranslateFont() const { return translate_font_; }
  void SetTranslateFont(bool v) { translate_font_ = v; }
  bool TranslateTexts() const { return translate_texts_; }
  void SetTranslateTexts(bool v) { translate_texts_ = v; }
  TKblnLanguage CurrentLanguage() const { return current_language_; }
  bool UseOwnLanguage() const { return use_own_language_; }
  void SetUseOwnLanguage(bool v) { use_own_language_ = v; }
  TKblnLanguage OwnLanguage() const { return own_language_; }
  void SetOwnLanguage(TKblnLanguage v) { own_language_ = v; }

  TNotifyEvent on_before_show;
  TNotifyEvent on_after_show;

  // Hands the settings to the form and translates it; fails without a form.
  void AssignDialogProperties();
  // Raises the two events around ShowDialog; an EAbort inside gives false.
  bool Execute();
  // Shows a new form of the page's class modally: true on mrOk, true
  // without showing when ShouldShow says no; any other result raises
  // EAIUserAbort.
  bool ShowDialog();
  // The form class of the page: a new form owned by `owner`. None here.
  virtual TBaseKobbelinForm* CreateDialogForm(TComponent* owner);
  virtual bool ShouldShow() const { return true; }

 protected:
  void Notification(TComponent* component, Operation operation) override;

 private:
  TDialogManager* manager_ = nullptr;
  TBaseKobbelinForm* form_ = nullptr;
  TPicture picture_;
  bool translate_font_ = true;
  bool translate_texts_ = true;
  TKblnLanguage current_language_ = klEnglish;
  bool use_own_language_ = false;
  TKblnLanguage own_language_ = klUser;
};

}  // namespace kit
