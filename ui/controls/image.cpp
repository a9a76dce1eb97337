#include "ui/controls/image.h"

namespace kit {

const PropertyTable& TImage::Properties() {
  static const PropertyTable table = PropertyTable::Make<TImage, TControl>([](auto& p) {
    p.Bool("Center", &TImage::SetCenter, &TImage::Center);
    p.Object("Picture", [](TImage* i) { return &i->Picture(); });
    p.Bool("Stretch", &TImage::SetStretch, &TImage::Stretch);
    p.Bool("Transparent", &TImage::SetTransparent, &TImage::Transparent);
  });
  return table;
}

TImage::TImage(TComponent* owner) : TControl(owner) {
  SetBounds(0, 0, 105, 105);
  picture_.on_change = [this] { Changed(); };
}

void TImage::FillLook(ControlLook& look) const {
  TControl::FillLook(look);
  look.picture = picture_.Empty() ? nullptr : &picture_;
  look.stretch = stretch_;
  look.center = center_;
  look.transparent = transparent_;
}

}  // namespace kit
