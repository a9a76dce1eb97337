// The buttons of the welcome and licence pages: Back goes back, the
// default button Next goes next, Cancel asks the driver. Back is hidden on
// the first page.
#pragma once

#include "dialogs/base_install_form.h"

namespace kit {

class TButton;

class TStandardPage : public TBaseInstallForm {
  KIT_COMPONENT_CLASS(TStandardPage)

 public:
  TStandardPage(TComponent* owner, TManagerType type);

  // Back shown except on the first page; the focus on Next when shown.
  void UpdateState() override;

 protected:
  // Binds BackBtn, ProceedBtn and CancelBtn and loads the theme bitmap;
  // called once the stored form is read.
  void BindControls();

  TButton* back_ = nullptr;
  TButton* proceed_ = nullptr;
};

}  // namespace kit
