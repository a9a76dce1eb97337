// A list box: a column of items, one of which the user may choose
// (ItemIndex, -1 for none). A choice by the user raises OnClick.
#pragma once

#include "ui/control.h"
#include "ui/control_lines.h"

namespace kit {

class TListBox : public TControl {
  KIT_COMPONENT_CLASS(TListBox)

 public:
  explicit TListBox(TComponent* owner);
  static const PropertyTable& Properties();

  TControlLines& Items() { return items_; }
  const TControlLines& Items() const { return items_; }
  int ItemIndex() const { return item_index_; }
  // An index outside the items chooses none.
  void SetItemIndex(int index);
  bool Sorted() const { return items_.Sorted(); }
  void SetSorted(bool on);

  WidgetKind Kind() const override { return WidgetKind::kListBox; }

 protected:
  void FillLook(ControlLook& look) const override;
  void PeerChanged() override;

 private:
  TControlLines items_;
  int item_index_ = -1;
};

}  // namespace kit
