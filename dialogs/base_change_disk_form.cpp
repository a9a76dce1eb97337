#include "dialogs/base_change_disk_form.h"

#include "dialogs/user_abort.h"
#include "dialogs/dialog_manager.h"

namespace kit {

TBaseChangeDiskForm::TBaseChangeDiskForm(TComponent* owner) : TBaseKobbelinForm(owner) {
  HearSiblings();
  SetDM(FindDriverDialogManager(dmChangeDisk));
}

TBaseChangeDiskForm::~TBaseChangeDiskForm() = default;

void TBaseChangeDiskForm::SetDM(TDialogManager* dm) {
  if (dm_ != nullptr) dm_->RemoveFreeNotification(this);
  dm_ = dm;
  if (dm_ != nullptr) dm_->FreeNotification(this);
}

void TBaseChangeDiskForm::Notification(TComponent* component, Operation operation) {
  TBaseKobbelinForm::Notification(component, operation);
  if (operation == Operation::kRemove && component == dm_) dm_ = nullptr;
}

void TBaseChangeDiskForm::Cancel() {
  if (UserAbortConfirmed()) SetModalResult(mr::kAbort);
}

}  // namespace kit
