#include "ui/controls/radio_button.h"

#include "ui/application.h"
#include "ui/control_parent.h"

namespace kit {

const PropertyTable& TRadioButton::Properties() {
  static const PropertyTable table = PropertyTable::Make<TRadioButton, TControl>([](auto& p) {
    p.Str("Caption", &TRadioButton::SetCaption, &TRadioButton::Caption);
    p.Bool("Checked", &TRadioButton::SetChecked, &TRadioButton::Checked);
  });
  return table;
}

TRadioButton::TRadioButton(TComponent* owner) : TControl(owner) {
  SetBounds(0, 0, 113, 17);
  SetTabStop(true);
}

void TRadioButton::SetChecked(bool checked) {
  if (checked == checked_) return;
  checked_ = checked;
  if (checked && Parent() != nullptr) {
    for (int i = 0; i < Parent()->ControlCount(); ++i) {
      auto* other = dynamic_cast<TRadioButton*>(Parent()->Controls(i));
      if (other != nullptr && other != this) other->SetChecked(false);
    }
  }
  Changed();
  if (checked && !IsLoading()) Click();
}

void TRadioButton::HandlePeerEvent(PeerEvent event) {
  if (event != PeerEvent::kClick) return TControl::HandlePeerEvent(event);
  try {
    if (Enabled()) SetChecked(true);
  } catch (...) {
    Application().HandleException(this);
  }
}

void TRadioButton::FillLook(ControlLook& look) const {
  TControl::FillLook(look);
  look.state = checked_ ? 1 : 0;
}

}  // namespace kit
