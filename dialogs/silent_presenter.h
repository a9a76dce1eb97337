// The presenter of an unattended run: no wizard page is shown and each
// manager goes its default way forward; the change-disk prompt is answered
// with the disk's own directory (the install file then checks the volume is
// there and fails naming it when not). In the silent mode the progress
// forms of the presenter it replaces stay visible; in the very silent mode
// nothing is shown. Every decision is written to the diagnostic log.
#pragma once

#include <memory>

#include "dialogs/dialog_manager.h"

namespace kit {

class SilentPresenter : public DialogPresenter {
 public:
  // `progress` shows the progress forms (null: none are shown).
  explicit SilentPresenter(DialogPresenter* progress) : progress_(progress) {}

  DialogResult RunWizard(TDialogManager& manager) override;
  int OpenProgressForms(TDialogManager& manager) override;
  void UpdateProgressForms(TDialogManager& manager, TFileStatusParameter& status) override;
  void CloseProgressForms(TDialogManager& manager) override;
  DialogResult ShowChangeDisk(TDialogManager& manager, TDiskParameter& disk) override;

  // Puts a silent presenter in place of the current one for the mode (no
  // change for an attended run) and gives the previous one back when it
  // ends.
  class Scope {
   public:
    explicit Scope(bool show_progress, bool active = true);
    ~Scope();
    Scope(const Scope&) = delete;
    Scope& operator=(const Scope&) = delete;

   private:
    DialogPresenter* previous_ = nullptr;
    std::unique_ptr<SilentPresenter> silent_;
  };

 private:
  DialogPresenter* progress_;
};

}  // namespace kit
