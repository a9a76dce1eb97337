// A caption drawn at an angle with a sunken, raised or shadowed look
// (TLabelStyle), centred on the control. It is not auto-sized, starts
// transparent and uses bold Arial; with MyTransparent off it paints an
// opaque turned box behind the caption and drops the 3D effect for good.
#pragma once

#include "dialogs/label_style.h"
#include "ui/graphic_control.h"

namespace kit {

class TRotate3DLabel : public TGraphicControl {
  KIT_COMPONENT_CLASS(TRotate3DLabel)

 public:
  static constexpr double kDegToRad = 3.14159265358979323846 / 180.0;

  explicit TRotate3DLabel(TComponent* owner);
  static const PropertyTable& Properties();

  TLabelStyle& LabelStyle() { return style_; }
  const TLabelStyle& LabelStyle() const { return style_; }
  // Copies the values; repaints.
  void SetLabelStyle(const TLabelStyle& style) { style_.Assign(style); }
  bool MyTransparent() const { return my_transparent_; }
  void SetMyTransparent(bool on);
  // Off: the control's rectangle is filled with Color before painting.
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool on);
  // The angle of the last paint, as cosine and sine.
  double AngleCos() const { return cos_; }
  double AngleSin() const { return sin_; }

  void Paint(PaintSurface& surface) override;

 protected:
  bool PaintsTransparent() const override { return transparent_; }

 private:
  TLabelStyle style_;
  bool my_transparent_ = true;
  bool transparent_ = true;
  bool painting_ = false;
  double cos_ = 1.0;
  double sin_ = 0.0;
};

}  // namespace kit
