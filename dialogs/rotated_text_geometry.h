// Where a rotated label draws: the start point that centres the rotated
// caption on the control, the box painted behind an opaque label, and the
// offsets of the light and dark shades of each 3D effect.
#pragma once

#include <array>
#include <optional>

#include "dialogs/label_style.h"

namespace kit {

struct IntPoint {
  int x = 0;
  int y = 0;
  bool operator==(const IntPoint&) const = default;
};

struct RotatedTextGeometry {
  double cos = 1.0;
  double sin = 0.0;
  IntPoint start;                    // where the caption is drawn
  std::array<IntPoint, 4> box;       // the opaque box's corners, in drawing order
  std::optional<IntPoint> light;     // offset of the light shade, if drawn
  std::optional<IntPoint> dark;      // offset of the dark shade, if drawn
  int escapement = 0;                // tenths of a degree
};

// text_w/text_h: the caption measured with the unrotated font;
// width/height: the control's size.
RotatedTextGeometry ComputeRotatedText(const TLabelStyle& style, int text_w, int text_h,
                                       int width, int height);

}  // namespace kit
