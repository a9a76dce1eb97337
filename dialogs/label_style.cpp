#include "dialogs/label_style.h"

#include "ui/font.h"

namespace kit {

const EnumType& Effect3DType() {
  static const EnumType type("T3DEffectShort", {"A3dNormal", "A3dResit", "A3dRaised", "A3dShadowed"});
  return type;
}

const PropertyTable& TLabelStyle::Properties() {
  static const PropertyTable table = PropertyTable::Make<TLabelStyle>([](auto& p) {
    p.Int("Angle", &TLabelStyle::SetAngle, &TLabelStyle::Angle);
    p.Enum("AStyle3D", &TLabelStyle::SetAStyle3D, &TLabelStyle::AStyle3D, Effect3DType());
    p.Int("AShadeRightBottom", &TLabelStyle::SetAShadeRightBottom, &TLabelStyle::AShadeRightBottom, ColorIdents());
    p.Bool("AShadeLTSet", &TLabelStyle::SetAShadeLTSet, &TLabelStyle::AShadeLTSet);
    p.Int("AShadeLeftTop", &TLabelStyle::SetAShadeLeftTop, &TLabelStyle::AShadeLeftTop, ColorIdents());
    p.Int("AHShadeOffSet", &TLabelStyle::SetAHShadeOffSet, &TLabelStyle::AHShadeOffSet);
    p.Int("AVShadeOffSet", &TLabelStyle::SetAVShadeOffSet, &TLabelStyle::AVShadeOffSet);
  });
  return table;
}

void TLabelStyle::Changed() {
  if (OnChange) OnChange();
}

void TLabelStyle::SetAngle(int degrees) {
  if (degrees < 0 || degrees >= 360) degrees = 0;
  if (degrees == angle_) return;
  angle_ = degrees;
  Changed();
}

void TLabelStyle::SetAStyle3D(T3DEffectShort style) {
  if (style == style_) return;
  style_ = style;
  Changed();
}

void TLabelStyle::SetAShadeRightBottom(int32_t colour) {
  if (colour == shade_rb_) return;
  shade_rb_ = colour;
  Changed();
}

void TLabelStyle::SetAShadeLeftTop(int32_t colour) {
  if (lt_set_ || colour == shade_lt_) return;
  shade_lt_ = colour;
  Changed();
}

void TLabelStyle::SetAShadeLTSet(bool on) {
  if (on == lt_set_) return;
  lt_set_ = on;
  if (on) {
    saved_lt_ = shade_lt_;
    shade_lt_ = kWhite;
  } else {
    shade_lt_ = saved_lt_;
  }
  if (lt_set_ && (style_ == A3dResit || style_ == A3dRaised) && saved_lt_ != kWhite) Changed();
}

void TLabelStyle::SetAHShadeOffSet(int offset) {
  if (offset == h_offset_) return;
  h_offset_ = offset;
  if (style_ == A3dShadowed) Changed();
}

void TLabelStyle::SetAVShadeOffSet(int offset) {
  if (offset == v_offset_) return;
  v_offset_ = offset;
  if (style_ == A3dShadowed) Changed();
}

void TLabelStyle::Assign(const TLabelStyle& other) {
  SetAngle(other.angle_);
  SetAStyle3D(other.style_);
  SetAShadeRightBottom(other.shade_rb_);
  SetAShadeLeftTop(other.shade_lt_);
  SetAShadeLTSet(other.lt_set_);
  SetAHShadeOffSet(other.h_offset_);
  SetAVShadeOffSet(other.v_offset_);
  if (!other.lt_set_) SetAShadeLeftTop(other.shade_lt_);
  saved_lt_ = other.saved_lt_;
  Changed();
}

}  // namespace kit
