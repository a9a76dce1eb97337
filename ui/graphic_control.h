// A control that paints itself and takes no input (a backdrop, a turned
// label). Its peer calls Paint whenever the control must be drawn: on win32
// in the window's WM_PAINT, headless into an image after every change.
#pragma once

#include "ui/control.h"
#include "ui/paint_surface.h"

namespace kit {

class TGraphicControl : public TControl {
  KIT_COMPONENT_CLASS(TGraphicControl)

 public:
  explicit TGraphicControl(TComponent* owner) : TControl(owner) {}

  WidgetKind Kind() const override { return WidgetKind::kGraphic; }
  // Draws the control on the surface, whose origin is its top left corner.
  virtual void Paint(PaintSurface& surface) = 0;
  void PaintPeer(PaintSurface& surface) override;

 protected:
  // Whether what lies beneath shows where the control does not paint.
  virtual bool PaintsTransparent() const { return false; }
  void FillLook(ControlLook& look) const override;
};

}  // namespace kit
