#include "ui/gdi_surface.h"

#include "ui/win32_control_peer.h"

namespace kit {

HFONT CreateGdiFont(const TFont& font, int escapement, bool turned) {
  LOGFONTA lf{};
  lf.lfHeight = font.Height();
  lf.lfWeight = (font.Style() & fs::kBold) ? FW_BOLD : FW_NORMAL;
  lf.lfItalic = (font.Style() & fs::kItalic) ? TRUE : FALSE;
  lf.lfUnderline = (font.Style() & fs::kUnderline) ? TRUE : FALSE;
  lf.lfStrikeOut = (font.Style() & fs::kStrikeOut) ? TRUE : FALSE;
  lf.lfCharSet = static_cast<BYTE>(font.Charset());
  lf.lfQuality = DEFAULT_QUALITY;
  if (turned) {
    lf.lfEscapement = escapement;
    lf.lfOrientation = escapement;
    lf.lfOutPrecision = OUT_TT_ONLY_PRECIS;
  }
  lstrcpynA(lf.lfFaceName, font.Name().c_str(), LF_FACESIZE);
  return CreateFontIndirectA(&lf);
}

GdiSurface::GdiSurface(HDC dc) : dc_(dc), saved_(SaveDC(dc)) {}

GdiSurface::~GdiSurface() { RestoreDC(dc_, saved_); }

void GdiSurface::FillRect(int left, int top, int right, int bottom, TColor color) {
  if (right <= left || bottom <= top) return;
  HBRUSH brush = CreateSolidBrush(Win32Color(color));
  RECT r{left, top, right, bottom};
  ::FillRect(dc_, &r, brush);
  DeleteObject(brush);
}

void GdiSurface::FillPolygon(const std::vector<PaintPoint>& corners, TColor color) {
  if (corners.size() < 3) return;
  std::vector<POINT> points;
  for (const PaintPoint& p : corners) points.push_back({p.x, p.y});
  HBRUSH brush = CreateSolidBrush(Win32Color(color));
  HPEN pen = CreatePen(PS_SOLID, 1, Win32Color(color));
  HGDIOBJ old_brush = SelectObject(dc_, brush);
  HGDIOBJ old_pen = SelectObject(dc_, pen);
  SetROP2(dc_, R2_COPYPEN);
  Polygon(dc_, points.data(), static_cast<int>(points.size()));
  SelectObject(dc_, old_pen);
  SelectObject(dc_, old_brush);
  DeleteObject(pen);
  DeleteObject(brush);
}

TextSize GdiSurface::MeasureText(const TFont& font, const std::string& text) {
  HFONT f = CreateGdiFont(font);
  HGDIOBJ old = SelectObject(dc_, f);
  SIZE size{};
  GetTextExtentPoint32A(dc_, text.c_str(), static_cast<int>(text.size()), &size);
  SelectObject(dc_, old);
  DeleteObject(f);
  return {static_cast<int>(size.cx), static_cast<int>(size.cy)};
}

void GdiSurface::PaintText(int x, int y, const std::string& text, const TFont& font, TColor color,
                          int escapement) {
  HFONT f = CreateGdiFont(font, escapement, true);
  HGDIOBJ old = SelectObject(dc_, f);
  SetBkMode(dc_, TRANSPARENT);
  SetTextColor(dc_, Win32Color(color));
  SetTextAlign(dc_, TA_LEFT | TA_TOP | TA_NOUPDATECP);
  TextOutA(dc_, x, y, text.c_str(), static_cast<int>(text.size()));
  SelectObject(dc_, old);
  DeleteObject(f);
}

}  // namespace kit
