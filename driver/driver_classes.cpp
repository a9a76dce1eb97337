#include "driver/driver_classes.h"

#include "base/class_registry.h"
#include "dialogs/backdrop_controls.h"
#include "dialogs/dialog_manager.h"
#include "driver/install.h"
#include "driver/main_form.h"
#include "files/file_classes.h"
#include "model/model_classes.h"
#include "translation/translated_controls.h"
#include "ui/ui_classes.h"

namespace kit {

void RegisterDriverClasses(ClassRegistry& registry) {
  RegisterUiClasses(registry);
  RegisterModelClasses(registry);
  RegisterFileClasses(registry);
  RegisterTranslatedControlClasses(registry);
  RegisterBackdropControls(registry);
  registry.Register<TInstall>();
  registry.Register<TForm1>();
  registry.Register<TDialogManager>();
}

}  // namespace kit
