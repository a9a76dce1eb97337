#include "ui/controls/speed_button.h"

#include "ui/control_parent.h"

namespace kit {

const PropertyTable& TSpeedButton::Properties() {
  static const PropertyTable table = PropertyTable::Make<TSpeedButton, TControl>([](auto& p) {
    p.Str("Caption", &TSpeedButton::SetCaption, &TSpeedButton::Caption);
    p.Bool("AllowAllUp", &TSpeedButton::SetAllowAllUp, &TSpeedButton::AllowAllUp);
    p.Int("GroupIndex", &TSpeedButton::SetGroupIndex, &TSpeedButton::GroupIndex, 0, 65535);
    p.Bool("Down", &TSpeedButton::SetDown, &TSpeedButton::Down);
    p.Bool("Flat", &TSpeedButton::SetFlat, &TSpeedButton::Flat);
    p.Object("Glyph", [](TSpeedButton* b) { return &b->Glyph(); });
  });
  return table;
}

TSpeedButton::TSpeedButton(TComponent* owner) : TControl(owner) {
  SetBounds(0, 0, 25, 25);
  glyph_.on_change = [this] { Changed(); };
}

void TSpeedButton::SetDown(bool down) {
  if (group_index_ == 0) down = false;
  if (down == down_) return;
  down_ = down;
  // Down in a group: the others of the group come up.
  if (down && Parent() != nullptr) {
    for (int i = 0; i < Parent()->ControlCount(); ++i) {
      auto* other = dynamic_cast<TSpeedButton*>(Parent()->Controls(i));
      if (other != nullptr && other != this && other->group_index_ == group_index_ && other->down_) {
        other->down_ = false;
        other->Changed();
      }
    }
  }
  Changed();
}

void TSpeedButton::Click() {
  if (group_index_ != 0) {
    if (!down_)
      SetDown(true);
    else if (allow_all_up_)
      SetDown(false);
  }
  TControl::Click();
}

void TSpeedButton::FillLook(ControlLook& look) const {
  TControl::FillLook(look);
  look.state = down_ ? 1 : 0;
  look.picture = glyph_.Empty() ? nullptr : &glyph_;
}

}  // namespace kit
