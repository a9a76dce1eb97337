// The welcome page of the before-install wizard (Order 10).
#pragma once

#include "dialogs/pages/standard_page.h"

namespace kit {

class TWelcomeForm : public TStandardPage {
  KIT_COMPONENT_CLASS(TWelcomeForm)

 public:
  // Reads the stored page and finds the dmBeforeInstall manager.
  explicit TWelcomeForm(TComponent* owner);
  ~TWelcomeForm() override;
  static const char* StoredName() { return "welcome_form.dfm"; }
};

}  // namespace kit
