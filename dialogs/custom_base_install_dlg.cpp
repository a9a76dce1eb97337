#include "dialogs/custom_base_install_dlg.h"

#include <memory>

#include "base/format.h"
#include "dialogs/base_install_form.h"
#include "dialogs/dialog_manager.h"
#include "model/errors.h"
#include "translation/translation.h"
#include "ui/application.h"

namespace kit {

TCustomBaseInstallDlg::TCustomBaseInstallDlg(TComponent* owner)
    : TBaseHelperComponent(owner, rank::kDialog) {
  HearSiblings();
  picture_.LoadFromResourceName("INSTALLTHEME1");
}

TCustomBaseInstallDlg::~TCustomBaseInstallDlg() { SetDialogManager(nullptr); }

const PropertyTable& TCustomBaseInstallDlg::Properties() {
  static const PropertyTable table =
      PropertyTable::Make<TCustomBaseInstallDlg, TBaseHelperComponent>([](auto& p) {
        p.Bool("TranslateFont", &TCustomBaseInstallDlg::SetTranslateFont,
               &TCustomBaseInstallDlg::TranslateFont);
        p.Bool("TranslateTexts", &TCustomBaseInstallDlg::SetTranslateTexts,
               &TCustomBaseInstallDlg::TranslateTexts);
        p.Bool("UseOwnLanguage", &TCustomBaseInstallDlg::SetUseOwnLanguage,
               &TCustomBaseInstallDlg::UseOwnLanguage);
      });
  return table;
}

void TCustomBaseInstallDlg::SetDialogManager(TDialogManager* manager) {
  if (manager == manager_) return;
  if (manager != nullptr) {
    manager->AddDialog(this);
    manager->FreeNotification(this);
  }
  if (manager_ != nullptr) {
    manager_->RemoveDialog(this);
    manager_->RemoveFreeNotification(this);
  }
  manager_ = manager;
}

void TCustomBaseInstallDlg::SetPicture(const TPicture& picture) {
  if (!picture.Data().empty())
    picture_.SetData(picture.Data());
  else if (!picture.ResourceName().empty())
    picture_.SetResourceName(picture.ResourceName());
  else
    picture_.Clear();
}

void TCustomBaseInstallDlg::SetForm(TBaseKobbelinForm* form) {
  if (form_ != nullptr) form_->RemoveFreeNotification(this);
  form_ = form;
  if (form_ != nullptr) form_->FreeNotification(this);
}

void TCustomBaseInstallDlg::Notification(TComponent* component, Operation operation) {
  TBaseHelperComponent::Notification(component, operation);
  if (operation != Operation::kRemove) return;
  if (component == manager_) manager_ = nullptr;
  if (component == form_) form_ = nullptr;
}

void TCustomBaseInstallDlg::AssignDialogProperties() {
  if (form_ == nullptr) {
    throw Exception(
        Format(TranslateMessage("Cannot AssignDialogProperties for %s because the Dialog is Nil"), {Name()}));
  }
  form_->SetTranslateFont(translate_font_);
  form_->SetTranslateTexts(translate_texts_);
  form_->SetInstallContainer(Container());
  form_->SetUseOwnLanguage(use_own_language_);
  form_->SetOwnLanguage(own_language_);
  if (auto* page = dynamic_cast<TBaseInstallForm*>(form_)) page->SetDC(this);
  if (translate_font_) {
    if (use_own_language_)
      ApplyFormFontInto(own_language_, *form_);
    else
      ApplyFormFont(*form_);
  }
  if (translate_texts_) {
    current_language_ = use_own_language_ ? TranslateFormInto(current_language_, own_language_, *form_)
                                          : TranslateForm(current_language_, *form_);
  }
}

TBaseKobbelinForm* TCustomBaseInstallDlg::CreateDialogForm(TComponent*) { return nullptr; }

bool TCustomBaseInstallDlg::ShowDialog() {
  if (!ShouldShow()) return true;
  std::unique_ptr<TBaseKobbelinForm> form(CreateDialogForm(&Application()));
  if (!form) throw Exception("The dialog component " + Name() + " has no page to show");
  SetForm(form.get());
  AssignDialogProperties();
  const int result = form->ShowModal();
  SetForm(nullptr);
  if (result != mr::kOk) throw EAIUserAbort();
  return true;
}

bool TCustomBaseInstallDlg::Execute() {
  try {
    if (on_before_show) on_before_show(this);
    const bool shown = ShowDialog();
    Application().ProcessMessages();
    if (on_after_show) on_after_show(this);
    return shown;
  } catch (const EAbort&) {
    return false;
  }
}

}  // namespace kit
