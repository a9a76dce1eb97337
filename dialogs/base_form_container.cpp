#include "dialogs/base_form_container.h"

#include <utility>

#include "base/exception.h"
#include "dialogs/base_install_form.h"
#include "dialogs/custom_base_install_dlg.h"
#include "dialogs/dialog_manager.h"
#include "dialogs/page_registry.h"
#include "translation/translation.h"
#include "ui/application.h"
#include "ui/controls/panel.h"

namespace kit {
namespace {
TBaseFormContainer* g_active_frame = nullptr;
}  // namespace

TBaseFormContainer* ActiveWizardFrame() { return g_active_frame; }

TBaseFormContainer::TBaseFormContainer(TComponent* owner) : TForm(owner) {
  SetBorderStyle(bsDialog);
  SetBorderIcons(0);
  SetPosition(poScreenCenter);
  Font().SetCharset(kAnsiCharset);
  SetBounds(Left(), Top(), 478, 395);
  display_panel_ = new TPanel(this);
  display_panel_->SetName("DisplayPanel");
  display_panel_->SetBevelOuter(bvNone);
  display_panel_->SetParent(this);
  display_panel_->SetAlign(alClient);
  SetOnActivate([this](TComponent*) {
    if (!first_page_shown_) {
      first_page_shown_ = true;
      ShowPage(0, kBackward);
    }
  });
}

TBaseFormContainer::~TBaseFormContainer() {
  if (g_active_frame == this) g_active_frame = nullptr;
}

TBaseInstallForm* TBaseFormContainer::CurrentPage() const {
  return tab_index_ >= 0 && tab_index_ < PageCount() ? pages_[tab_index_] : nullptr;
}

int TBaseFormContainer::FillPages() {
  TDialogManager* manager = CurrentDialogManager();
  if (manager == nullptr) throw Exception(TranslateMessage("The current dialog manager is not defined"));
  for (const auto& entry : BIFList()) {
    TCustomBaseInstallDlg* dc = entry->Dialog();
    if (dc != nullptr && (dc->DialogManager() != manager || !dc->ShouldShow())) continue;
    TBaseInstallForm* page = entry->Create(this);
    if (dc == nullptr && page->DM() != manager) {
      delete page;
      continue;
    }
    page->SetDC(dc);
    if (dc != nullptr) {
      page->SetInstallContainer(dc->Container());
      page->SetOrder(dc->Order());
      dc->SetForm(page);
      dc->AssignDialogProperties();
    }
    page->JoinFrame(*this);
    page->SetPageBounds(0, 0, display_panel_->Width(), display_panel_->Height());
    page->Translate();
    pages_.push_back(page);
  }
  // Pages of equal Order need not keep their registration order.
  for (size_t i = 0; i < pages_.size(); ++i) {
    for (size_t j = i + 1; j < pages_.size(); ++j) {
      if (pages_[j]->Order() < pages_[i]->Order()) std::swap(pages_[i], pages_[j]);
    }
  }
  return PageCount();
}

void TBaseFormContainer::ShowPage(int index, Direction direction) {
  if (index < 0 || index >= PageCount()) return;
  TBaseInstallForm* page = pages_[index];
  if (page->SkipPage()) {
    ShowPage(direction == kBackward ? index - 1 : index + 1, direction);
    return;
  }
  if (TBaseInstallForm* leaving = CurrentPage(); leaving != nullptr && leaving != page) leaving->LeavingPage();
  SelectTab(index);
  SetCaption(page->Caption());
  for (TBaseInstallForm* p : pages_) p->SetPageVisible(p == page);
  page->ActivatePage();
  // Each new page is announced like a modal loop of its own, so that a
  // headless run can show and answer it.
  if (g_active_frame == this) Application().Backend().ModalLoopStarting(*this);
}

void TBaseFormContainer::SelectTab(int index) { tab_index_ = index; }

void TBaseFormContainer::Back() { ShowPage(tab_index_ - 1, kBackward); }

void TBaseFormContainer::Next() {
  const int before = tab_index_;
  ShowPage(tab_index_ + 1, kForward);
  if (tab_index_ == before) SetModalResult(mr::kOk);
}

void TBaseFormContainer::Activate() {
  TForm::Activate();
  g_active_frame = this;
}


}  // namespace kit
