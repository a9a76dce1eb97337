// A container of non-visual components without a window.
#pragma once

#include "base/component.h"
#include "base/property.h"
#include "ui/handler_table.h"

namespace kit {

class TDataModule : public TComponent {
  KIT_COMPONENT_CLASS(TDataModule)

 public:
  explicit TDataModule(TComponent* owner);
  static const PropertyTable& Properties();

  HandlerTable& Handlers() { return handlers_; }
  const HandlerTable& Handlers() const { return handlers_; }

 private:
  HandlerTable handlers_;
};

}  // namespace kit
