// An image: a bitmap drawn at the top left, centred, or stretched to fill.
#pragma once

#include "ui/control.h"
#include "ui/picture.h"

namespace kit {

class TImage : public TControl {
  KIT_COMPONENT_CLASS(TImage)

 public:
  explicit TImage(TComponent* owner);
  static const PropertyTable& Properties();

  TPicture& Picture() { return picture_; }
  const TPicture& Picture() const { return picture_; }
  bool Stretch() const { return stretch_; }
  void SetStretch(bool v) { stretch_ = v, Changed(); }
  bool Center() const { return center_; }
  void SetCenter(bool v) { center_ = v, Changed(); }
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool v) { transparent_ = v, Changed(); }

  WidgetKind Kind() const override { return WidgetKind::kImage; }

 protected:
  void FillLook(ControlLook& look) const override;

 private:
  TPicture picture_;
  bool stretch_ = false;
  bool center_ = false;
  bool transparent_ = false;
};

}  // namespace kit
