// The page of the bad-install wizard: the installation could not be completed.
#pragma once

#include "dialogs/pages/finish_page.h"

namespace kit {

class TBadInstallForm : public TFinishPage {
  KIT_COMPONENT_CLASS(TBadInstallForm)

 public:
  // Reads the stored page and finds the dmAfterBadInstall manager.
  explicit TBadInstallForm(TComponent* owner);
  ~TBadInstallForm() override;
  static const char* StoredName() { return "bad_install_form.dfm"; }
};

}  // namespace kit
