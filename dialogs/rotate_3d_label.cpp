#include "dialogs/rotate_3d_label.h"

#include "dialogs/rotated_text_geometry.h"

namespace kit {

const PropertyTable& TRotate3DLabel::Properties() {
  static const PropertyTable table = PropertyTable::Make<TRotate3DLabel, TControl>([](auto& p) {
    p.Str("Caption", &TRotate3DLabel::SetCaption, &TRotate3DLabel::Caption);
    p.Object("LabelStyle", [](TRotate3DLabel* l) { return &l->LabelStyle(); });
    p.Bool("MyTransparent", &TRotate3DLabel::SetMyTransparent, &TRotate3DLabel::MyTransparent);
    p.Bool("Transparent", &TRotate3DLabel::SetTransparent, &TRotate3DLabel::Transparent);
  });
  return table;
}

TRotate3DLabel::TRotate3DLabel(TComponent* owner) : TGraphicControl(owner) {
  SetBounds(0, 0, 65, 17);
  Font().SetName("Arial");
  Font().SetStyle(fs::kBold);
  style_.OnChange = [this] {
    if (!painting_) Invalidate();
  };
}

void TRotate3DLabel::SetMyTransparent(bool on) {
  my_transparent_ = on;
  Invalidate();
}

void TRotate3DLabel::SetTransparent(bool on) {
  transparent_ = on;
  Invalidate();
}

void TRotate3DLabel::Paint(PaintSurface& surface) {
  painting_ = true;
  if (!my_transparent_) style_.SetAStyle3D(A3dNormal);
  painting_ = false;
  const std::string& caption = Caption();
  const TextSize size = surface.MeasureText(Font(), caption);
  const RotatedTextGeometry g = ComputeRotatedText(style_, size.width, size.height, Width(), Height());
  cos_ = g.cos;
  sin_ = g.sin;
  if (!transparent_) surface.FillRect(0, 0, Width(), Height(), Color());
  if (!my_transparent_) {
    std::vector<PaintPoint> corners;
    for (const IntPoint& p : g.box) corners.push_back({p.x, p.y});
    surface.FillPolygon(corners, Color());
  }
  if (g.light)
    surface.PaintText(g.start.x + g.light->x, g.start.y + g.light->y, caption, Font(), style_.AShadeLeftTop(),
                      g.escapement);
  if (g.dark)
    surface.PaintText(g.start.x + g.dark->x, g.start.y + g.dark->y, caption, Font(), style_.AShadeRightBottom(),
                      g.escapement);
  surface.PaintText(g.start.x, g.start.y, caption, Font(), Font().Color(), g.escapement);
}

}  // namespace kit
