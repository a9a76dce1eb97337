#include "dialogs/pages/installer_pages.h"

#include "dialogs/page_registry.h"
#include "dialogs/pages/bad_install_form.h"
#include "dialogs/pages/change_disk_form.h"
#include "dialogs/pages/copy_file_form.h"
#include "dialogs/pages/good_install_form.h"
#include "dialogs/pages/license_form.h"
#include "dialogs/pages/welcome_form.h"
#include "ui/application.h"

namespace kit {
namespace {

template <class Form>
Form* Make(TComponent* owner) {
  return new Form(owner);
}

}  // namespace

void RegisterInstallerPages() {
  static bool registered = false;
  if (registered) return;
  registered = true;
  RegisterBIF(TBadInstallForm::StaticClassName(), Make<TBadInstallForm>);
  RegisterBCDF(TChangeDiskForm::StaticClassName(), Make<TChangeDiskForm>);
  RegisterDCF(TCopyFileForm::StaticClassName(), Make<TCopyFileForm>);
  RegisterBIF(TGoodInstallForm::StaticClassName(), Make<TGoodInstallForm>);
  RegisterBIF(TWelcomeForm::StaticClassName(), Make<TWelcomeForm>);
  RegisterBIF(TLicenseForm::StaticClassName(), Make<TLicenseForm>);
}

void CreateHiddenPageInstances() {
  TApplication& app = Application();
  new TBadInstallForm(&app);
  new TChangeDiskForm(&app);
  new TCopyFileForm(&app);
  new TGoodInstallForm(&app);
  new TWelcomeForm(&app);
  new TLicenseForm(&app);
}

}  // namespace kit
