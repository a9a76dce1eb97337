// A group box: a framed container with a caption on its top edge.
#pragma once

#include "ui/control.h"
#include "ui/control_parent.h"

namespace kit {

class TGroupBox : public TControl, public TControlParent {
  KIT_COMPONENT_CLASS(TGroupBox)

 public:
  explicit TGroupBox(TComponent* owner);
  static const PropertyTable& Properties();

  WidgetKind Kind() const override { return WidgetKind::kGroupBox; }
  WindowPeer* ContainerPeer() override { return PeerIfMade(); }
  int ClientWidth() const override { return Width(); }
  int ClientHeight() const override { return Height(); }
  const TFont& ContainerFont() const override { return Font(); }
  TColor ContainerColor() const override { return Color(); }
  TComponent* ContainerComponent() override { return this; }

 protected:
  void ClientInsets(int* left, int* top, int* right, int* bottom) const override;
};

}  // namespace kit
