// The translation a form takes part in: its five settings and the step that
// gives it the language's font and texts. Installer forms and the dialog
// components run it when they are translated and again whenever the target
// language changes.
#pragma once

#include "translation/language.h"

namespace kit {

class TComponent;

struct FormTranslation {
  bool translate_font = true;
  bool translate_texts = true;
  TKblnLanguage current_language = klEnglish;  // the language the texts are in now
  bool use_own_language = false;
  TKblnLanguage own_language = klUser;

  // The font first, then the texts; current_language becomes the language
  // the texts were translated into, so a later change translates from it.
  void Apply(TComponent& form);
};

}  // namespace kit
