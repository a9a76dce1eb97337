// A push button with a bitmap beside its caption. Its Kind gives the usual
// buttons (OK, Cancel, ...) their modal result.
#pragma once

#include "ui/controls/button.h"
#include "ui/picture.h"

namespace kit {

enum TBitBtnKind {
  bkCustom = 0, bkOK, bkCancel, bkHelp, bkYes, bkNo, bkClose, bkAbort, bkRetry, bkIgnore, bkAll
};
const EnumType& BitBtnKindType();

class TBitBtn : public TButton {
  KIT_COMPONENT_CLASS(TBitBtn)

 public:
  explicit TBitBtn(TComponent* owner);
  static const PropertyTable& Properties();

  TBitBtnKind BitKind() const { return kind_; }
  void SetBitKind(TBitBtnKind kind);
  TPicture& Glyph() { return glyph_; }
  const TPicture& Glyph() const { return glyph_; }

  WidgetKind Kind() const override { return WidgetKind::kBitBtn; }

 protected:
  void FillLook(ControlLook& look) const override;

 private:
  TBitBtnKind kind_ = bkCustom;
  TPicture glyph_;
};

}  // namespace kit
