#include "dialogs/base_install_form.h"

#include <vector>

#include "dialogs/base_form_container.h"
#include "dialogs/custom_base_install_dlg.h"
#include "dialogs/user_abort.h"
#include "ui/control.h"
#include "ui/controls/panel.h"

namespace kit {

TBaseInstallForm::TBaseInstallForm(TComponent* owner, TManagerType type) : TBaseKobbelinForm(owner) {
  HearSiblings();
  SetDM(FindDriverDialogManager(type));
}

TBaseInstallForm::~TBaseInstallForm() = default;

const PropertyTable& TBaseInstallForm::Properties() {
  static const PropertyTable table = PropertyTable::Make<TBaseInstallForm, TBaseKobbelinForm>(
      [](auto& p) { p.Int("Order", &TBaseInstallForm::SetOrder, &TBaseInstallForm::Order); });
  return table;
}

void TBaseInstallForm::SetDC(TCustomBaseInstallDlg* dc) {
  if (dc_ != nullptr) dc_->RemoveFreeNotification(this);
  dc_ = dc;
  if (dc_ != nullptr) dc_->FreeNotification(this);
}

void TBaseInstallForm::SetDM(TDialogManager* dm) {
  if (dm_ != nullptr) dm_->RemoveFreeNotification(this);
  dm_ = dm;
  if (dm_ != nullptr) dm_->FreeNotification(this);
}

void TBaseInstallForm::Notification(TComponent* component, Operation operation) {
  TBaseKobbelinForm::Notification(component, operation);
  if (operation != Operation::kRemove) return;
  if (component == dc_) dc_ = nullptr;
  if (component == dm_) dm_ = nullptr;
}

bool TBaseInstallForm::IsFirstPage() const { return frame_ != nullptr && frame_->TabIndex() == 0; }

bool TBaseInstallForm::IsLastPage() const {
  return frame_ != nullptr && frame_->TabIndex() == frame_->PageCount() - 1;
}

void TBaseInstallForm::GoNext() {
  if (frame_ != nullptr) frame_->Next();
}

void TBaseInstallForm::GoBack() {
  if (frame_ != nullptr) frame_->Back();
}

void TBaseInstallForm::ActivatePage() { UpdateState(); }

void TBaseInstallForm::Cancel() {
  if (!UserAbortConfirmed()) return;
  if (frame_ != nullptr)
    frame_->SetModalResult(mr::kAbort);
  else
    SetModalResult(mr::kAbort);
}

void TBaseInstallForm::JoinFrame(TBaseFormContainer& frame) {
  frame_ = &frame;
  host_ = new TPanel(this);
  host_->SetName(Name().empty() ? "PageHost" : Name() + "Host");
  host_->SetBevelOuter(bvNone);
  host_->SetVisible(false);
  host_->SetColor(Color());
  host_->Font().Assign(Font());
  host_->SetBounds(0, 0, ClientWidth(), ClientHeight());
  // The controls keep their places relative to the page's client area.
  std::vector<TControl*> controls;
  for (int i = 0; i < ControlCount(); ++i) controls.push_back(Controls(i));
  for (TControl* c : controls) c->SetParent(host_);
  host_->SetParent(&frame.DisplayPanel());
}

void TBaseInstallForm::SetPageBounds(int left, int top, int width, int height) {
  if (host_ != nullptr) host_->SetBounds(left, top, width, height);
}

void TBaseInstallForm::SetPageVisible(bool visible) {
  if (host_ != nullptr) host_->SetVisible(visible);
}

bool TBaseInstallForm::PageShowing() const {
  return host_ != nullptr ? host_->Showing() : Visible();
}

void TBaseInstallForm::TranslatedFontApplied() {
  if (host_ != nullptr) host_->Font().Assign(Font());
}

}  // namespace kit
