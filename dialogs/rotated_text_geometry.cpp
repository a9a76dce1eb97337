#include "dialogs/rotated_text_geometry.h"

#include <cmath>
#include <numbers>

namespace kit {

namespace {

int T(double v) { return static_cast<int>(v); }  // truncates towards zero

}  // namespace

RotatedTextGeometry ComputeRotatedText(const TLabelStyle& style, int text_w, int text_h,
                                       int width, int height) {
  RotatedTextGeometry g;
  const double radians = style.Angle() * (std::numbers::pi / 180.0);
  g.cos = std::cos(radians);
  g.sin = std::sin(radians);
  g.escapement = style.Angle() * 10;
  const int cx = width / 2, cy = height / 2;
  const double w = text_w, h = text_h;
  g.start = {cx - T(w / 2 * g.cos) - T(h / 2 * g.sin), cy + T(w / 2 * g.sin) - T(h / 2 * g.cos)};

  const double bw = text_w + 10, bh = text_h + 7;
  const IntPoint a{T(bw / 2 * g.cos), -T(bw / 2 * g.sin)};
  const IntPoint b{T(bh / 2 * g.sin), T(bh / 2 * g.cos)};
  g.box = {IntPoint{cx - a.x - b.x, cy - a.y - b.y}, IntPoint{cx + a.x - b.x, cy + a.y - b.y},
           IntPoint{cx + a.x + b.x, cy + a.y + b.y}, IntPoint{cx - a.x + b.x, cy - a.y + b.y}};

  switch (style.AStyle3D()) {
    case A3dResit: g.light = IntPoint{1, 1}; g.dark = IntPoint{-1, -1}; break;
    case A3dRaised: g.light = IntPoint{-1, -1}; g.dark = IntPoint{1, 1}; break;
    case A3dShadowed: g.dark = IntPoint{style.AHShadeOffSet(), style.AVShadeOffSet()}; break;
    case A3dNormal: break;
  }
  return g;
}

}  // namespace kit
