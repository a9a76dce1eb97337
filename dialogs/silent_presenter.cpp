#include "dialogs/silent_presenter.h"

#include "base/setup_log.h"
#include "model/disk_parameter.h"

namespace kit {

namespace {

std::string ManagerText(TDialogManager& manager) {
  const char* type = ManagerTypeIdents().NameOf(manager.ManagerType());
  return "dialog manager " + manager.Name() + " (" + (type != nullptr ? type : "?") + ")";
}

}  // namespace

DialogResult SilentPresenter::RunWizard(TDialogManager& manager) {
  const size_t pages = manager.Dialogs().size();
  if (pages == 0) return DialogResult::kNothingShown;
  LogStep("pages", ManagerText(manager) + ": " + std::to_string(pages) +
                       (pages == 1 ? " page" : " pages") + " not shown, default answers taken");
  return DialogResult::kOk;
}

int SilentPresenter::OpenProgressForms(TDialogManager& manager) {
  return progress_ != nullptr ? progress_->OpenProgressForms(manager) : 0;
}

void SilentPresenter::UpdateProgressForms(TDialogManager& manager, TFileStatusParameter& status) {
  if (progress_ != nullptr) progress_->UpdateProgressForms(manager, status);
}

void SilentPresenter::CloseProgressForms(TDialogManager& manager) {
  if (progress_ != nullptr) progress_->CloseProgressForms(manager);
}

DialogResult SilentPresenter::ShowChangeDisk(TDialogManager& manager, TDiskParameter& disk) {
  LogStep("disk", ManagerText(manager) + ": disk " + std::to_string(disk.DiskNumber()) +
                      " looked for in " + disk.Path() + ", nobody asked");
  return DialogResult::kOk;
}

SilentPresenter::Scope::Scope(bool show_progress, bool active) {
  if (!active) return;
  previous_ = CurrentDialogPresenter();
  silent_ = std::make_unique<SilentPresenter>(show_progress ? previous_ : nullptr);
  SetDialogPresenter(silent_.get());
}

SilentPresenter::Scope::~Scope() {
  if (silent_ != nullptr && CurrentDialogPresenter() == silent_.get()) SetDialogPresenter(previous_);
}

}  // namespace kit
