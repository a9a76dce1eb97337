#include "dialogs/pages/select_kbln_dir.h"

#include <memory>

#include "dialogs/pages/open_folder_dialog.h"
#include "dialogs/pages/select_kbln_dir_dfm.h"
#include "dialogs/pages/stored_page.h"
#include "ui/application.h"
#include "ui/controls/bit_btn.h"
#include "ui/controls/edit.h"
#include "ui/controls/speed_button.h"

namespace kit {

TSelectKblnDir::TSelectKblnDir(TComponent* owner) : TBaseKobbelinForm(owner) {
  ReadStoredPage(*this, {reinterpret_cast<const char*>(kSelectKblnDirDfm), sizeof kSelectKblnDirDfm}, StoredName());
  Font().SetName("Arial");
  Font().SetSize(8);
  Font().SetCharset(kAnsiCharset);
  edit_ = &PageControl<TEdit>(*this, "Edit1");
  PageControl<TSpeedButton>(*this, "SpeedButton1").SetOnClick([this](TComponent*) { BrowseClick(); });
  PageControl<TBitBtn>(*this, "BitBtn1").SetOnClick([this](TComponent*) { SetModalResult(mr::kOk); });
}

TSelectKblnDir::~TSelectKblnDir() = default;

void TSelectKblnDir::BrowseClick() {
  TOpenFolderDialog dialog;
  if (dialog.Execute()) edit_->SetText(dialog.Path());
}

std::string TSelectKblnDir::Directory() const { return edit_->Text(); }

std::string TSelectKblnDir::Ask() {
  std::unique_ptr<TSelectKblnDir> form(new TSelectKblnDir(&Application()));
  form->ShowModal();
  return form->Directory();
}

}  // namespace kit
