#include "dialogs/pages/standard_page.h"

#include "dialogs/pages/stored_page.h"
#include "ui/controls/button.h"
#include "ui/controls/image.h"

namespace kit {

TStandardPage::TStandardPage(TComponent* owner, TManagerType type) : TBaseInstallForm(owner, type) {}

void TStandardPage::BindControls() {
  back_ = &PageControl<TButton>(*this, "BackBtn");
  proceed_ = &PageControl<TButton>(*this, "ProceedBtn");
  back_->SetOnClick([this](TComponent*) { GoBack(); });
  proceed_->SetOnClick([this](TComponent*) { GoNext(); });
  PageControl<TButton>(*this, "CancelBtn").SetOnClick([this](TComponent*) { Cancel(); });
  PageControl<TImage>(*this, "ThemeBitmap").Picture().LoadFromResourceName("INSTALLTHEME1");
}

void TStandardPage::UpdateState() {
  back_->SetVisible(!IsFirstPage());
  if (PageShowing() && proceed_->CanFocus()) proceed_->SetFocus();
}

}  // namespace kit
