#include "ui/controls/group_box.h"

namespace kit {

const PropertyTable& TGroupBox::Properties() {
  static const PropertyTable table = PropertyTable::Make<TGroupBox, TControl>([](auto& p) {
    p.Str("Caption", &TGroupBox::SetCaption, &TGroupBox::Caption);
  });
  return table;
}

TGroupBox::TGroupBox(TComponent* owner) : TControl(owner) { SetBounds(0, 0, 185, 105); }

void TGroupBox::ClientInsets(int* left, int* top, int* right, int* bottom) const {
  *left = *right = *bottom = 2;
  *top = 15;
}

}  // namespace kit
