// What the translation entry points need of a translator. The translator
// component implements it; everything else reaches it only through the
// entry points of translation.h, so callers never depend on the component.
#pragma once

#include <string>

#include "translation/language.h"

namespace kit {

class TComponent;

class Translator {
 public:
  virtual ~Translator() = default;

  // Text written in FromLanguage, put into the target language.
  virtual std::string TranslateText(TKblnLanguage from_language, const std::string& text) = 0;
  // Gives the form the font of the target language (or of IntoLanguage).
  virtual void SetFormFont(TComponent& form) = 0;
  virtual void SetFormFontInto(TKblnLanguage into_language, TComponent& form) = 0;
  // Translates the form's texts; returns the language they are in afterwards.
  virtual TKblnLanguage TranslateControl(TKblnLanguage from_language, TComponent& form) = 0;
  virtual TKblnLanguage TranslateControlInto(TKblnLanguage from_language,
                                             TKblnLanguage into_language, TComponent& form) = 0;
};

}  // namespace kit
