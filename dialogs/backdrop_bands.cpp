#include "dialogs/backdrop_bands.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

namespace kit {

Rgb BackColor(TBackClrs colour) {
  switch (colour) {
    case bcRed: return {255, 0, 0};
    case bcLime: return {0, 255, 0};
    case bcYellow: return {255, 255, 0};
    case bcBlue: return {0, 0, 255};
    case bcFuchsia: return {255, 0, 255};
    case bcAqua: return {0, 255, 255};
    case bcWhite: return {255, 255, 255};
    case bcBlack: return {0, 0, 0};
  }
  return {};
}

int MulDiv(int a, int b, int c) {
  if (c == 0) return -1;
  const int64_t product = static_cast<int64_t>(a) * b;
  const bool negative = (product < 0) != (c < 0);
  const int64_t p = std::llabs(product), d = std::llabs(static_cast<int64_t>(c));
  const int64_t q = (p + d / 2) / d;
  return static_cast<int>(negative ? -q : q);
}

namespace {

uint8_t Channel(uint8_t a, uint8_t b, int n, int steps) {
  return static_cast<uint8_t>(a + MulDiv(b - a, n, steps));
}

Rgb Blend(Rgb a, Rgb b, int n, int steps) {
  return {Channel(a.r, b.r, n, steps), Channel(a.g, b.g, n, steps), Channel(a.b, b.b, n, steps)};
}

}  // namespace

BackdropBands ComputeBackdropBands(TDirection direction, TBackClrs start, TBackClrs end,
                                   int width, int height) {
  Rgb a = BackColor(start), b = BackColor(end);
  bool horizontal = true, mirrored = false, swapped = false;
  switch (direction) {
    case bdUp: break;
    case bdDown: swapped = true; break;
    case bdLeft: horizontal = false; break;
    case bdRight: horizontal = false; swapped = true; break;
    case bdHorzIn: mirrored = true; swapped = true; break;
    case bdHorzOut: mirrored = true; break;
    case bdVertIn: horizontal = false; mirrored = true; break;
    case bdVertOut: horizontal = false; mirrored = true; swapped = true; break;
  }
  if (swapped) std::swap(a, b);
  const int extent = std::max(0, horizontal ? height : width);
  BackdropBands result;
  result.horizontal = horizontal;
  if (!mirrored) {
    for (int n = 0; n <= 255; ++n) {
      result.bands.push_back(
          {MulDiv(n, extent, 256), MulDiv(n + 1, extent, 256), Blend(a, b, n, 255)});
    }
  } else {
    for (int n = 0; n <= 127; ++n) {
      const Rgb colour = Blend(a, b, n, 127);
      result.bands.push_back({MulDiv(n, extent, 256), MulDiv(n + 1, extent, 256), colour});
      result.bands.push_back(
          {MulDiv(255 - n, extent, 256), MulDiv(256 - n, extent, 256), colour});
    }
  }
  return result;
}

RgbImage PaintBackdrop(TDirection direction, TBackClrs start, TBackClrs end, int width,
                       int height) {
  RgbImage image;
  image.width = std::max(0, width);
  image.height = std::max(0, height);
  image.pixels.resize(static_cast<size_t>(image.width) * image.height);
  const BackdropBands bands = ComputeBackdropBands(direction, start, end, width, height);
  for (const BackdropBand& band : bands.bands) {
    for (int i = band.from; i < band.to; ++i) {
      if (bands.horizontal) {
        std::fill_n(image.pixels.begin() + static_cast<std::ptrdiff_t>(i) * image.width,
                    image.width, band.color);
      } else {
        for (int y = 0; y < image.height; ++y) {
          image.pixels[static_cast<size_t>(y) * image.width + i] = band.color;
        }
      }
    }
  }
  return image;
}

}  // namespace kit
