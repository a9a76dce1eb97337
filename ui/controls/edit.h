// A one-line edit box. What the user types becomes its Text and raises
// OnChange.
#pragma once

#include "ui/control.h"

namespace kit {

class TEdit : public TControl {
  KIT_COMPONENT_CLASS(TEdit)

 public:
  explicit TEdit(TComponent* owner);
  static const PropertyTable& Properties();

  bool ReadOnly() const { return read_only_; }
  void SetReadOnly(bool v) { read_only_ = v, Changed(); }
  int MaxLength() const { return max_length_; }
  void SetMaxLength(int v) { max_length_ = v; }
  void SetText(const std::string& text) override;

  const TNotifyEvent& OnChange() const { return on_change_; }
  void SetOnChange(TNotifyEvent handler) { on_change_ = std::move(handler); }
  const std::string& OnChangeName() const { return on_change_name_; }
  void SetOnChangeName(const std::string& name);

  WidgetKind Kind() const override { return WidgetKind::kEdit; }

 protected:
  void FillLook(ControlLook& look) const override;
  void PeerChanged() override;
  void RaiseChange();

 private:
  bool read_only_ = false;
  int max_length_ = 0;
  TNotifyEvent on_change_;
  std::string on_change_name_;
};

}  // namespace kit
