#include "translation/form_translation.h"

#include "translation/translation.h"

namespace kit {

void FormTranslation::Apply(TComponent& form) {
  if (translate_font) {
    if (use_own_language) {
      ApplyFormFontInto(own_language, form);
    } else {
      ApplyFormFont(form);
    }
  }
  if (translate_texts) {
    current_language = use_own_language
                           ? TranslateFormInto(current_language, own_language, form)
                           : TranslateForm(current_language, form);
  }
}

}  // namespace kit
