#include "dialogs/pages/good_install_form.h"

#include <cstdint>

#include "dialogs/pages/good_install_form_dfm.h"
#include "dialogs/pages/stored_page.h"
#include "platform/current_platform.h"
#include "platform/platform.h"
#include "ui/application.h"
#include "ui/controls/button.h"

namespace kit {

TGoodInstallForm::TGoodInstallForm(TComponent* owner) : TFinishPage(owner, dmAfterGoodInstall) {
  ReadStoredPage(*this, {reinterpret_cast<const char*>(kGoodInstallFormDfm), sizeof kGoodInstallFormDfm},
                 StoredName());
  BindControls();
}

TGoodInstallForm::~TGoodInstallForm() = default;

void TGoodInstallForm::Proceed() {
  proceed_->SetEnabled(false);
  if (HasCurrentPlatform()) {
    uint32_t exit_code = 0;
    // While the program runs, the installer's windows stay alive; a quit
    // request among their messages ends the installer.
    CurrentPlatform().Procs().RunAndWait(
        ProgramCommandLine(),
        [] {
          if (!Application().Backend().ProcessMessages()) Application().Terminate();
        },
        &exit_code);
  }
  GoNext();
}

}  // namespace kit
