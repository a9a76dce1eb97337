#include "ui/controls/progress_bar.h"

#include <algorithm>

namespace kit {

const PropertyTable& TProgressBar::Properties() {
  static const PropertyTable table = PropertyTable::Make<TProgressBar, TControl>([](auto& p) {
    p.Int("Min", &TProgressBar::SetMin, &TProgressBar::Min);
    p.Int("Max", &TProgressBar::SetMax, &TProgressBar::Max);
    p.Int("Position", &TProgressBar::SetPosition, &TProgressBar::Position);
    p.Int("Step", &TProgressBar::SetStep, &TProgressBar::Step);
  });
  return table;
}

TProgressBar::TProgressBar(TComponent* owner) : TControl(owner) { SetBounds(0, 0, 150, 16); }

// While loading the range may come after the position: nothing is clamped
// until the form is read.
void TProgressBar::SetMin(int v) {
  min_ = v;
  if (!IsLoading()) position_ = std::clamp(position_, min_, std::max(min_, max_));
  Changed();
}

void TProgressBar::SetMax(int v) {
  max_ = v;
  if (!IsLoading()) position_ = std::clamp(position_, std::min(min_, max_), max_);
  Changed();
}

void TProgressBar::SetPosition(int v) {
  position_ = IsLoading() ? v : std::clamp(v, min_, std::max(min_, max_));
  Changed();
}

void TProgressBar::FillLook(ControlLook& look) const {
  TControl::FillLook(look);
  look.min = min_;
  look.max = max_;
  look.position = std::clamp(position_, min_, std::max(min_, max_));
}

}  // namespace kit
