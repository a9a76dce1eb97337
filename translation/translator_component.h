// TTranslator: the component that puts the installer's forms and messages
// into one target language. It owns the twelve language tables (stored with
// the configuration as lgCzech .. lgSpanish) and the target language
// TranslateIntoLanguage (klUser: the user's own). The first translator made
// becomes the CurrentTranslator that the entry points of translation.h use.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>

#include "base/component.h"
#include "base/property.h"
#include "translation/language_set.h"
#include "translation/translator.h"

namespace kit {

class TControl;
class TForm;

const EnumType& KblnLanguageType();

class TTranslator : public TComponent, public Translator {
  KIT_COMPONENT_CLASS(TTranslator)

 public:
  explicit TTranslator(TComponent* owner);
  ~TTranslator() override;
  static const PropertyTable& Properties();

  TLanguage& Language(TKblnLanguage ident) { return set_.Language(ident); }
  TLanguage* GetLanguage(TKblnLanguage ident) const { return set_.GetLanguage(ident); }

  TKblnLanguage TranslateIntoLanguage() const { return set_.TranslateIntoLanguage(); }
  // Outside loading and design, the change reaches every dialog component
  // and installer form alive.
  void SetTranslateIntoLanguage(TKblnLanguage language);

  // How klUser is found (tests); by default the current platform's
  // GetUserDefaultLangID.
  void SetUserLangIdSource(std::function<uint16_t()> source) { user_lang_id_ = std::move(source); }

  std::string TranslateGLID(int32_t glid, const std::string& text) const;
  TStringList TranslateLines(TKblnLanguage from_language, const TStringList& lines) const;

  // Translator
  std::string TranslateText(TKblnLanguage from_language, const std::string& text) override;
  void SetFormFont(TComponent& form) override;
  void SetFormFontInto(TKblnLanguage into_language, TComponent& form) override;
  TKblnLanguage TranslateControl(TKblnLanguage from_language, TComponent& control) override;
  TKblnLanguage TranslateControlInto(TKblnLanguage from_language, TKblnLanguage into_language,
                                     TComponent& control) override;

 private:
  void TranslateChild(TKblnLanguage from_language, TControl& child);
  // The target's text for a translated control's GLID: the next line of
  // the target's memo of that GLID when it has one (several labels of a
  // form sharing a GLID take its lines in turn), else its string, else the
  // form's own text.
  std::string GlidText(int32_t glid, const std::string& form_text);
  uint16_t UserLangId() const;

  std::function<uint16_t()> user_lang_id_;
  std::map<int32_t, int>* glid_turns_ = nullptr;  // during TranslateControl
  TLanguageSet set_;
};

}  // namespace kit
