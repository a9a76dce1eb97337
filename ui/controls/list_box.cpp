#include "ui/controls/list_box.h"

namespace kit {

const PropertyTable& TListBox::Properties() {
  static const PropertyTable table = PropertyTable::Make<TListBox, TControl>([](auto& p) {
    p.Strings(
        "Items", [](TListBox* l, const std::vector<std::string>& v) { l->Items().SetLines(v); },
        [](TListBox* l) { return l->Items().Lines(); });
    p.Bool("Sorted", &TListBox::SetSorted, &TListBox::Sorted);
  });
  return table;
}

TListBox::TListBox(TComponent* owner) : TControl(owner) {
  SetBounds(0, 0, 121, 97);
  SetTabStop(true);
  SetColor(cl::kWindow);
  SetParentColor(false);
  items_.on_change = [this] {
    if (item_index_ >= items_.Count()) item_index_ = -1;
    Changed();
  };
}

void TListBox::SetItemIndex(int index) {
  item_index_ = index >= 0 && index < items_.Count() ? index : -1;
  Changed();
}

void TListBox::SetSorted(bool on) {
  if (on == items_.Sorted()) return;
  items_.SetSorted(on);
  Changed();
}

void TListBox::PeerChanged() {
  if (PeerIfMade() == nullptr) return;
  const int chosen = PeerIfMade()->CurrentIndex();
  item_index_ = chosen >= 0 && chosen < items_.Count() ? chosen : -1;
  Click();
}

void TListBox::FillLook(ControlLook& look) const {
  TControl::FillLook(look);
  look.items = items_.Lines();
  look.item_index = item_index_;
}

}  // namespace kit
