#include "ui/graphic_control.h"

#include "ui/application.h"
#include "ui/control_parent.h"

namespace kit {

void TGraphicControl::PaintPeer(PaintSurface& surface) {
  // Called from the window system: nothing may unwind through it.
  try {
    Paint(surface);
  } catch (...) {
    Application().HandleException(this);
  }
}

void TGraphicControl::FillLook(ControlLook& look) const {
  TControl::FillLook(look);
  look.transparent = PaintsTransparent();
  // What shows beneath a transparent control where nothing else lies.
  if (look.transparent && Parent() != nullptr) look.color = Parent()->ContainerColor();
}

}  // namespace kit
