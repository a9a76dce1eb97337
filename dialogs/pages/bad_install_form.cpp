#include "dialogs/pages/bad_install_form.h"

#include "dialogs/pages/bad_install_form_dfm.h"
#include "dialogs/pages/stored_page.h"

namespace kit {

TBadInstallForm::TBadInstallForm(TComponent* owner) : TFinishPage(owner, dmAfterBadInstall) {
  ReadStoredPage(*this, {reinterpret_cast<const char*>(kBadInstallFormDfm), sizeof kBadInstallFormDfm}, StoredName());
  BindControls();
}

TBadInstallForm::~TBadInstallForm() = default;

}  // namespace kit
