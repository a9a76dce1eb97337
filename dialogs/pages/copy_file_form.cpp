#include "dialogs/pages/copy_file_form.h"

#include "dialogs/pages/copy_file_form_dfm.h"
#include "dialogs/pages/stored_page.h"
#include "files/file_status_parameter.h"
#include "ui/controls/button.h"
#include "ui/controls/label.h"
#include "ui/controls/progress_bar.h"

namespace kit {

TCopyFileForm::TCopyFileForm(TComponent* owner) : TBaseDuringCopyForm(owner) {
  ReadStoredPage(*this, {reinterpret_cast<const char*>(kCopyFileFormDfm), sizeof kCopyFileFormDfm}, StoredName());
  file_bar_ = &PageControl<TProgressBar>(*this, "ProgressBar1");
  total_bar_ = &PageControl<TProgressBar>(*this, "ProgressBar2");
  file_name_ = &PageControl<TLabel>(*this, "lblCopyingFile");
  PageControl<TButton>(*this, "CancelBtn").SetOnClick([this](TComponent*) { Cancel(); });
}

TCopyFileForm::~TCopyFileForm() = default;

void TCopyFileForm::UpdateStatus(TFileStatusParameter& status) {
  total_bar_->SetPosition(status.TotalPercentDone);
  file_bar_->SetPosition(status.FilePercentDone);
  file_name_->SetCaption(status.FileName);
  Repaint();
}

}  // namespace kit
