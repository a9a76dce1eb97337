#include "ui/image_surface.h"

#include <algorithm>
#include <cmath>

#include "ui/headless_metrics.h"

namespace kit {

ImageSurface::ImageSurface(int width, int height, TColor background)
    : width_(std::max(0, width)),
      height_(std::max(0, height)),
      pixels_(static_cast<size_t>(width_) * height_, HeadlessRgb(background)) {}

void ImageSurface::FillRect(int left, int top, int right, int bottom, TColor color) {
  const TColor rgb = HeadlessRgb(color);
  left = std::max(left, 0), top = std::max(top, 0);
  right = std::min(right, width_), bottom = std::min(bottom, height_);
  for (int y = top; y < bottom; ++y)
    std::fill(pixels_.begin() + static_cast<std::ptrdiff_t>(y) * width_ + left,
              pixels_.begin() + static_cast<std::ptrdiff_t>(y) * width_ + right, rgb);
}

void ImageSurface::FillPolygon(const std::vector<PaintPoint>& corners, TColor color) {
  if (corners.size() < 3) return;
  const TColor rgb = HeadlessRgb(color);
  std::vector<double> crossings;
  for (int y = 0; y < height_; ++y) {
    const double cy = y + 0.5;
    crossings.clear();
    for (size_t i = 0; i < corners.size(); ++i) {
      const PaintPoint a = corners[i], b = corners[(i + 1) % corners.size()];
      if ((a.y <= cy) == (b.y <= cy)) continue;  // the edge does not cross this row
      crossings.push_back(a.x + (cy - a.y) * (b.x - a.x) / static_cast<double>(b.y - a.y));
    }
    std::sort(crossings.begin(), crossings.end());
    for (size_t i = 0; i + 1 < crossings.size(); i += 2) {
      const int from = std::max(0, static_cast<int>(std::ceil(crossings[i] - 0.5)));
      const int to = std::min(width_, static_cast<int>(std::ceil(crossings[i + 1] - 0.5)));
      for (int x = from; x < to; ++x) pixels_[static_cast<size_t>(y) * width_ + x] = rgb;
    }
  }
}

TextSize ImageSurface::MeasureText(const TFont& font, const std::string& text) {
  return HeadlessTextSize(font, text);
}

void ImageSurface::PaintText(int x, int y, const std::string& text, const TFont& font, TColor color,
                            int escapement) {
  texts_.push_back({x, y, text, HeadlessRgb(color), escapement, font.Name(), font.Height(), font.Style()});
}

}  // namespace kit
