#include "ui/controls/memo.h"

namespace kit {

const EnumType& ScrollStyleType() {
  static const EnumType type("TScrollStyle", {"ssNone", "ssHorizontal", "ssVertical", "ssBoth"});
  return type;
}

const PropertyTable& TMemo::Properties() {
  static const PropertyTable table = PropertyTable::Make<TMemo, TControl>([](auto& p) {
    p.Enum("Alignment", &TMemo::SetAlignment, &TMemo::Alignment, AlignmentType());
    p.Strings(
        "Lines", [](TMemo* m, const std::vector<std::string>& v) { m->Lines().SetLines(v); },
        [](TMemo* m) { return m->Lines().Lines(); });
    p.Bool("ReadOnly", &TMemo::SetReadOnly, &TMemo::ReadOnly);
    p.Enum("ScrollBars", &TMemo::SetScrollBars, &TMemo::ScrollBars, ScrollStyleType());
    p.Bool("WordWrap", &TMemo::SetWordWrap, &TMemo::WordWrap);
  });
  return table;
}

const PropertyTable& TRichEdit::Properties() {
  static const PropertyTable table = PropertyTable::Make<TRichEdit, TMemo>([](auto&) {});
  return table;
}

TMemo::TMemo(TComponent* owner) : TControl(owner) {
  SetBounds(0, 0, 185, 89);
  SetTabStop(true);
  SetColor(cl::kWindow);
  SetParentColor(false);
  lines_.on_change = [this] {
    if (!from_peer_) Changed();
  };
}

const std::string& TMemo::Text() const {
  joined_.clear();
  for (int i = 0; i < lines_.Count(); ++i) {
    if (i > 0) joined_ += "\r\n";
    joined_ += lines_[i];
  }
  return joined_;
}

void TMemo::SetText(const std::string& text) { lines_.SetText(text); }

void TMemo::PeerChanged() {
  if (PeerIfMade() == nullptr) return;
  from_peer_ = true;
  lines_.SetText(PeerIfMade()->CurrentText());
  from_peer_ = false;
}

void TMemo::FillLook(ControlLook& look) const {
  TControl::FillLook(look);
  look.text = Text();
  look.read_only = read_only_;
  look.scroll_bars = scroll_bars_;
  look.word_wrap = word_wrap_;
  look.alignment = alignment_;
}

}  // namespace kit
