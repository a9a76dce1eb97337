#include "dialogs/base_during_copy_form.h"

#include "dialogs/user_abort.h"
#include "dialogs/dialog_manager.h"
#include "files/install_engine.h"

namespace kit {

TBaseDuringCopyForm::TBaseDuringCopyForm(TComponent* owner) : TBaseKobbelinForm(owner) {
  HearSiblings();
  SetDM(FindDriverDialogManager(dmDuringCopyFiles));
}

TBaseDuringCopyForm::~TBaseDuringCopyForm() = default;

void TBaseDuringCopyForm::SetDM(TDialogManager* dm) {
  if (dm_ != nullptr) dm_->RemoveFreeNotification(this);
  dm_ = dm;
  if (dm_ != nullptr) dm_->FreeNotification(this);
}

void TBaseDuringCopyForm::Notification(TComponent* component, Operation operation) {
  TBaseKobbelinForm::Notification(component, operation);
  if (operation == Operation::kRemove && component == dm_) dm_ = nullptr;
}

void TBaseDuringCopyForm::Cancel() {
  if (UserAbortConfirmed()) InstallEngine().SetAbort(true);
  SetModalResult(mr::kCancel);
}

}  // namespace kit
