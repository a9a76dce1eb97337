#include "ui/controls/button.h"

#include "ui/form.h"

namespace kit {

const EnumType& ModalResultIdents() {
  static const EnumType type("TModalResult", {{"mrNone", mr::kNone},
                                              {"mrOk", mr::kOk},
                                              {"mrCancel", mr::kCancel},
                                              {"mrAbort", mr::kAbort},
                                              {"mrRetry", mr::kRetry},
                                              {"mrIgnore", mr::kIgnore},
                                              {"mrYes", mr::kYes},
                                              {"mrNo", mr::kNo}});
  return type;
}

const PropertyTable& TButton::Properties() {
  static const PropertyTable table = PropertyTable::Make<TButton, TControl>([](auto& p) {
    p.Str("Caption", &TButton::SetCaption, &TButton::Caption);
    p.Bool("Cancel", &TButton::SetCancel, &TButton::Cancel);
    p.Bool("Default", &TButton::SetDefault, &TButton::Default);
    p.Int("ModalResult", &TButton::SetModalResult, &TButton::ModalResult, ModalResultIdents());
  });
  return table;
}

TButton::TButton(TComponent* owner) : TControl(owner) {
  SetBounds(0, 0, 75, 25);
  SetTabStop(true);
}

void TButton::Click() {
  if (modal_result_ != mr::kNone) {
    if (TForm* form = ParentForm()) form->SetModalResult(modal_result_);
  }
  TControl::Click();
}

void TButton::FillLook(ControlLook& look) const {
  TControl::FillLook(look);
  look.is_default = default_;
  look.is_cancel = cancel_;
}

}  // namespace kit
