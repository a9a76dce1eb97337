#include "ui/controls/radio_group.h"

#include <algorithm>

#include "ui/controls/radio_button.h"

namespace kit {

const PropertyTable& TRadioGroup::Properties() {
  static const PropertyTable table = PropertyTable::Make<TRadioGroup, TGroupBox>([](auto& p) {
    p.Int("Columns", &TRadioGroup::SetColumns, &TRadioGroup::Columns, 1, 16);
    p.Strings(
        "Items", [](TRadioGroup* g, const std::vector<std::string>& v) { g->Items().SetLines(v); },
        [](TRadioGroup* g) { return g->Items().Lines(); });
    p.Int("ItemIndex", &TRadioGroup::SetItemIndex, &TRadioGroup::ItemIndex, -1, 65535);
  });
  return table;
}

TRadioGroup::TRadioGroup(TComponent* owner) : TGroupBox(owner) {
  items_.on_change = [this] { Rebuild(); };
}

TRadioGroup::~TRadioGroup() {
  for (TRadioButton* b : buttons_) delete b;
}

void TRadioGroup::Rebuild() {
  for (TRadioButton* b : buttons_) delete b;
  buttons_.clear();
  for (int i = 0; i < items_.Count(); ++i) {
    auto* b = new TRadioButton(nullptr);
    b->SetCaption(items_[i]);
    b->SetParent(this);
    b->SetOnClick([this, i](TComponent*) {
      if (updating_) return;
      item_index_ = i;
      Click();
    });
    buttons_.push_back(b);
  }
  if (item_index_ >= items_.Count()) item_index_ = -1;
  SetItemIndex(item_index_);
  Arrange();
}

void TRadioGroup::Arrange() {
  if (buttons_.empty()) return;
  const int rows = (static_cast<int>(buttons_.size()) + columns_ - 1) / columns_;
  const int col_w = (Width() - 16) / columns_;
  const int row_h = std::max(17, (Height() - 20) / std::max(1, rows));
  for (size_t i = 0; i < buttons_.size(); ++i) {
    const int col = static_cast<int>(i) / rows, row = static_cast<int>(i) % rows;
    buttons_[i]->SetBounds(8 + col * col_w, 16 + row * row_h, col_w, 17);
  }
}

void TRadioGroup::SetItemIndex(int index) {
  if (index < -1 || index >= items_.Count()) index = IsLoading() ? index : -1;
  item_index_ = index;
  updating_ = true;
  for (size_t i = 0; i < buttons_.size(); ++i) buttons_[i]->SetChecked(static_cast<int>(i) == index);
  updating_ = false;
}

void TRadioGroup::SetColumns(int v) {
  columns_ = std::max(1, v);
  Arrange();
}

void TRadioGroup::SetBounds(int left, int top, int width, int height) {
  TGroupBox::SetBounds(left, top, width, height);
  Arrange();
}

void TRadioGroup::FillLook(ControlLook& look) const {
  TGroupBox::FillLook(look);
  look.items = items_.Lines();
  look.item_index = item_index_;
  look.columns = columns_;
}

}  // namespace kit
