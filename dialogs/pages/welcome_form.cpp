#include "dialogs/pages/welcome_form.h"

#include "dialogs/pages/welcome_form_dfm.h"
#include "dialogs/pages/stored_page.h"

namespace kit {

TWelcomeForm::TWelcomeForm(TComponent* owner) : TStandardPage(owner, dmBeforeInstall) {
  ReadStoredPage(*this, {reinterpret_cast<const char*>(kWelcomeFormDfm), sizeof kWelcomeFormDfm}, StoredName());
  BindControls();
}

TWelcomeForm::~TWelcomeForm() = default;

}  // namespace kit
