#include "dialogs/pages/copy_file_form.h"

#include "dialogs/pages/copy_file_form_dfm.h"
#include "dialogs/pages/stored_page.h"
#include "files/file_status_parameter.h"
#include "ui/application.h"
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
  const bool new_file = status.FileName != file_name_->Caption();
  if (!new_file && total_bar_->Position() == status.TotalPercentDone &&
      file_bar_->Position() == status.FilePercentDone)
    return;  // nothing shown changes
  total_bar_->SetPosition(status.TotalPercentDone);
  file_bar_->SetPosition(status.FilePercentDone);
  file_name_->SetCaption(status.FileName);
  // A new file and a full bar are painted at once; the steps between at
  // most every interval of the message pump (each paint of the form costs
  // milliseconds under Wine, and a file reports every 4 KB).
  const auto now = std::chrono::steady_clock::now();
  const bool ended = status.FilePercentDone >= 100 || status.TotalPercentDone >= 100;
  if (!new_file && !ended && now - painted_ < TApplication::kResponsiveInterval) return;
  painted_ = now;
  Repaint();
}

}  // namespace kit
