// TBaseChangeDiskForm: the prompt for the next disk of an archive. It
// belongs to the dmChangeDisk manager on the driver (found when it is
// created) and may change the path of the disk parameter it is given.
#pragma once

#include "translation/base_kobbelin_form.h"

namespace kit {

class TDialogManager;
class TDiskParameter;

class TBaseChangeDiskForm : public TBaseKobbelinForm {
  KIT_COMPONENT_CLASS(TBaseChangeDiskForm)

 public:
  explicit TBaseChangeDiskForm(TComponent* owner);
  ~TBaseChangeDiskForm() override;

  // The disk asked for (not owned), or null.
  TDiskParameter* DiskParameter() const { return disk_; }
  void SetDiskParameter(TDiskParameter* disk) { disk_ = disk; }
  TDialogManager* DM() const { return dm_; }
  void SetDM(TDialogManager* dm);

  // When the driver agrees, closes the prompt with mrAbort.
  virtual void Cancel();

 protected:
  void Notification(TComponent* component, Operation operation) override;

 private:
  TDiskParameter* disk_ = nullptr;
  TDialogManager* dm_ = nullptr;
};

}  // namespace kit
