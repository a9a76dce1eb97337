#include "ui/controls/bevel.h"

namespace kit {

const EnumType& BevelShapeType() {
  static const EnumType type("TBevelShape", {"bsBox", "bsFrame", "bsTopLine", "bsBottomLine", "bsLeftLine",
                                             "bsRightLine", "bsSpacer"});
  return type;
}

const EnumType& BevelStyleType() {
  static const EnumType type("TBevelStyle", {"bsLowered", "bsRaised"});
  return type;
}

const PropertyTable& TBevel::Properties() {
  static const PropertyTable table = PropertyTable::Make<TBevel, TControl>([](auto& p) {
    p.Enum("Shape", &TBevel::SetShape, &TBevel::Shape, BevelShapeType());
    p.Enum("Style", &TBevel::SetStyle, &TBevel::Style, BevelStyleType());
  });
  return table;
}

TBevel::TBevel(TComponent* owner) : TControl(owner) { SetBounds(0, 0, 50, 50); }

void TBevel::FillLook(ControlLook& look) const {
  TControl::FillLook(look);
  look.shape = shape_;
  look.style = style_;
}

}  // namespace kit
