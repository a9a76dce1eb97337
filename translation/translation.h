// The process-wide translator and the five routines through which every
// message and form of the installer is translated. With no current
// translator each routine leaves its input unchanged.
#pragma once

#include <string>

#include "translation/language.h"
#include "translation/translator.h"

namespace kit {

class TComponent;

// The current translator, or null.
Translator* CurrentTranslator();

// A translator calls this when it is created: it becomes the current one
// unless another one already is.
void RegisterTranslator(Translator* translator);
// A translator calls this first thing when it is destroyed. If it is the
// current one the reference is cleared; no other translator takes its place.
void UnregisterTranslator(Translator* translator);

// The English text (or format string) in the target language. Format
// strings are passed through before their arguments are filled in.
std::string TranslateMessage(const std::string& text);

void ApplyFormFont(TComponent& form);
void ApplyFormFontInto(TKblnLanguage into_language, TComponent& form);
// Translates the form's texts; returns the language they are now in.
TKblnLanguage TranslateForm(TKblnLanguage from_language, TComponent& form);
TKblnLanguage TranslateFormInto(TKblnLanguage from_language, TKblnLanguage into_language,
                                TComponent& form);

}  // namespace kit
