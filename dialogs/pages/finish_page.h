// The buttons of the good-install and bad-install pages: Back goes back;
// Next and Finish both proceed. Next is hidden on the last page, Finish
// shown exactly when Next is hidden.
#pragma once

#include "dialogs/base_install_form.h"

namespace kit {

class TButton;

class TFinishPage : public TBaseInstallForm {
  KIT_COMPONENT_CLASS(TFinishPage)

 public:
  TFinishPage(TComponent* owner, TManagerType type);

  void UpdateState() override;
  // What Next and Finish do: go next.
  virtual void Proceed();

 protected:
  // Binds BackBtn, ProceedBtn, FinishBtn and loads the theme bitmap.
  void BindControls();

  TButton* back_ = nullptr;
  TButton* proceed_ = nullptr;
  TButton* finish_ = nullptr;
};

}  // namespace kit
