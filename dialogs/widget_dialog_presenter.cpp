#include "dialogs/widget_dialog_presenter.h"

#include <memory>

#include "dialogs/base_change_disk_form.h"
#include "dialogs/base_during_copy_form.h"
#include "dialogs/base_form_container.h"
#include "dialogs/page_registry.h"
#include "ui/application.h"

namespace kit {

WidgetDialogPresenter::WidgetDialogPresenter() = default;
WidgetDialogPresenter::~WidgetDialogPresenter() = default;

DialogResult WidgetDialogPresenter::RunWizard(TDialogManager&) {
  std::unique_ptr<TBaseFormContainer> frame(new TBaseFormContainer(&Application()));
  if (frame->FillPages() == 0) return DialogResult::kNothingShown;
  const int result = frame->ShowModal();
  frame.reset();
  if (TForm* main = Application().MainForm()) main->Repaint();
  Application().ProcessMessages();
  return result == mr::kAbort ? DialogResult::kAbort : DialogResult::kOk;
}

int WidgetDialogPresenter::OpenProgressForms(TDialogManager& manager) {
  std::vector<TBaseDuringCopyForm*>& open = open_[&manager];
  for (const auto& entry : DCFList()) {
    TBaseDuringCopyForm* form = entry->Create(&Application());
    if (form->DM() != &manager) {
      delete form;
      continue;
    }
    form->UpdateState();
    form->Translate();
    form->Show();
    open.push_back(form);
  }
  return static_cast<int>(open.size());
}

void WidgetDialogPresenter::UpdateProgressForms(TDialogManager& manager, TFileStatusParameter& status) {
  for (TBaseDuringCopyForm* form : open_[&manager]) form->UpdateStatus(status);
}

// Closed forms stay with the application until it ends; the next copy run
// opens new ones.
void WidgetDialogPresenter::CloseProgressForms(TDialogManager& manager) {
  for (TBaseDuringCopyForm* form : open_[&manager]) form->Hide();
  open_.erase(&manager);
}

DialogResult WidgetDialogPresenter::ShowChangeDisk(TDialogManager& manager, TDiskParameter& disk) {
  if (BCDFList().empty()) return DialogResult::kNothingShown;
  std::unique_ptr<TBaseChangeDiskForm> form(BCDFList().front()->Create(&Application()));
  if (form->DM() != &manager) return DialogResult::kNothingShown;
  form->SetDiskParameter(&disk);
  form->UpdateState();
  form->Translate();
  const int result = form->ShowModal();
  return result == mr::kAbort ? DialogResult::kAbort : DialogResult::kOk;
}

}  // namespace kit
