// A flat tool button; with a GroupIndex it stays down, one of its group
// at a time.
#pragma once

#include "ui/control.h"
#include "ui/picture.h"

namespace kit {

class TSpeedButton : public TControl {
  KIT_COMPONENT_CLASS(TSpeedButton)

 public:
  explicit TSpeedButton(TComponent* owner);
  static const PropertyTable& Properties();

  TPicture& Glyph() { return glyph_; }
  const TPicture& Glyph() const { return glyph_; }
  int GroupIndex() const { return group_index_; }
  void SetGroupIndex(int v) { group_index_ = v; }
  bool Down() const { return down_; }
  void SetDown(bool down);
  bool AllowAllUp() const { return allow_all_up_; }
  void SetAllowAllUp(bool v) { allow_all_up_ = v; }
  bool Flat() const { return flat_; }
  void SetFlat(bool v) { flat_ = v, Changed(); }

  void Click() override;
  WidgetKind Kind() const override { return WidgetKind::kSpeedButton; }

 protected:
  void FillLook(ControlLook& look) const override;

 private:
  TPicture glyph_;
  int group_index_ = 0;
  bool down_ = false;
  bool allow_all_up_ = false;
  bool flat_ = false;
};

}  // namespace kit
