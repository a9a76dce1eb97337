// The prompt for the next disk: which disk to insert, the folder where the
// next archive part is looked for (read-only, changed by browsing), Devam
// to go on and Vazgeç to cancel the installation.
#pragma once

#include <string>

#include "dialogs/base_change_disk_form.h"

namespace kit {

class TButton;
class TEdit;
class TLabel;

class TChangeDiskForm : public TBaseChangeDiskForm {
  KIT_COMPONENT_CLASS(TChangeDiskForm)

 public:
  // Reads the stored form and finds the dmChangeDisk manager.
  explicit TChangeDiskForm(TComponent* owner);
  ~TChangeDiskForm() override;
  static const char* StoredName() { return "change_disk_form.dfm"; }

  // Fills the prompt from the disk parameter: the translated prompt with
  // the disk number, the path; the focus on Devam.
  void FormShow();
  // Opens the folder browser; a pick becomes the disk parameter's path.
  void Browse();

 protected:
  void Activate() override;

 private:
  TLabel* prompt_;
  TEdit* path_edit_;
  TButton* install_;
  bool shown_ = false;
};

}  // namespace kit
