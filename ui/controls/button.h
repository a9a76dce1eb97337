// A push button. Pressing it sets its form's ModalResult (when it has one)
// and raises OnClick; the default button takes Enter, the cancel one Esc.
#pragma once

#include "ui/control.h"

namespace kit {

class TButton : public TControl {
  KIT_COMPONENT_CLASS(TButton)

 public:
  explicit TButton(TComponent* owner);
  static const PropertyTable& Properties();

  bool Default() const { return default_; }
  void SetDefault(bool v) { default_ = v, Changed(); }
  bool Cancel() const { return cancel_; }
  void SetCancel(bool v) { cancel_ = v, Changed(); }
  int ModalResult() const { return modal_result_; }
  void SetModalResult(int v) { modal_result_ = v; }

  void Click() override;
  WidgetKind Kind() const override { return WidgetKind::kButton; }

 protected:
  void FillLook(ControlLook& look) const override;

 private:
  bool default_ = false;
  bool cancel_ = false;
  int modal_result_ = 0;
};

const EnumType& ModalResultIdents();

}  // namespace kit
