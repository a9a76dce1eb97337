// The page of the good-install wizard. Next and Finish start the installed
// product's setup program "C:\TAVWIN\TINST.EXE /A", keep the installer's
// windows alive until it ends, then go next; a program that cannot start
// is passed over.
#pragma once

#include <string>

#include "dialogs/pages/finish_page.h"

namespace kit {

class TGoodInstallForm : public TFinishPage {
  KIT_COMPONENT_CLASS(TGoodInstallForm)

 public:
  // Reads the stored page and finds the dmAfterGoodInstall manager.
  explicit TGoodInstallForm(TComponent* owner);
  ~TGoodInstallForm() override;
  static const char* StoredName() { return "good_install_form.dfm"; }

  // The command line started by the proceed buttons.
  static const char* ProgramCommandLine() { return "C:\\TAVWIN\\TINST.EXE /A"; }

  void Proceed() override;
};

}  // namespace kit
