// A tab control: a row of tabs over a framed area that holds controls.
// TabIndex is the chosen tab (-1: none); a tab chosen by the user raises
// OnChange. The wizard frame keeps the index of its current page in one.
#pragma once

#include "ui/control.h"
#include "ui/control_lines.h"
#include "ui/control_parent.h"

namespace kit {

class TTabControl : public TControl, public TControlParent {
  KIT_COMPONENT_CLASS(TTabControl)

 public:
  explicit TTabControl(TComponent* owner);
  static const PropertyTable& Properties();

  TControlLines& Tabs() { return tabs_; }
  const TControlLines& Tabs() const { return tabs_; }
  int TabIndex() const { return tab_index_; }
  // An index outside the tabs chooses none.
  void SetTabIndex(int index);

  const TNotifyEvent& OnChange() const { return on_change_; }
  void SetOnChange(TNotifyEvent handler) { on_change_ = std::move(handler); }
  const std::string& OnChangeName() const { return on_change_name_; }
  void SetOnChangeName(const std::string& name);

  void Loaded() override;
  WidgetKind Kind() const override { return WidgetKind::kTabControl; }
  WindowPeer* ContainerPeer() override { return PeerIfMade(); }
  int ClientWidth() const override { return Width(); }
  int ClientHeight() const override { return Height(); }
  const TFont& ContainerFont() const override { return Font(); }
  TColor ContainerColor() const override { return Color(); }
  TComponent* ContainerComponent() override { return this; }

 protected:
  void ClientInsets(int* left, int* top, int* right, int* bottom) const override;
  void FillLook(ControlLook& look) const override;
  void PeerChanged() override;

 private:
  TControlLines tabs_;
  int tab_index_ = -1;
  TNotifyEvent on_change_;
  std::string on_change_name_;
};

}  // namespace kit
