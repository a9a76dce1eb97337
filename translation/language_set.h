// The twelve language tables and the target language, with the lookups that
// put a text, a GLID's text or a memo into the target language, and the font
// each language is shown in. The translator component builds on this.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "translation/language.h"

namespace kit {

// The language of a Windows language identifier (its low 10 bits are the
// primary language); none for a language without a table (Portuguese,
// Turkish, ...).
std::optional<TKblnLanguage> LanguageOfLangId(uint16_t lang_id);

// The built-in font of a language: character set, face (in the language's
// own code page) and size in points.
struct BuiltInFont {
  int charset;
  std::string face;
  int size;
};
const BuiltInFont& BuiltInFontOf(TKblnLanguage ident);

class TLanguageSet {
 public:
  // user_lang_id: how the user's own language (klUser) is found.
  explicit TLanguageSet(std::function<uint16_t()> user_lang_id);

  TLanguage& Language(TKblnLanguage ident) { return *languages_.at(ident); }
  const TLanguage& Language(TKblnLanguage ident) const { return *languages_.at(ident); }

  TKblnLanguage TranslateIntoLanguage() const { return into_; }
  void SetTranslateIntoLanguage(TKblnLanguage language) { into_ = language; }

  // klUser: the user's language; otherwise that table; null when none.
  TLanguage* GetLanguage(TKblnLanguage ident) const;
  TLanguage* GetUserLanguage() const;

  std::string TranslateText(TKblnLanguage from_language, const std::string& text) const;
  std::string TranslateGLID(int32_t glid, const std::string& text) const;
  TStringList TranslateLines(TKblnLanguage from_language, const TStringList& lines) const;

  // The font a form takes for the target language (or `into`), given its
  // current font; nullopt when no language applies and the font stays.
  std::optional<LanguageFont> FontFor(TKblnLanguage into, const LanguageFont& current) const;

 private:
  std::array<std::unique_ptr<TLanguage>, kLanguageCount> languages_;
  std::function<uint16_t()> user_lang_id_;
  TKblnLanguage into_ = klUser;
};

}  // namespace kit
