#include "ui/controls/label.h"

namespace kit {

const PropertyTable& TLabel::Properties() {
  static const PropertyTable table = PropertyTable::Make<TLabel, TControl>([](auto& p) {
    p.Str("Caption", &TLabel::SetCaption, &TLabel::Caption);
    p.Enum("Alignment", &TLabel::SetAlignment, &TLabel::Alignment, AlignmentType());
    p.Bool("AutoSize", &TLabel::SetAutoSize, &TLabel::AutoSize);
    p.Bool("Transparent", &TLabel::SetTransparent, &TLabel::Transparent);
    p.Bool("WordWrap", &TLabel::SetWordWrap, &TLabel::WordWrap);
  });
  return table;
}

TLabel::TLabel(TComponent* owner) : TControl(owner) { SetBounds(0, 0, 65, 13); }

void TLabel::FillLook(ControlLook& look) const {
  TControl::FillLook(look);
  look.alignment = alignment_;
  look.word_wrap = word_wrap_;
  look.transparent = transparent_;
}

}  // namespace kit
