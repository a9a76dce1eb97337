// The paint surface of a window on win32: a device context during WM_PAINT,
// with solid brushes and pens and fonts made by CreateFontIndirectA.
#pragma once

#include <windows.h>

#include "ui/paint_surface.h"

namespace kit {

// A GDI font of the kit font. With turned set, a copy for turned text:
// escapement and orientation in tenths of a degree, TrueType faces only
// (only they turn).
HFONT CreateGdiFont(const TFont& font, int escapement = 0, bool turned = false);

class GdiSurface : public PaintSurface {
 public:
  // Draws on dc, which the caller owns; the context's state is restored
  // when the surface goes.
  explicit GdiSurface(HDC dc);
  ~GdiSurface() override;
  GdiSurface(const GdiSurface&) = delete;
  GdiSurface& operator=(const GdiSurface&) = delete;

  void FillRect(int left, int top, int right, int bottom, TColor color) override;
  void FillPolygon(const std::vector<PaintPoint>& corners, TColor color) override;
  TextSize MeasureText(const TFont& font, const std::string& text) override;
  void PaintText(int x, int y, const std::string& text, const TFont& font, TColor color,
                int escapement) override;

 private:
  HDC dc_;
  int saved_;
};

}  // namespace kit
