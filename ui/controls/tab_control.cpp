#include "ui/controls/tab_control.h"

#include "ui/handler_table.h"

namespace kit {

const PropertyTable& TTabControl::Properties() {
  static const PropertyTable table = PropertyTable::Make<TTabControl, TControl>([](auto& p) {
    p.Strings(
        "Tabs", [](TTabControl* t, const std::vector<std::string>& v) { t->Tabs().SetLines(v); },
        [](TTabControl* t) { return t->Tabs().Lines(); });
    p.Int("TabIndex", &TTabControl::SetTabIndex, &TTabControl::TabIndex, -1, 65535);
    p.Event("OnChange", &TTabControl::SetOnChangeName, &TTabControl::OnChangeName);
  });
  return table;
}

TTabControl::TTabControl(TComponent* owner) : TControl(owner) {
  SetBounds(0, 0, 289, 193);
  SetTabStop(true);
  tabs_.on_change = [this] {
    if (tab_index_ >= tabs_.Count() && !IsLoading()) tab_index_ = -1;
    Changed();
  };
}

void TTabControl::SetTabIndex(int index) {
  // While loading the tabs may come after the index.
  tab_index_ = index >= 0 && (index < tabs_.Count() || IsLoading()) ? index : -1;
  Changed();
}

void TTabControl::Loaded() {
  TControl::Loaded();
  if (tab_index_ >= tabs_.Count()) tab_index_ = -1;
}

void TTabControl::SetOnChangeName(const std::string& name) {
  BindHandler(*this, "OnChange", name, &on_change_, &on_change_name_);
}

void TTabControl::ClientInsets(int* left, int* top, int* right, int* bottom) const {
  *left = *right = *bottom = 4;
  *top = 24;
}

void TTabControl::PeerChanged() {
  if (PeerIfMade() == nullptr) return;
  const int chosen = PeerIfMade()->CurrentIndex();
  if (chosen < 0 || chosen >= tabs_.Count() || chosen == tab_index_) return;
  tab_index_ = chosen;
  Changed();
  TNotifyEvent handler = on_change_;
  if (handler) handler(this);
}

void TTabControl::FillLook(ControlLook& look) const {
  TControl::FillLook(look);
  look.items = tabs_.Lines();
  look.item_index = tab_index_;
}

}  // namespace kit
