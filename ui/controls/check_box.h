// A check box: unchecked, checked or (when allowed) greyed. A press by the
// user moves it to the next state; every change of state raises OnClick.
#pragma once

#include "ui/control.h"

namespace kit {

enum TCheckBoxState { cbUnchecked = 0, cbChecked = 1, cbGrayed = 2 };
const EnumType& CheckBoxStateType();

class TCheckBox : public TControl {
  KIT_COMPONENT_CLASS(TCheckBox)

 public:
  explicit TCheckBox(TComponent* owner);
  static const PropertyTable& Properties();

  bool Checked() const { return state_ == cbChecked; }
  void SetChecked(bool v) { SetState(v ? cbChecked : cbUnchecked); }
  TCheckBoxState State() const { return state_; }
  void SetState(TCheckBoxState state);
  bool AllowGrayed() const { return allow_grayed_; }
  void SetAllowGrayed(bool v) { allow_grayed_ = v; }
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment v) { alignment_ = v, Changed(); }

  // The user's press: the next state.
  void Toggle();
  WidgetKind Kind() const override { return WidgetKind::kCheckBox; }
  void HandlePeerEvent(PeerEvent event) override;

 protected:
  void FillLook(ControlLook& look) const override;

 private:
  TCheckBoxState state_ = cbUnchecked;
  bool allow_grayed_ = false;
  TAlignment alignment_ = taRightJustify;
};

}  // namespace kit
