#include "translation/translator_component.h"

#include "translation/language_followers.h"
#include "translation/text_fit.h"
#include "translation/translate_bit_btn.h"
#include "translation/translate_label.h"
#include "translation/translation.h"
#include "translation/user_language.h"
#include "ui/controls/button.h"
#include "ui/controls/group_box.h"
#include "ui/controls/label.h"
#include "ui/controls/memo.h"
#include "ui/controls/radio_group.h"
#include "ui/form.h"

namespace kit {

namespace {

// The identifiers a control's font takes (character set names, styles).
const EnumType& FontIdents(const char* property) {
  void* none = nullptr;
  return *TFont::Properties().Find(property, &none)->enum_type;
}

}  // namespace

const EnumType& KblnLanguageType() {
  static const EnumType type("TKblnLanguage",
                             {"klCzech", "klEnglish", "klFrench", "klGerman", "klGreek",
                              "klHebrew", "klItalian", "klJapanese", "klKorean", "klPortugese",
                              "klRussian", "klSpanish", "klUser"});
  return type;
}

const PropertyTable& LanguageFont::Properties() {
  static const PropertyTable table = PropertyTable::Make<LanguageFont>([](auto& p) {
    p.Int("Charset", [](LanguageFont* f, int v) { f->charset = v; },
          [](LanguageFont* f) { return f->charset; }, FontIdents("Charset"));
    p.Int("Color", [](LanguageFont* f, int32_t v) { f->color = v; },
          [](LanguageFont* f) { return f->color; }, ColorIdents());
    p.Int("Height", [](LanguageFont* f, int v) { f->height = v; },
          [](LanguageFont* f) { return f->height; }, -1000, 1000);
    p.Str("Name", [](LanguageFont* f, const std::string& v) { f->name = v; },
          [](LanguageFont* f) { return f->name; });
    p.Set("Style", [](LanguageFont* f, unsigned v) { f->style = v; },
          [](LanguageFont* f) { return f->style; }, FontIdents("Style"));
  });
  return table;
}

const PropertyTable& TLanguage::Properties() {
  static const PropertyTable table = PropertyTable::Make<TLanguage>([](auto& p) {
    // The font is a copy the language keeps: its parts are set in place.
    p.Object("Font", [](TLanguage* l) { return &const_cast<LanguageFont&>(l->Font()); });
    p.Bool("FontOverride", &TLanguage::SetFontOverride, &TLanguage::FontOverride);
    p.Strings("Strings",
              [](TLanguage* l, const std::vector<std::string>& lines) {
                TStringList list;
                for (const auto& line : lines) list.Add(line);
                l->SetStrings(list);
              },
              [](TLanguage* l) {
                std::vector<std::string> lines;
                for (int i = 0; i < l->Strings().Count(); ++i) lines.push_back(l->Strings()[i]);
                return lines;
              });
  });
  return table;
}

namespace {

template <TKblnLanguage kIdent>
TLanguage& LanguageOf(TTranslator* t) {
  return t->Language(kIdent);
}

// Sets the translator's target for a scope and restores it afterwards, also
// when an error passes.
class ScopedTarget {
 public:
  ScopedTarget(TLanguageSet& set, TKblnLanguage into) : set_(set), saved_(set.TranslateIntoLanguage()) {
    set_.SetTranslateIntoLanguage(into);
  }
  ~ScopedTarget() { set_.SetTranslateIntoLanguage(saved_); }

 private:
  TLanguageSet& set_;
  TKblnLanguage saved_;
};

LanguageFont FontOf(const TFont& font) {
  LanguageFont f;
  f.name = font.Name();
  f.height = font.Height();
  f.charset = font.Charset();
  f.style = font.Style();
  f.color = font.Color();
  return f;
}

void SetCaptionFitting(TControl& control, const std::string& text) {
  if (text == control.Caption()) return;
  const std::string previous = control.Caption();
  control.SetCaption(text);
  FitTranslatedText(control, previous);
}

}  // namespace

const PropertyTable& TTranslator::Properties() {
  // In the order of publication.
  static const PropertyTable table = PropertyTable::Make<TTranslator, TComponent>([](auto& p) {
    p.Object("lgCzech", &LanguageOf<klCzech>);
    p.Object("lgEnglish", &LanguageOf<klEnglish>);
    p.Object("lgFrench", &LanguageOf<klFrench>);
    p.Object("lgGerman", &LanguageOf<klGerman>);
    p.Object("lgGreek", &LanguageOf<klGreek>);
    p.Object("lgHebrew", &LanguageOf<klHebrew>);
    p.Object("lgItalian", &LanguageOf<klItalian>);
    p.Object("lgKorean", &LanguageOf<klKorean>);
    p.Object("lgJapanese", &LanguageOf<klJapanese>);
    p.Object("lgPortugese", &LanguageOf<klPortugese>);
    p.Object("lgRussian", &LanguageOf<klRussian>);
    p.Object("lgSpanish", &LanguageOf<klSpanish>);
    p.Enum("TranslateIntoLanguage", &TTranslator::SetTranslateIntoLanguage,
           &TTranslator::TranslateIntoLanguage, KblnLanguageType());
  });
  return table;
}

TTranslator::TTranslator(TComponent* owner)
    : TComponent(owner), set_([this] { return UserLangId(); }) {
  RegisterTranslator(this);
}

TTranslator::~TTranslator() { UnregisterTranslator(this); }

uint16_t TTranslator::UserLangId() const {
  return user_lang_id_ ? user_lang_id_() : UserDefaultLangId();
}

void TTranslator::SetTranslateIntoLanguage(TKblnLanguage language) {
  set_.SetTranslateIntoLanguage(language);
  if (IsLoading() || IsDesigning()) return;
  NotifyLanguageChanged(language);
}

std::string TTranslator::TranslateText(TKblnLanguage from_language, const std::string& text) {
  return set_.TranslateText(from_language, text);
}

std::string TTranslator::TranslateGLID(int32_t glid, const std::string& text) const {
  return set_.TranslateGLID(glid, text);
}

TStringList TTranslator::TranslateLines(TKblnLanguage from_language, const TStringList& lines) const {
  return set_.TranslateLines(from_language, lines);
}

void TTranslator::SetFormFont(TComponent& form) {
  auto* f = dynamic_cast<TForm*>(&form);
  if (f == nullptr) return;
  auto font = set_.FontFor(set_.TranslateIntoLanguage(), FontOf(f->Font()));
  if (!font) return;
  TFont next;
  next.SetName(font->name);
  next.SetHeight(font->height);
  next.SetCharset(font->charset);
  next.SetStyle(font->style);
  next.SetColor(font->color);
  f->Font().Assign(next);
}

void TTranslator::SetFormFontInto(TKblnLanguage into_language, TComponent& form) {
  ScopedTarget target(set_, into_language);
  SetFormFont(form);
}

std::string TTranslator::GlidText(int32_t glid, const std::string& form_text) {
  const TLanguage* target = GetLanguage(set_.TranslateIntoLanguage());
  const TLanguageMemo* memo = target ? target->FindMemo(glid) : nullptr;
  if (memo == nullptr || glid_turns_ == nullptr) return TranslateGLID(glid, form_text);
  const int turn = (*glid_turns_)[glid]++;
  return turn < memo->Lines().Count() ? memo->Lines()[turn] : form_text;
}

TKblnLanguage TTranslator::TranslateControl(TKblnLanguage from_language, TComponent& control) {
  // The outermost call counts the turns of shared GLIDs for the whole form.
  std::map<int32_t, int> turns;
  struct Outermost {
    std::map<int32_t, int>*& slot;
    bool owner;
    ~Outermost() {
      if (owner) slot = nullptr;
    }
  } outermost{glid_turns_, glid_turns_ == nullptr};
  if (outermost.owner) glid_turns_ = &turns;

  TControlParent* parent = nullptr;
  if (auto* form = dynamic_cast<TForm*>(&control)) {
    form->SetCaption(TranslateText(from_language, form->Caption()));
    parent = form;
  } else {
    parent = dynamic_cast<TControlParent*>(&control);
  }
  if (parent != nullptr) {
    for (int i = 0; i < parent->ControlCount(); ++i) TranslateChild(from_language, *parent->Controls(i));
  }
  return set_.TranslateIntoLanguage();
}

void TTranslator::TranslateChild(TKblnLanguage from_language, TControl& child) {
  // A GLID's text, or the form's own text where the target has none (not
  // the text of the language before).
  int32_t glid = 0;
  if (auto* label = dynamic_cast<TTranslateLabel*>(&child)) {
    glid = label->GLID();
    if (glid > 0) SetCaptionFitting(child, GlidText(glid, label->FormText()));
  } else if (auto* button = dynamic_cast<TTranslateBitBtn*>(&child)) {
    glid = button->GLID();
    if (glid > 0) SetCaptionFitting(child, GlidText(glid, button->FormText()));
  }
  if (glid >= 0) {
    if (dynamic_cast<TLabel*>(&child) != nullptr || dynamic_cast<TButton*>(&child) != nullptr) {
      SetCaptionFitting(child, TranslateText(from_language, child.Caption()));
    } else if (auto* radio = dynamic_cast<TRadioGroup*>(&child)) {
      // A radio group's items; its caption is not its text.
      for (int i = 0; i < radio->Items().Count(); ++i) {
        const std::string item = TranslateText(from_language, radio->Items()[i]);
        if (item != radio->Items()[i]) radio->Items().Put(i, item);
      }
    } else if (dynamic_cast<TGroupBox*>(&child) != nullptr) {
      child.SetCaption(TranslateText(from_language, child.Caption()));
    } else if (auto* memo = dynamic_cast<TMemo*>(&child)) {
      TStringList lines = TranslateLines(from_language, memo->Lines());
      if (!(lines == memo->Lines())) memo->Lines().Assign(lines);
    }
  }
  if (dynamic_cast<TControlParent*>(&child) != nullptr) TranslateControl(from_language, child);
}

TKblnLanguage TTranslator::TranslateControlInto(TKblnLanguage from_language, TKblnLanguage into_language,
                                                TComponent& control) {
  ScopedTarget target(set_, into_language);
  return TranslateControl(from_language, control);
}

}  // namespace kit
