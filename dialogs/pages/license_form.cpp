#include "dialogs/pages/license_form.h"

#include "dialogs/pages/license_form_dfm.h"
#include "dialogs/pages/stored_page.h"

namespace kit {

TLicenseForm::TLicenseForm(TComponent* owner) : TStandardPage(owner, dmBeforeInstall) {
  ReadStoredPage(*this, {reinterpret_cast<const char*>(kLicenseFormDfm), sizeof kLicenseFormDfm}, StoredName());
  BindControls();
}

TLicenseForm::~TLicenseForm() = default;

}  // namespace kit
