// A label: text on its parent, aligned, wrapped or not. With AutoSize on
// (the default) it takes the size of its text in its font after every change
// of text, font or wrapping; a wrapped label keeps its width and a
// right-aligned one its right edge.
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
  void SetAutoSize(bool v);
  bool WordWrap() const { return word_wrap_; }
  void SetWordWrap(bool v);
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool v) { transparent_ = v, Changed(); }

  void SetText(const std::string& text) override;
  void Loaded() override;
  WidgetKind Kind() const override { return WidgetKind::kLabel; }

 protected:
  void FillLook(ControlLook& look) const override;
  void FontChanged() override { AdjustBounds(); }
  void AdjustBounds();

 private:
  TAlignment alignment_ = taLeftJustify;
  bool auto_size_ = true;
  bool word_wrap_ = false;
  bool transparent_ = false;
};

}  // namespace kit
