// TBaseDuringCopyForm: a progress form shown without a modal loop while
// files are copied. It belongs to the dmDuringCopyFiles manager on the
// driver (found when it is created).
#pragma once

#include "translation/base_kobbelin_form.h"

namespace kit {

class TDialogManager;
class TFileStatusParameter;

class TBaseDuringCopyForm : public TBaseKobbelinForm {
  KIT_COMPONENT_CLASS(TBaseDuringCopyForm)

 public:
  explicit TBaseDuringCopyForm(TComponent* owner);
  ~TBaseDuringCopyForm() override;

  TDialogManager* DM() const { return dm_; }
  void SetDM(TDialogManager* dm);

  // Sets its own result to cancel; when the driver agrees, raises the
  // archive engine's abort flag so that the extraction stops.
  virtual void Cancel();
  // One progress report; nothing here.
  virtual void UpdateStatus(TFileStatusParameter& status) {}

 protected:
  void Notification(TComponent* component, Operation operation) override;

 private:
  TDialogManager* dm_ = nullptr;
};

}  // namespace kit
