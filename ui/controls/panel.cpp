#include "ui/controls/panel.h"

namespace kit {

const EnumType& BevelCutType() {
  static const EnumType type("TBevelCut", {"bvNone", "bvLowered", "bvRaised", "bvSpace"});
  return type;
}

const PropertyTable& TPanel::Properties() {
  static const PropertyTable table = PropertyTable::Make<TPanel, TControl>([](auto& p) {
    p.Str("Caption", &TPanel::SetCaption, &TPanel::Caption);
    p.Enum("Alignment", &TPanel::SetAlignment, &TPanel::Alignment, AlignmentType());
    p.Enum("BevelInner", &TPanel::SetBevelInner, &TPanel::BevelInner, BevelCutType());
    p.Enum("BevelOuter", &TPanel::SetBevelOuter, &TPanel::BevelOuter, BevelCutType());
    p.Int("BevelWidth", &TPanel::SetBevelWidth, &TPanel::BevelWidth, 1, 100);
  });
  return table;
}

TPanel::TPanel(TComponent* owner) : TControl(owner) {
  SetBounds(0, 0, 185, 41);
}

void TPanel::FillLook(ControlLook& look) const {
  TControl::FillLook(look);
  look.bevel_inner = bevel_inner_;
  look.bevel_outer = bevel_outer_;
  look.bevel_width = bevel_width_;
  look.alignment = alignment_;
}

void TPanel::ClientInsets(int* left, int* top, int* right, int* bottom) const {
  const int n = ((bevel_inner_ != bvNone) + (bevel_outer_ != bvNone)) * bevel_width_;
  *left = *top = *right = *bottom = n;
}

}  // namespace kit
