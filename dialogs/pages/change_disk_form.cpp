#include "dialogs/pages/change_disk_form.h"

#include "base/format.h"
#include "dialogs/pages/change_disk_form_dfm.h"
#include "dialogs/pages/open_folder_dialog.h"
#include "dialogs/pages/stored_page.h"
#include "model/disk_parameter.h"
#include "ui/controls/button.h"
#include "ui/controls/edit.h"
#include "ui/controls/label.h"

namespace kit {

TChangeDiskForm::TChangeDiskForm(TComponent* owner) : TBaseChangeDiskForm(owner) {
  ReadStoredPage(*this, {reinterpret_cast<const char*>(kChangeDiskFormDfm), sizeof kChangeDiskFormDfm},
                 StoredName());
  prompt_ = &PageControl<TLabel>(*this, "PromptDiskLabel");
  path_edit_ = &PageControl<TEdit>(*this, "PathEdit");
  install_ = &PageControl<TButton>(*this, "InstallBtn");
  PageControl<TButton>(*this, "CancelBtn").SetOnClick([this](TComponent*) { Cancel(); });
  PageControl<TButton>(*this, "BrowseBtn").SetOnClick([this](TComponent*) { Browse(); });
}

TChangeDiskForm::~TChangeDiskForm() = default;

void TChangeDiskForm::Activate() {
  if (!shown_) {
    shown_ = true;
    FormShow();
  }
  TBaseChangeDiskForm::Activate();
}

void TChangeDiskForm::FormShow() {
  if (TDiskParameter* disk = DiskParameter()) {
    // The label holds the prompt as translated; the number goes into it.
    try {
      prompt_->SetCaption(Format(prompt_->Caption(), {disk->DiskNumber()}));
    } catch (const Exception&) {
      // A translation without a usable number in it is shown as it is.
    }
    path_edit_->SetText(disk->Path());
  }
  if (install_->CanFocus()) install_->SetFocus();
}

void TChangeDiskForm::Browse() {
  TDiskParameter* disk = DiskParameter();
  TOpenFolderDialog dialog;
  if (dialog.Execute() && disk != nullptr) disk->SetPath(dialog.Path());
  if (disk != nullptr) path_edit_->SetText(disk->Path());
}

}  // namespace kit
