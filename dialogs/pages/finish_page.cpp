#include "dialogs/pages/finish_page.h"

#include "dialogs/pages/stored_page.h"
#include "ui/controls/button.h"
#include "ui/controls/image.h"

namespace kit {

TFinishPage::TFinishPage(TComponent* owner, TManagerType type) : TBaseInstallForm(owner, type) {}

void TFinishPage::BindControls() {
  back_ = &PageControl<TButton>(*this, "BackBtn");
  proceed_ = &PageControl<TButton>(*this, "ProceedBtn");
  finish_ = &PageControl<TButton>(*this, "FinishBtn");
  back_->SetOnClick([this](TComponent*) { GoBack(); });
  proceed_->SetOnClick([this](TComponent*) { Proceed(); });
  finish_->SetOnClick([this](TComponent*) { Proceed(); });
  PageControl<TImage>(*this, "ThemeBitmap").Picture().LoadFromResourceName("INSTALLTHEME1");
}

void TFinishPage::UpdateState() {
  back_->SetVisible(!IsFirstPage());
  proceed_->SetVisible(!IsLastPage());
  finish_->SetVisible(!proceed_->Visible());
  if (!PageShowing()) return;
  TButton* shown = proceed_->Visible() ? proceed_ : finish_;
  if (shown->CanFocus()) shown->SetFocus();
}

void TFinishPage::Proceed() { GoNext(); }

}  // namespace kit
