// The look of a rotated 3D label: angle, 3D effect, shade colours and the
// offset of a cast shadow. Changes are announced through OnChange.
#pragma once

#include <cstdint>
#include <functional>

#include "base/property.h"

namespace kit {

enum T3DEffectShort { A3dNormal, A3dResit, A3dRaised, A3dShadowed };
const EnumType& Effect3DType();

class TLabelStyle {
 public:
  static const char* StaticClassName() { return "TLabelStyle"; }
  // Stored as LabelStyle.Angle and so on; AShadeLTSet comes before
  // AShadeLeftTop so that a stored shade is not ignored while still fixed.
  static const PropertyTable& Properties();
  static constexpr int32_t kWhite = 16777215;
  static constexpr int32_t kGrey = 8421504;

  int Angle() const { return angle_; }
  // Degrees; below 0 or from 360 up is stored as 0.
  void SetAngle(int degrees);
  T3DEffectShort AStyle3D() const { return style_; }
  void SetAStyle3D(T3DEffectShort style);
  int32_t AShadeRightBottom() const { return shade_rb_; }
  void SetAShadeRightBottom(int32_t colour);
  int32_t AShadeLeftTop() const { return shade_lt_; }
  // Ignored while AShadeLTSet is on.
  void SetAShadeLeftTop(int32_t colour);
  bool AShadeLTSet() const { return lt_set_; }
  void SetAShadeLTSet(bool on);
  int AHShadeOffSet() const { return h_offset_; }
  void SetAHShadeOffSet(int offset);
  int AVShadeOffSet() const { return v_offset_; }
  void SetAVShadeOffSet(int offset);

  // Copies every value through the setters, then raises OnChange once more.
  // A light shade that the other style holds free is copied as well, even
  // though it comes before AShadeLTSet.
  void Assign(const TLabelStyle& other);

  std::function<void()> OnChange;

 private:
  void Changed();
  int angle_ = 0;
  T3DEffectShort style_ = A3dRaised;
  int32_t shade_rb_ = kGrey;
  int32_t shade_lt_ = kWhite;
  bool lt_set_ = true;
  int h_offset_ = 5;
  int v_offset_ = -5;
  int32_t saved_lt_ = kWhite;
};

}  // namespace kit
