#include "ui/controls/label.h"

#include "ui/application.h"

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

void TLabel::SetAutoSize(bool v) {
  auto_size_ = v;
  AdjustBounds();
  Changed();
}

void TLabel::SetWordWrap(bool v) {
  word_wrap_ = v;
  AdjustBounds();
  Changed();
}

void TLabel::SetText(const std::string& text) {
  TControl::SetText(text);
  AdjustBounds();
}

void TLabel::Loaded() {
  TControl::Loaded();
  AdjustBounds();
}

void TLabel::AdjustBounds() {
  if (!auto_size_ || IsLoading()) return;
  const TextSize size = Application().Backend().MeasureText(Font(), Caption(), word_wrap_ ? Width() : 0);
  const int width = word_wrap_ ? Width() : size.width;
  const int left = !word_wrap_ && alignment_ == taRightJustify ? Left() + Width() - width : Left();
  SetBounds(left, Top(), width, size.height);
}

void TLabel::FillLook(ControlLook& look) const {
  TControl::FillLook(look);
  look.alignment = alignment_;
  look.word_wrap = word_wrap_;
  look.transparent = transparent_;
}

}  // namespace kit
