// A progress bar from Min to Max; Position stays within them.
#pragma once

#include "ui/control.h"

namespace kit {

class TProgressBar : public TControl {
  KIT_COMPONENT_CLASS(TProgressBar)

 public:
  explicit TProgressBar(TComponent* owner);
  static const PropertyTable& Properties();

  int Min() const { return min_; }
  void SetMin(int v);
  int Max() const { return max_; }
  void SetMax(int v);
  int Position() const { return position_; }
  void SetPosition(int v);
  int Step() const { return step_; }
  void SetStep(int v) { step_ = v; }
  void StepIt() { SetPosition(position_ + step_); }
  void StepBy(int delta) { SetPosition(position_ + delta); }

  WidgetKind Kind() const override { return WidgetKind::kProgressBar; }

 protected:
  void FillLook(ControlLook& look) const override;

 private:
  int min_ = 0, max_ = 100, position_ = 0, step_ = 10;
};

}  // namespace kit
