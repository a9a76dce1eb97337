#include "dialogs/pages/stored_page.h"

#include "base/form_reader.h"
#include "translation/translated_controls.h"
#include "ui/ui_classes.h"

namespace kit {

void RegisterPageControlClasses(ClassRegistry& registry) {
  RegisterUiClasses(registry);
  RegisterTranslatedControlClasses(registry);
}

void ReadStoredForm(const ClassRegistry& classes, TComponent& page, std::string_view text,
                    const std::string& file_name) {
  FormReader(classes).ReadInto(&page, text, file_name);
}

}  // namespace kit
