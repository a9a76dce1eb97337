#include "translation/language_set.h"

namespace kit {

std::optional<TKblnLanguage> LanguageOfLangId(uint16_t lang_id) {
  switch (lang_id & 0x3FF) {
    case 5: return klCzech;
    case 7: return klGerman;
    case 8: return klGreek;
    case 9: return klEnglish;
    case 10: return klSpanish;
    case 12: return klFrench;
    case 13: return klHebrew;
    case 16: return klItalian;
    case 17: return klJapanese;
    case 18: return klKorean;
    case 25: return klRussian;
    default: return std::nullopt;
  }
}

const BuiltInFont& BuiltInFontOf(TKblnLanguage ident) {
  static const BuiltInFont kFonts[kLanguageCount] = {
      {238, "Arial", 8},   // Czech
      {0, "Arial", 8},     // English
      {0, "Arial", 8},     // French
      {238, "Arial", 8},   // German
      {0, "SGreek", 8},    // Greek
      {177, "Arial", 8},   // Hebrew: Arial carries the Hebrew letters
      {0, "Arial", 8},     // Italian
      // MS P Gothic in Shift-JIS.
      {128, "\x82\x6C\x82\x72\x20\x82\x6F\x83\x53\x83\x56\x83\x62\x83\x4E", 9},
      {129, "\xB9\xD9\xC5\xC1", 9},  // Batang in code page 949
      {238, "Arial", 8},   // Portugese
      {204, "Arial", 8},   // Russian
      {0, "Arial", 8},     // Spanish
  };
  return kFonts[ident >= 0 && ident < kLanguageCount ? ident : klEnglish];
}

TLanguageSet::TLanguageSet(std::function<uint16_t()> user_lang_id)
    : user_lang_id_(std::move(user_lang_id)) {
  for (int i = 0; i < kLanguageCount; ++i) {
    languages_[i] = std::make_unique<TLanguage>(static_cast<TKblnLanguage>(i));
  }
}

TLanguage* TLanguageSet::GetUserLanguage() const {
  if (!user_lang_id_) return nullptr;
  auto ident = LanguageOfLangId(user_lang_id_());
  return ident ? languages_[*ident].get() : nullptr;
}

TLanguage* TLanguageSet::GetLanguage(TKblnLanguage ident) const {
  if (ident == klUser) return GetUserLanguage();
  if (ident < 0 || ident >= kLanguageCount) return nullptr;
  return languages_[ident].get();
}

std::string TLanguageSet::TranslateText(TKblnLanguage from_language,
                                        const std::string& text) const {
  const TLanguage* source = GetLanguage(from_language);
  if (source == nullptr) return text;
  const TLanguageString* element = source->FindStringByText(text);
  if (element == nullptr) return text;
  const TLanguage* target = GetLanguage(into_);
  if (target == nullptr) return text;
  const TLanguageString* found = target->FindString(element->GLID());
  return found ? found->Text() : text;
}

std::string TLanguageSet::TranslateGLID(int32_t glid, const std::string& text) const {
  const TLanguage* target = GetLanguage(into_);
  if (target == nullptr) return text;
  const TLanguageString* found = target->FindString(glid);
  return found ? found->Text() : text;
}

TStringList TLanguageSet::TranslateLines(TKblnLanguage from_language,
                                         const TStringList& lines) const {
  const TLanguage* source = GetLanguage(from_language);
  const TLanguageMemo* memo = source ? source->FindMemoByText(lines) : nullptr;
  const TLanguage* target = memo ? GetLanguage(into_) : nullptr;
  const TLanguageMemo* found = target ? target->FindMemo(memo->GLID()) : nullptr;
  return found ? found->Lines() : lines;
}

std::optional<LanguageFont> TLanguageSet::FontFor(TKblnLanguage into,
                                                  const LanguageFont& current) const {
  const TLanguage* language = GetLanguage(into);
  if (language == nullptr) return std::nullopt;
  if (language->Strings().Empty()) language = languages_[klEnglish].get();
  if (language->FontOverride()) return language->Font();
  const BuiltInFont& builtin = BuiltInFontOf(language->LanguageIdent());
  LanguageFont font = current;
  font.charset = builtin.charset;
  font.name = builtin.face;
  font.SetSize(builtin.size);
  return font;
}

}  // namespace kit
