// The dialog managers' presenter on the widget layer: the wizard frame
// with the registered pages, the progress forms and the change-disk
// prompt, created from the page registries. The install program installs
// one at start-up.
#pragma once

#include <map>
#include <vector>

#include "dialogs/dialog_manager.h"

namespace kit {

class TBaseDuringCopyForm;

class WidgetDialogPresenter : public DialogPresenter {
 public:
  WidgetDialogPresenter();
  ~WidgetDialogPresenter() override;

  DialogResult RunWizard(TDialogManager& manager) override;
  int OpenProgressForms(TDialogManager& manager) override;
  void UpdateProgressForms(TDialogManager& manager, TFileStatusParameter& status) override;
  void CloseProgressForms(TDialogManager& manager) override;
  DialogResult ShowChangeDisk(TDialogManager& manager, TDiskParameter& disk) override;

  // The progress forms open for the manager (owned by the application).
  const std::vector<TBaseDuringCopyForm*>& OpenForms(TDialogManager& manager) { return open_[&manager]; }

 private:
  std::map<TDialogManager*, std::vector<TBaseDuringCopyForm*>> open_;
};

}  // namespace kit
