// A multi-line edit box holding Lines; TRichEdit is the same box for
// formatted text shown plainly.
#pragma once

#include "ui/control.h"
#include "ui/control_lines.h"

namespace kit {

enum TScrollStyle { ssNone = 0, ssHorizontal = 1, ssVertical = 2, ssBoth = 3 };
const EnumType& ScrollStyleType();

class TMemo : public TControl {
  KIT_COMPONENT_CLASS(TMemo)

 public:
  explicit TMemo(TComponent* owner);
  static const PropertyTable& Properties();

  TControlLines& Lines() { return lines_; }
  const TControlLines& Lines() const { return lines_; }
  // The lines joined by CR LF.
  const std::string& Text() const override;
  void SetText(const std::string& text) override;
  bool ReadOnly() const { return read_only_; }
  void SetReadOnly(bool v) { read_only_ = v, Changed(); }
  TScrollStyle ScrollBars() const { return scroll_bars_; }
  void SetScrollBars(TScrollStyle v) { scroll_bars_ = v, Changed(); }
  bool WordWrap() const { return word_wrap_; }
  void SetWordWrap(bool v) { word_wrap_ = v, Changed(); }
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment v) { alignment_ = v, Changed(); }

  WidgetKind Kind() const override { return WidgetKind::kMemo; }

 protected:
  void FillLook(ControlLook& look) const override;
  void PeerChanged() override;

 private:
  TControlLines lines_;
  mutable std::string joined_;
  bool read_only_ = false;
  TScrollStyle scroll_bars_ = ssNone;
  bool word_wrap_ = true;
  TAlignment alignment_ = taLeftJustify;
  bool from_peer_ = false;
};

class TRichEdit : public TMemo {
  KIT_COMPONENT_CLASS(TRichEdit)

 public:
  using TMemo::TMemo;
  static const PropertyTable& Properties();
};

}  // namespace kit
