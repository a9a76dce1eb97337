// A group box of radio buttons, one per item, in columns; ItemIndex is the
// checked one (-1: none).
#pragma once

#include <vector>

#include "ui/control_lines.h"
#include "ui/controls/group_box.h"

namespace kit {

class TRadioButton;

class TRadioGroup : public TGroupBox {
  KIT_COMPONENT_CLASS(TRadioGroup)

 public:
  explicit TRadioGroup(TComponent* owner);
  ~TRadioGroup() override;
  static const PropertyTable& Properties();

  TControlLines& Items() { return items_; }
  const TControlLines& Items() const { return items_; }
  int ItemIndex() const { return item_index_; }
  void SetItemIndex(int index);
  int Columns() const { return columns_; }
  void SetColumns(int v);

  WidgetKind Kind() const override { return WidgetKind::kRadioGroup; }
  void SetBounds(int left, int top, int width, int height) override;

 protected:
  void FillLook(ControlLook& look) const override;

 private:
  void Rebuild();
  void Arrange();
  TControlLines items_;
  std::vector<TRadioButton*> buttons_;  // its own, not the form's
  int item_index_ = -1;
  int columns_ = 1;
  bool updating_ = false;
};

}  // namespace kit
