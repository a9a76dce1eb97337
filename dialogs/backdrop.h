// The backdrop: a colour gradient filling its parent, painted in bands
// (see backdrop_bands.h) from StartColor to EndColor in one of eight
// directions. It takes no input.
#pragma once

#include "dialogs/backdrop_bands.h"
#include "ui/graphic_control.h"

namespace kit {

const EnumType& DirectionType();
const EnumType& BackClrsType();

class TBackdrop : public TGraphicControl {
  KIT_COMPONENT_CLASS(TBackdrop)

 public:
  // Aligned to fill its parent.
  explicit TBackdrop(TComponent* owner);
  static const PropertyTable& Properties();

  // Each setter repaints when the value changes.
  TDirection Direction() const { return direction_; }
  void SetDirection(TDirection direction);
  TBackClrs StartColor() const { return start_; }
  void SetStartColor(TBackClrs colour);
  TBackClrs EndColor() const { return end_; }
  void SetEndColor(TBackClrs colour);

  void Paint(PaintSurface& surface) override;

 private:
  TDirection direction_ = bdUp;
  TBackClrs start_ = bcBlue;
  TBackClrs end_ = bcBlack;
};

}  // namespace kit
