#include "ui/controls/bit_btn.h"

#include "ui/form.h"

namespace kit {

const EnumType& BitBtnKindType() {
  static const EnumType type("TBitBtnKind", {"bkCustom", "bkOK", "bkCancel", "bkHelp", "bkYes", "bkNo",
                                             "bkClose", "bkAbort", "bkRetry", "bkIgnore", "bkAll"});
  return type;
}

const PropertyTable& TBitBtn::Properties() {
  static const PropertyTable table = PropertyTable::Make<TBitBtn, TButton>([](auto& p) {
    p.Object("Glyph", [](TBitBtn* b) { return &b->Glyph(); });
    p.Enum("Kind", &TBitBtn::SetBitKind, &TBitBtn::BitKind, BitBtnKindType());
  });
  return table;
}

TBitBtn::TBitBtn(TComponent* owner) : TButton(owner) {
  glyph_.on_change = [this] { Changed(); };
}

void TBitBtn::SetBitKind(TBitBtnKind kind) {
  kind_ = kind;
  // A stored form gives the modal result and flags itself.
  if (IsLoading()) return;
  switch (kind) {
    case bkOK: SetModalResult(mr::kOk), SetDefault(true); break;
    case bkCancel: SetModalResult(mr::kCancel), SetCancel(true); break;
    case bkYes: SetModalResult(mr::kYes), SetDefault(true); break;
    case bkNo: SetModalResult(mr::kNo), SetCancel(true); break;
    case bkAbort: SetModalResult(mr::kAbort); break;
    case bkRetry: SetModalResult(mr::kRetry); break;
    case bkIgnore: SetModalResult(mr::kIgnore); break;
    default: break;
  }
}

void TBitBtn::FillLook(ControlLook& look) const {
  TButton::FillLook(look);
  look.picture = glyph_.Empty() ? nullptr : &glyph_;
}

}  // namespace kit
