// A paint surface in memory: an RGB image that fills and polygons are
// rasterised into, and a record of the text drawn (position, colour, angle),
// so that a test can check what a graphic control painted.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "ui/paint_surface.h"

namespace kit {

struct DrawnText {
  int x = 0;
  int y = 0;
  std::string text;
  TColor color = 0;  // RGB
  int escapement = 0;
  std::string face;
  int height = 0;
  unsigned style = 0;
};

class ImageSurface : public PaintSurface {
 public:
  // An image of that size filled with the background colour.
  ImageSurface(int width, int height, TColor background);

  int Width() const { return width_; }
  int Height() const { return height_; }
  // The pixel's colour as 0x00BBGGRR.
  TColor Pixel(int x, int y) const { return pixels_.at(static_cast<size_t>(y) * width_ + x); }
  const std::vector<DrawnText>& Texts() const { return texts_; }

  void FillRect(int left, int top, int right, int bottom, TColor color) override;
  // A pixel is inside when its centre is (even-odd rule).
  void FillPolygon(const std::vector<PaintPoint>& corners, TColor color) override;
  TextSize MeasureText(const TFont& font, const std::string& text) override;
  void PaintText(int x, int y, const std::string& text, const TFont& font, TColor color,
                int escapement) override;

 private:
  int width_;
  int height_;
  std::vector<TColor> pixels_;
  std::vector<DrawnText> texts_;
};

}  // namespace kit
