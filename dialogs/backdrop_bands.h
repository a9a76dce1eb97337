// The colour bands of the backdrop's gradient, computed apart from any
// window so that they can be painted into a canvas or an in-memory image.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace kit {

enum TDirection { bdUp, bdDown, bdLeft, bdRight, bdHorzIn, bdHorzOut, bdVertIn, bdVertOut };
enum TBackClrs { bcRed, bcLime, bcYellow, bcBlue, bcFuchsia, bcAqua, bcWhite, bcBlack };

struct Rgb {
  uint8_t r = 0, g = 0, b = 0;
  bool operator==(const Rgb&) const = default;
};

Rgb BackColor(TBackClrs colour);

// Windows' MulDiv: a * b / c rounded half away from zero (-1 for c = 0).
int MulDiv(int a, int b, int c);

struct BackdropBand {
  int from = 0;  // first row (horizontal bands) or column (vertical bands)
  int to = 0;    // one past the last; equal to `from` for an empty band
  Rgb color;
};

struct BackdropBands {
  bool horizontal = true;  // bands span the full width
  std::vector<BackdropBand> bands;
};

// The bands for a control of the given size, in painting order.
BackdropBands ComputeBackdropBands(TDirection direction, TBackClrs start, TBackClrs end,
                                   int width, int height);

// An RGB image in memory, row by row.
struct RgbImage {
  int width = 0;
  int height = 0;
  std::vector<Rgb> pixels;
  Rgb At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

RgbImage PaintBackdrop(TDirection direction, TBackClrs start, TBackClrs end, int width,
                       int height);

}  // namespace kit
