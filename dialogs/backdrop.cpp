#include "dialogs/backdrop.h"

namespace kit {

const EnumType& DirectionType() {
  static const EnumType type("TDirection", {"bdUp", "bdDown", "bdLeft", "bdRight", "bdHorzIn", "bdHorzOut",
                                            "bdVertIn", "bdVertOut"});
  return type;
}

const EnumType& BackClrsType() {
  static const EnumType type("TBackClrs", {"bcRed", "bcLime", "bcYellow", "bcBlue", "bcFuchsia", "bcAqua",
                                           "bcWhite", "bcBlack"});
  return type;
}

const PropertyTable& TBackdrop::Properties() {
  static const PropertyTable table = PropertyTable::Make<TBackdrop, TControl>([](auto& p) {
    p.Enum("Direction", &TBackdrop::SetDirection, &TBackdrop::Direction, DirectionType());
    p.Enum("StartColor", &TBackdrop::SetStartColor, &TBackdrop::StartColor, BackClrsType());
    p.Enum("EndColor", &TBackdrop::SetEndColor, &TBackdrop::EndColor, BackClrsType());
  });
  return table;
}

TBackdrop::TBackdrop(TComponent* owner) : TGraphicControl(owner) {
  SetBounds(0, 0, 100, 100);
  SetAlign(alClient);
}

void TBackdrop::SetDirection(TDirection direction) {
  if (direction == direction_) return;
  direction_ = direction;
  Invalidate();
}

void TBackdrop::SetStartColor(TBackClrs colour) {
  if (colour == start_) return;
  start_ = colour;
  Invalidate();
}

void TBackdrop::SetEndColor(TBackClrs colour) {
  if (colour == end_) return;
  end_ = colour;
  Invalidate();
}

void TBackdrop::Paint(PaintSurface& surface) {
  const BackdropBands bands = ComputeBackdropBands(direction_, start_, end_, Width(), Height());
  for (const BackdropBand& band : bands.bands) {
    const TColor color = band.color.r | (band.color.g << 8) | (band.color.b << 16);
    if (bands.horizontal)
      surface.FillRect(0, band.from, Width(), band.to, color);
    else
      surface.FillRect(band.from, 0, band.to, Height(), color);
  }
}

}  // namespace kit
