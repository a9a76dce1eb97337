#include "ui/data_module.h"

namespace kit {

TDataModule::TDataModule(TComponent* owner) : TComponent(owner) {}

const PropertyTable& TDataModule::Properties() {
  static const PropertyTable table = PropertyTable::Make<TDataModule, TComponent>([](auto&) {});
  return table;
}

}  // namespace kit
