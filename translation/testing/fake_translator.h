// A translator for tests: a table of English texts and their translations,
// and a record of every call. It registers itself while it lives.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "base/component.h"
#include "translation/translation.h"

namespace kit::testing {

class FakeTranslator : public Translator {
 public:
  FakeTranslator() { RegisterTranslator(this); }
  ~FakeTranslator() override { UnregisterTranslator(this); }

  std::map<std::string, std::string> table;   // English text -> translation
  TKblnLanguage target = klGerman;             // what the text routines return
  std::vector<std::string> calls;

  std::string TranslateText(TKblnLanguage from, const std::string& text) override {
    calls.push_back("TranslateText " + std::to_string(from));
    auto it = table.find(text);
    return it == table.end() ? text : it->second;
  }
  void SetFormFont(TComponent& form) override { calls.push_back("SetFormFont " + form.Name()); }
  void SetFormFontInto(TKblnLanguage into, TComponent& form) override {
    calls.push_back("SetFormFontInto " + std::to_string(into) + " " + form.Name());
  }
  TKblnLanguage TranslateControl(TKblnLanguage from, TComponent& form) override {
    calls.push_back("TranslateControl " + std::to_string(from) + " " + form.Name());
    return target;
  }
  TKblnLanguage TranslateControlInto(TKblnLanguage from, TKblnLanguage into,
                                     TComponent& form) override {
    calls.push_back("TranslateControlInto " + std::to_string(from) + " " + std::to_string(into) +
                    " " + form.Name());
    return into;
  }
};

}  // namespace kit::testing
