#include "translation/language.h"

#include <cmath>

#include "base/exception.h"
#include "base/format.h"
#include "base/text.h"

namespace kit {

namespace {

const char* const kNames[kLanguageCount] = {
    "Czech",    "English",  "French",    "German",  "Greek",   "Hebrew",
    "Italian",  "Japanese", "Korean",    "Portugese", "Russian", "Spanish"};

[[noreturn]] void FormatError(int line, const std::string& text, bool not_integer) {
  const char* pattern = not_integer
      ? "The %d'th string (%s) does not have the proper format of GLID;Text or .GLID;"
      : "The %d'th string (%s) does not have the proper format of GLID;Text";
  throw Exception(Format(pattern, {line, text}));
}

int32_t ParseGlid(const std::string& glid, int line, const std::string& text) {
  if (glid.empty()) FormatError(line, text, false);
  int32_t value = 0;
  if (!TryStrToInt(glid, &value)) FormatError(line, text, true);
  return value;
}

}  // namespace

int LanguageFont::Size() const {
  return static_cast<int>(std::lround(-height * 72.0 / 96.0));
}

void LanguageFont::SetSize(int points) {
  height = -static_cast<int>(std::lround(points * 96.0 / 72.0));
}

std::string LanguageFileName(TKblnLanguage ident) {
  if (ident < 0 || ident >= kLanguageCount) return "";
  return std::string("kbli") + kNames[ident] + ".txt";
}

// --- TLangFormatStrings

template <typename F>
void TLangFormatStrings::Bulk(F&& change) {
  language_.SetAutoParse(false);
  try {
    change();
  } catch (...) {
    language_.SetAutoParse(true);
    throw;
  }
  language_.SetAutoParse(true);
  language_.Parse();
}

int TLangFormatStrings::Add(const std::string& s) {
  int index = TStringList::Add(s);
  language_.Parse();
  return index;
}

int TLangFormatStrings::AddObject(const std::string& s, void* object) {
  int index = TStringList::AddObject(s, object);
  language_.Parse();
  return index;
}

void TLangFormatStrings::AddStrings(const TStringList& other) {
  // One parse for the whole list rather than one per line.
  for (int i = 0; i < other.Count(); ++i) DoAdd(other[i], other.Objects(i));
  language_.Parse();
}

void TLangFormatStrings::Assign(const TStringList& other) {
  Bulk([&] { TStringList::Assign(other); });
}

void TLangFormatStrings::Insert(int index, const std::string& s) {
  TStringList::Insert(index, s);
  language_.Parse();
}

void TLangFormatStrings::InsertObject(int index, const std::string& s, void* object) {
  TStringList::InsertObject(index, s, object);
  language_.Parse();
}

void TLangFormatStrings::Delete(int index) {
  TStringList::Delete(index);
  language_.Parse();
}

void TLangFormatStrings::Move(int from, int to) {
  TStringList::Move(from, to);
  language_.Parse();
}

void TLangFormatStrings::Clear() {
  TStringList::Clear();
  language_.Parse();
}

void TLangFormatStrings::LoadFromFile(FileSystem& fs, const std::string& path) {
  Bulk([&] { TStringList::LoadFromFile(fs, path); });
}

void TLangFormatStrings::LoadFromStream(File& file, const std::string& name_for_errors) {
  TStringList::LoadFromStream(file, name_for_errors);
  language_.Parse();
}

// --- TLanguage

TLanguage::TLanguage(TKblnLanguage ident) : ident_(ident), file_name_(LanguageFileName(ident)) {}

void TLanguage::ClearElements() {
  strings_elements_.clear();
  memos_.clear();
}

void TLanguage::Parse() {
  if (!auto_parse_) return;
  ClearElements();
  try {
    bool in_memo = false;
    int32_t memo_glid = 0;
    int memo_line = 0;
    TStringList memo_lines;
    for (int i = 0; i < strings_.Count(); ++i) {
      const std::string line = Trim(strings_[i]);
      if (line.empty()) continue;
      if (line == "#") {
        if (!in_memo) {
          throw Exception(Format(
              "Found the end of memo marker # at line %d. Was not in a memo however", {i}));
        }
        memos_.push_back(std::make_unique<TLanguageMemo>(this, memo_glid, memo_line, memo_lines));
        in_memo = false;
        continue;
      }
      if (line[0] == '*') continue;
      if (in_memo) {
        memo_lines.Add(line);
        continue;
      }
      const size_t semi = line.find(';');
      if (line[0] == '#') {
        memo_glid = ParseGlid(line.substr(1, semi == std::string::npos ? std::string::npos
                                                                        : semi - 1),
                              i, line);
        memo_line = i;
        memo_lines.Clear();
        in_memo = true;
        continue;
      }
      const int32_t glid = ParseGlid(line.substr(0, semi), i, line);
      std::string text;
      if (semi != std::string::npos) {
        const size_t end = line.find(';', semi + 1);
        text = line.substr(semi + 1, end == std::string::npos ? std::string::npos
                                                              : end - semi - 1);
      }
      if (Trim(text).empty()) FormatError(i, line, false);
      strings_elements_.push_back(std::make_unique<TLanguageString>(this, glid, i, text));
    }
    // A memo still open at the end is dropped.
  } catch (...) {
    ClearElements();
    throw;
  }
}

const TLanguageString* TLanguage::FindString(int32_t glid) const {
  for (const auto& s : strings_elements_) {
    if (s->GLID() == glid) return s.get();
  }
  return nullptr;
}

const TLanguageMemo* TLanguage::FindMemo(int32_t glid) const {
  for (const auto& m : memos_) {
    if (m->GLID() == glid) return m.get();
  }
  return nullptr;
}

const TLanguageString* TLanguage::FindStringByText(const std::string& text) const {
  for (const auto& s : strings_elements_) {
    if (AnsiCompareText(s->Text(), text) == 0) return s.get();
  }
  return nullptr;
}

const TLanguageMemo* TLanguage::FindMemoByText(const TStringList& lines) const {
  const std::string wanted = lines.Join("\r\n");
  for (const auto& m : memos_) {
    if (m->Lines().Join("\r\n") == wanted) return m.get();
  }
  return nullptr;
}

}  // namespace kit
