#include "ui/ui_classes.h"

#include "base/class_registry.h"
#include "ui/data_module.h"
#include "ui/form.h"

namespace kit {

void RegisterUiClasses(ClassRegistry& registry) {
  registry.Register<TForm>();
  registry.Register<TDataModule>();
}

}  // namespace kit
