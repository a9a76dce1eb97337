// A label: text on its parent, aligned, wrapped or not.
#pragma once

#include "ui/control.h"

namespace kit {

class TLabel : public TControl {
  KIT_COMPONENT_CLASS(TLabel)

 public:
  explicit TLabel(TComponent* owner);
  static const PropertyTable& Properties();

  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment v) { alignment_ = v, Changed(); }
  bool AutoSize() const { return auto_size_; }
  void SetAutoSize(bool v) { auto_size_ = v, Changed(); }
  bool WordWrap() const { return word_wrap_; }
  void SetWordWrap(bool v) { word_wrap_ = v, Changed(); }
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool v) { transparent_ = v, Changed(); }

  WidgetKind Kind() const override { return WidgetKind::kLabel; }

 protected:
  void FillLook(ControlLook& look) const override;

 private:
  TAlignment alignment_ = taLeftJustify;
  bool auto_size_ = true;
  bool word_wrap_ = false;
  bool transparent_ = false;
};

}  // namespace kit
