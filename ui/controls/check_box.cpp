#include "ui/controls/check_box.h"

#include "ui/application.h"

namespace kit {

const EnumType& CheckBoxStateType() {
  static const EnumType type("TCheckBoxState", {"cbUnchecked", "cbChecked", "cbGrayed"});
  return type;
}

const PropertyTable& TCheckBox::Properties() {
  static const PropertyTable table = PropertyTable::Make<TCheckBox, TControl>([](auto& p) {
    p.Str("Caption", &TCheckBox::SetCaption, &TCheckBox::Caption);
    p.Enum("Alignment", &TCheckBox::SetAlignment, &TCheckBox::Alignment, AlignmentType());
    p.Bool("AllowGrayed", &TCheckBox::SetAllowGrayed, &TCheckBox::AllowGrayed);
    p.Enum("State", &TCheckBox::SetState, &TCheckBox::State, CheckBoxStateType());
  });
  return table;
}

TCheckBox::TCheckBox(TComponent* owner) : TControl(owner) {
  SetBounds(0, 0, 97, 17);
  SetTabStop(true);
}

void TCheckBox::SetState(TCheckBoxState state) {
  if (state == state_) return;
  state_ = state;
  Changed();
  if (!IsLoading()) Click();
}

void TCheckBox::Toggle() {
  switch (state_) {
    case cbUnchecked: SetState(cbChecked); break;
    case cbChecked: SetState(allow_grayed_ ? cbGrayed : cbUnchecked); break;
    case cbGrayed: SetState(cbUnchecked); break;
  }
}

void TCheckBox::HandlePeerEvent(PeerEvent event) {
  if (event != PeerEvent::kClick) return TControl::HandlePeerEvent(event);
  try {
    if (Enabled()) Toggle();
  } catch (...) {
    Application().HandleException(this);
  }
}

void TCheckBox::FillLook(ControlLook& look) const {
  TControl::FillLook(look);
  look.state = state_;
  look.alignment = alignment_;
}

}  // namespace kit
