#include "ui/controls/edit.h"

#include "ui/handler_table.h"

namespace kit {

const PropertyTable& TEdit::Properties() {
  static const PropertyTable table = PropertyTable::Make<TEdit, TControl>([](auto& p) {
    p.Str("Text", &TEdit::SetText, &TEdit::Text);
    p.Int("MaxLength", &TEdit::SetMaxLength, &TEdit::MaxLength, 0, 65535);
    p.Bool("ReadOnly", &TEdit::SetReadOnly, &TEdit::ReadOnly);
    p.Event("OnChange", &TEdit::SetOnChangeName, &TEdit::OnChangeName);
  });
  return table;
}

TEdit::TEdit(TComponent* owner) : TControl(owner) {
  SetBounds(0, 0, 121, 21);
  SetTabStop(true);
  SetColor(cl::kWindow);
  SetParentColor(false);
}

void TEdit::SetText(const std::string& text) {
  const std::string cut = max_length_ > 0 && text.size() > size_t(max_length_) ? text.substr(0, max_length_) : text;
  if (cut == Text()) return;
  TControl::SetText(cut);
  if (!IsLoading()) RaiseChange();
}

void TEdit::SetOnChangeName(const std::string& name) {
  BindHandler(*this, "OnChange", name, &on_change_, &on_change_name_);
}

void TEdit::RaiseChange() {
  TNotifyEvent handler = on_change_;
  if (handler) handler(this);
}

void TEdit::PeerChanged() {
  const std::string typed = PeerIfMade() != nullptr ? PeerIfMade()->CurrentText() : Text();
  if (typed == Text()) return;
  SetTextFromPeer(typed);
  RaiseChange();
}

void TEdit::FillLook(ControlLook& look) const {
  TControl::FillLook(look);
  look.read_only = read_only_;
}

}  // namespace kit
