// Where a graphic control paints: solid fills, a filled polygon and text
// that may be turned by an angle. On win32 it is the window's device
// context during WM_PAINT; natively an image in memory (see ImageSurface).
// Coordinates are relative to the control's top left corner.
#pragma once

#include <string>
#include <vector>

#include "ui/font.h"

namespace kit {

struct PaintPoint {
  int x = 0;
  int y = 0;
  bool operator==(const PaintPoint&) const = default;
};

struct TextSize {
  int width = 0;
  int height = 0;
  bool operator==(const TextSize&) const = default;
};

class PaintSurface {
 public:
  virtual ~PaintSurface() = default;
  // Fills the rectangle [left, right) x [top, bottom) with a solid colour.
  virtual void FillRect(int left, int top, int right, int bottom, TColor color) = 0;
  // Fills the polygon through the corners, in order, with a solid colour.
  virtual void FillPolygon(const std::vector<PaintPoint>& corners, TColor color) = 0;
  // The size of the text in the font, unturned.
  virtual TextSize MeasureText(const TFont& font, const std::string& text) = 0;
  // Draws the text on a transparent background, starting at (x, y) and
  // turned counter-clockwise by `escapement` tenths of a degree (TrueType
  // faces only on win32). The font's own colour is not used: `color` is.
  virtual void PaintText(int x, int y, const std::string& text, const TFont& font, TColor color,
                        int escapement) = 0;
};

}  // namespace kit
