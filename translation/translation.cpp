#include "translation/translation.h"

namespace kit {
namespace {

Translator* g_current = nullptr;

}  // namespace

Translator* CurrentTranslator() { return g_current; }

void RegisterTranslator(Translator* translator) {
  if (g_current == nullptr) g_current = translator;
}

void UnregisterTranslator(Translator* translator) {
  if (translator != nullptr && g_current == translator) g_current = nullptr;
}

std::string TranslateMessage(const std::string& text) {
  if (g_current == nullptr) return text;
  return g_current->TranslateText(klEnglish, text);
}

void ApplyFormFont(TComponent& form) {
  if (g_current != nullptr) g_current->SetFormFont(form);
}

void ApplyFormFontInto(TKblnLanguage into_language, TComponent& form) {
  if (g_current != nullptr) g_current->SetFormFontInto(into_language, form);
}

TKblnLanguage TranslateForm(TKblnLanguage from_language, TComponent& form) {
  if (g_current == nullptr) return from_language;
  return g_current->TranslateControl(from_language, form);
}

TKblnLanguage TranslateFormInto(TKblnLanguage from_language, TKblnLanguage into_language,
                                TComponent& form) {
  if (g_current == nullptr) return from_language;
  return g_current->TranslateControlInto(from_language, into_language, form);
}

}  // namespace kit
