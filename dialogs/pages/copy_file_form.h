// The progress form shown while files are copied: the current file's name,
// a bar for the file and one for the whole installation, and Cancel,
// which stops the extraction when the driver agrees.
#pragma once

#include <chrono>

#include "dialogs/base_during_copy_form.h"

namespace kit {

class TLabel;
class TProgressBar;

class TCopyFileForm : public TBaseDuringCopyForm {
  KIT_COMPONENT_CLASS(TCopyFileForm)

 public:
  // Reads the stored form and finds the dmDuringCopyFiles manager.
  explicit TCopyFileForm(TComponent* owner);
  ~TCopyFileForm() override;
  static const char* StoredName() { return "copy_file_form.dfm"; }

  // The whole run's share in ProgressBar2, the file's in ProgressBar1, the
  // file's name in lblCopyingFile; repainted at once for a new file or a
  // full bar, otherwise at most every TApplication::kResponsiveInterval.
  void UpdateStatus(TFileStatusParameter& status) override;

 private:
  TProgressBar* file_bar_;
  TProgressBar* total_bar_;
  TLabel* file_name_;
  std::chrono::steady_clock::time_point painted_{};
};

}  // namespace kit
