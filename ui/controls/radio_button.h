// A radio button: checking it unchecks the other radio buttons of its parent.
#pragma once

#include "ui/control.h"

namespace kit {

class TRadioButton : public TControl {
  KIT_COMPONENT_CLASS(TRadioButton)

 public:
  explicit TRadioButton(TComponent* owner);
  static const PropertyTable& Properties();

  bool Checked() const { return checked_; }
  void SetChecked(bool checked);

  WidgetKind Kind() const override { return WidgetKind::kRadioButton; }
  void HandlePeerEvent(PeerEvent event) override;

 protected:
  void FillLook(ControlLook& look) const override;

 private:
  bool checked_ = false;
};

}  // namespace kit
