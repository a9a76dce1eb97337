// A bevel: a sunken or raised box, frame or line.
#pragma once

#include "ui/control.h"

namespace kit {

enum TBevelShape { bsBox = 0, bsFrame, bsTopLine, bsBottomLine, bsLeftLine, bsRightLine, bsSpacer };
enum TBevelStyle { bsLowered = 0, bsRaised = 1 };
const EnumType& BevelShapeType();
const EnumType& BevelStyleType();

class TBevel : public TControl {
  KIT_COMPONENT_CLASS(TBevel)

 public:
  explicit TBevel(TComponent* owner);
  static const PropertyTable& Properties();

  TBevelShape Shape() const { return shape_; }
  void SetShape(TBevelShape v) { shape_ = v, Changed(); }
  TBevelStyle Style() const { return style_; }
  void SetStyle(TBevelStyle v) { style_ = v, Changed(); }

  WidgetKind Kind() const override { return WidgetKind::kBevel; }

 protected:
  void FillLook(ControlLook& look) const override;

 private:
  TBevelShape shape_ = bsBox;
  TBevelStyle style_ = bsLowered;
};

}  // namespace kit
