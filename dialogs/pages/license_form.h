// The licence page of the before-install wizard (Order 20): the product's licence agreement in a read-only box.
#pragma once

#include "dialogs/pages/standard_page.h"

namespace kit {

class TLicenseForm : public TStandardPage {
  KIT_COMPONENT_CLASS(TLicenseForm)

 public:
  // Reads the stored page and finds the dmBeforeInstall manager.
  explicit TLicenseForm(TComponent* owner);
  ~TLicenseForm() override;
  static const char* StoredName() { return "license_form.dfm"; }
};

}  // namespace kit
