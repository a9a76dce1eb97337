// A panel: a container with a raised or lowered bevel and a caption.
#pragma once

#include "ui/control.h"
#include "ui/control_parent.h"

namespace kit {

enum TBevelCut { bvNone = 0, bvLowered = 1, bvRaised = 2, bvSpace = 3 };
const EnumType& BevelCutType();

class TPanel : public TControl, public TControlParent {
  KIT_COMPONENT_CLASS(TPanel)

 public:
  explicit TPanel(TComponent* owner);
  static const PropertyTable& Properties();

  TBevelCut BevelInner() const { return bevel_inner_; }
  void SetBevelInner(TBevelCut v) { bevel_inner_ = v, Changed(); }
  TBevelCut BevelOuter() const { return bevel_outer_; }
  void SetBevelOuter(TBevelCut v) { bevel_outer_ = v, Changed(); }
  int BevelWidth() const { return bevel_width_; }
  void SetBevelWidth(int v) { bevel_width_ = v, Changed(); }
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment v) { alignment_ = v, Changed(); }

  WidgetKind Kind() const override { return WidgetKind::kPanel; }
  WindowPeer* ContainerPeer() override { return PeerIfMade(); }
  int ClientWidth() const override { return Width(); }
  int ClientHeight() const override { return Height(); }
  const TFont& ContainerFont() const override { return Font(); }
  TColor ContainerColor() const override { return Color(); }
  TComponent* ContainerComponent() override { return this; }

 protected:
  void FillLook(ControlLook& look) const override;
  void ClientInsets(int* left, int* top, int* right, int* bottom) const override;

 private:
  TBevelCut bevel_inner_ = bvNone;
  TBevelCut bevel_outer_ = bvRaised;
  int bevel_width_ = 1;
  TAlignment alignment_ = taCenter;
};

}  // namespace kit
