// The languages of the installer's texts and one language's string table.
// The ordinal of TKblnLanguage is a language's identity everywhere (stored
// configuration, tables, fonts).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "base/string_list.h"
#include "translation/language_font.h"

namespace kit {

class PropertyTable;

enum TKblnLanguage {
  klCzech = 0,
  klEnglish = 1,
  klFrench = 2,
  klGerman = 3,
  klGreek = 4,
  klHebrew = 5,
  klItalian = 6,
  klJapanese = 7,
  klKorean = 8,
  klPortugese = 9,
  klRussian = 10,
  klSpanish = 11,
  klUser = 12,  // the language of the user's system settings
};

constexpr int kLanguageCount = 12;

// "kbliGerman.txt" and so on; empty for klUser.
std::string LanguageFileName(TKblnLanguage ident);

class TLanguage;

// An element of a table: a string or a memo with its GLID and the 0-based
// table line that defined it (for a memo, the line that opened it).
class TLanguageElement {
 public:
  TLanguageElement(TLanguage* owner, int32_t glid, int line_index)
      : owner_(owner), glid_(glid), line_index_(line_index) {}
  virtual ~TLanguageElement() = default;
  int32_t GLID() const { return glid_; }
  int LineIndex() const { return line_index_; }
  TLanguage* Owner() const { return owner_; }

 private:
  TLanguage* owner_;
  int32_t glid_;
  int line_index_;
};

class TLanguageString : public TLanguageElement {
 public:
  static constexpr size_t kMaxLength = 255;
  // Text longer than kMaxLength is cut.
  TLanguageString(TLanguage* owner, int32_t glid, int line_index, const std::string& text)
      : TLanguageElement(owner, glid, line_index), text_(text.substr(0, kMaxLength)) {}
  const std::string& Text() const { return text_; }

 private:
  std::string text_;
};

class TLanguageMemo : public TLanguageElement {
 public:
  TLanguageMemo(TLanguage* owner, int32_t glid, int line_index, const TStringList& lines)
      : TLanguageElement(owner, glid, line_index), lines_(lines) {}
  const TStringList& Lines() const { return lines_; }

 private:
  TStringList lines_;
};

// The lines of a table, bound to their language: the bulk and line-adding
// changes parse the table again; changing a line in place, exchanging,
// setting the whole text and sorting do not.
class TLangFormatStrings : public TStringList {
 public:
  explicit TLangFormatStrings(TLanguage& language) : language_(language) {}
  TLangFormatStrings(const TLangFormatStrings&) = delete;
  TLangFormatStrings& operator=(const TLangFormatStrings&) = delete;

  int Add(const std::string& s) override;
  int AddObject(const std::string& s, void* object) override;
  void AddStrings(const TStringList& other) override;
  void Assign(const TStringList& other) override;
  void Insert(int index, const std::string& s) override;
  void InsertObject(int index, const std::string& s, void* object) override;
  void Delete(int index) override;
  void Move(int from, int to) override;
  void Clear() override;
  void LoadFromFile(FileSystem& fs, const std::string& path) override;
  void LoadFromStream(File& file, const std::string& name_for_errors) override;

 private:
  // Runs a bulk change with parsing switched off, then parses once.
  template <typename F>
  void Bulk(F&& change);
  TLanguage& language_;
};

// One language: its table lines, the elements parsed from them and its font.
class TLanguage {
 public:
  explicit TLanguage(TKblnLanguage ident);
  // Stored as a sub-object of the translator: Font, FontOverride, Strings.
  static const char* StaticClassName() { return "TLanguage"; }
  static const PropertyTable& Properties();
  TLanguage(const TLanguage&) = delete;
  TLanguage& operator=(const TLanguage&) = delete;

  TKblnLanguage LanguageIdent() const { return ident_; }
  const std::string& FileName() const { return file_name_; }

  const LanguageFont& Font() const { return font_; }
  void SetFont(const LanguageFont& font) { font_ = font; }
  bool FontOverride() const { return font_override_; }
  void SetFontOverride(bool on) { font_override_ = on; }

  TLangFormatStrings& Strings() { return strings_; }
  const TLangFormatStrings& Strings() const { return strings_; }
  // Copies the lines and parses once.
  void SetStrings(const TStringList& lines) { strings_.Assign(lines); }

  // Rebuilds the elements from Strings(); raises Exception naming the line on
  // a malformed line, leaving no elements at all.
  void Parse();
  void ClearElements();
  bool AutoParse() const { return auto_parse_; }
  void SetAutoParse(bool on) { auto_parse_ = on; }

  int StringCount() const { return static_cast<int>(strings_elements_.size()); }
  int MemoCount() const { return static_cast<int>(memos_.size()); }
  const TLanguageString& StringElement(int index) const { return *strings_elements_.at(index); }
  const TLanguageMemo& MemoElement(int index) const { return *memos_.at(index); }

  const TLanguageString* FindString(int32_t glid) const;
  const TLanguageMemo* FindMemo(int32_t glid) const;
  // Ignoring letter case by the ANSI code page.
  const TLanguageString* FindStringByText(const std::string& text) const;
  // The whole text must match exactly.
  const TLanguageMemo* FindMemoByText(const TStringList& lines) const;

 private:
  TKblnLanguage ident_;
  std::string file_name_;
  LanguageFont font_;
  bool font_override_ = false;
  bool auto_parse_ = true;
  TLangFormatStrings strings_{*this};
  std::vector<std::unique_ptr<TLanguageString>> strings_elements_;
  std::vector<std::unique_ptr<TLanguageMemo>> memos_;
};

}  // namespace kit
