#include "tools/kitsetup/form_check.h"

#include <cstdint>
#include <optional>

#include "base/form_error.h"
#include "base/form_lexer.h"
#include "base/property.h"

namespace kit::tools {
namespace {

bool Same(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (std::toupper(static_cast<unsigned char>(a[i])) != std::toupper(static_cast<unsigned char>(b[i]))) return false;
  return true;
}

bool DescendsFrom(const PropertyTable* t, std::string_view class_name) {
  for (; t != nullptr; t = t->Parent())
    if (Same(t->ClassName(), class_name)) return true;
  return false;
}

// A parsed value, as much of it as the check needs.
struct Value {
  enum Kind { kOther, kString, kIdent, kSet } kind = kOther;
  int line = 0, column = 0;
  std::string text;
  std::vector<std::string> idents;
};

class Walk {
 public:
  Walk(const ClassRegistry& classes, std::string_view text, const std::string& file,
       std::vector<std::string>* problems, std::vector<SourceFile>* sources)
      : classes_(classes), file_(file), lex_(text, file, limits_), problems_(problems), sources_(sources) {}

  void Run() {
    ReadObject(0);
    if (lex_.Peek().kind != TokenKind::kEof) Fail(lex_.Peek(), "expected end of file but found " + FormLexer::Describe(lex_.Peek()));
    if (installs_ == 0) problems_->push_back(file_ + ": the form has no TInstall component");
    if (installs_ > 1) problems_->push_back(file_ + ": the form has " + std::to_string(installs_) + " TInstall components; an installer has one");
  }

 private:
  [[noreturn]] void Fail(const Token& at, const std::string& detail) { lex_.Fail(at, detail); }
  void Problem(int line, int column, const std::string& detail) {
    problems_->push_back(file_ + "(" + std::to_string(line) + "," + std::to_string(column) + "): " + detail);
  }
  Token Ident(const char* what) {
    if (lex_.Peek().kind != TokenKind::kIdent)
      Fail(lex_.Peek(), std::string("expected ") + what + " but found " + FormLexer::Describe(lex_.Peek()));
    return lex_.Next();
  }
  void Symbol(char c) {
    if (!lex_.Peek().IsSymbol(c))
      Fail(lex_.Peek(), std::string("expected '") + c + "' but found " + FormLexer::Describe(lex_.Peek()));
    lex_.Next();
  }
  static bool IsObject(const Token& t) { return t.IsIdent("object") || t.IsIdent("inherited") || t.IsIdent("inline"); }

  void ReadObject(int depth) {
    const Token kw = lex_.Next();
    if (!IsObject(kw)) Fail(kw, "expected 'object' but found " + FormLexer::Describe(kw));
    const Token first = Ident("a component name");
    Token cls = first;
    std::string name;
    if (lex_.Peek().IsSymbol(':')) {
      lex_.Next();
      cls = Ident("a class name");
      name = first.text;
    }
    const std::string label = name.empty() ? cls.text : "component '" + name + "'";
    const ClassInfo* info = classes_.Find(cls.text);
    const PropertyTable* table = info != nullptr ? info->properties : nullptr;
    if (info == nullptr)
      Problem(cls.line, cls.column, label + ": unknown class '" + cls.text + "'");
    else if (depth == 0 && !DescendsFrom(table, "TForm"))
      Problem(cls.line, cls.column, label + ": the main form must be a form, not a " + cls.text);
    if (DescendsFrom(table, "TInstall")) ++installs_;
    std::optional<std::string> dir, file_name;
    for (;;) {
      const Token& t = lex_.Peek();
      if (t.IsIdent("end")) {
        lex_.Next();
        break;
      }
      if (IsObject(t)) {
        ReadObject(depth + 1);
      } else if (t.kind == TokenKind::kIdent) {
        const auto [prop, value] = ReadProperty(table, label, cls.text);
        if (prop == nullptr) continue;
        if (Same(prop->name, "IncludeFromDir") && value.kind == Value::kString) dir = value.text;
        if (Same(prop->name, "FileName") && value.kind == Value::kString) file_name = value.text;
      } else {
        Fail(t, "expected a property name, 'object' or 'end' but found " + FormLexer::Describe(t));
      }
    }
    if (DescendsFrom(table, "TInstallFile")) {
      if (!file_name || file_name->empty()) {
        Problem(first.line, first.column, label + ": property 'FileName' is not set");
      } else {
        std::string path = dir.value_or("");
        if (!path.empty() && path.back() != '\\') path += '\\';
        sources_->push_back({name, path + *file_name});
      }
    }
  }

  // One property line; the property is null when the name is not known
  // (the problem is recorded) or the class is unknown.
  std::pair<const PropInfo*, Value> ReadProperty(const PropertyTable* table, const std::string& label,
                                                 const std::string& class_name) {
    const Token name = Ident("a property name");
    std::vector<std::string> path{name.text};
    std::string dotted = name.text;
    while (lex_.Peek().IsSymbol('.')) {
      lex_.Next();
      path.push_back(Ident("a property name after '.'").text);
      dotted += "." + path.back();
    }
    Symbol('=');
    const PropInfo* p = nullptr;
    bool known = table != nullptr;
    for (size_t i = 0; known && i < path.size(); ++i) {
      if (p != nullptr && p->kind == PropKind::kStrings && i + 1 == path.size() && Same(path[i], "Strings")) break;
      const PropertyTable* t = table;
      if (p != nullptr) {
        if (p->kind != PropKind::kObject) {
          p = nullptr;
          break;
        }
        t = &p->SubTable();
      }
      void* none = nullptr;
      p = t->Find(path[i], &none);
      if (p == nullptr) break;
    }
    if (known && p == nullptr)
      Problem(name.line, name.column, label + " (" + class_name + "): unknown property '" + dotted + "'");
    const Value v = ReadValue(p, label, dotted, 0);
    if (p != nullptr) CheckValue(*p, v, label, dotted);
    return {p, v};
  }

  void CheckValue(const PropInfo& p, const Value& v, const std::string& label, const std::string& prop) {
    auto bad = [&](const std::string& what) {
      Problem(v.line, v.column, label + ": " + what + " is not valid for property '" + prop + "'");
    };
    std::int64_t ignored = 0;
    switch (p.kind) {
      case PropKind::kBoolean:
        if (v.kind != Value::kIdent || !(Same(v.text, "True") || Same(v.text, "False"))) bad("the value");
        break;
      case PropKind::kEnum:
        if (v.kind != Value::kIdent || p.enum_type == nullptr || !p.enum_type->Find(v.text, &ignored))
          bad(v.kind == Value::kIdent ? "'" + v.text + "'" : std::string("the value"));
        break;
      case PropKind::kSet:
        if (v.kind != Value::kSet) {
          bad("the value");
          break;
        }
        for (const std::string& m : v.idents)
          if (p.enum_type == nullptr || !p.enum_type->Find(m, &ignored)) bad("'" + m + "'");
        break;
      case PropKind::kString:
        if (v.kind != Value::kString) bad("the value");
        break;
      default:
        break;
    }
  }

  Value ReadValue(const PropInfo* p, const std::string& label, const std::string& prop, int depth) {
    if (depth > 32) Fail(lex_.Peek(), "values nested too deep");
    const Token t = lex_.Peek();
    Value v;
    v.line = t.line;
    v.column = t.column;
    switch (t.kind) {
      case TokenKind::kString:
        v.kind = Value::kString;
        v.text = lex_.Next().text;
        while (lex_.Peek().IsSymbol('+')) {
          lex_.Next();
          if (lex_.Peek().kind != TokenKind::kString)
            Fail(lex_.Peek(), "expected a string after '+' but found " + FormLexer::Describe(lex_.Peek()));
          v.text += lex_.Next().text;
        }
        return v;
      case TokenKind::kIdent:
        v.kind = Value::kIdent;
        v.text = lex_.Next().text;
        while (lex_.Peek().IsSymbol('.')) {
          lex_.Next();
          v.text += "." + Ident("an identifier after '.'").text;
        }
        return v;
      case TokenKind::kInteger:
      case TokenKind::kFloat:
      case TokenKind::kBinary:
        lex_.Next();
        return v;
      case TokenKind::kEof:
        Fail(t, "expected a value but found end of file");
      case TokenKind::kSymbol:
        break;
    }
    lex_.Next();
    if (t.IsSymbol('[')) {
      v.kind = Value::kSet;
      while (!lex_.Peek().IsSymbol(']')) {
        v.idents.push_back(Ident("a set member").text);
        if (lex_.Peek().IsSymbol(',')) lex_.Next();
        else if (!lex_.Peek().IsSymbol(']'))
          Fail(lex_.Peek(), "expected ',' or ']' but found " + FormLexer::Describe(lex_.Peek()));
      }
      lex_.Next();
      return v;
    }
    if (t.IsSymbol('(')) {
      while (!lex_.Peek().IsSymbol(')')) {
        if (lex_.Peek().kind == TokenKind::kEof) Fail(lex_.Peek(), "expected ')' but found end of file");
        ReadValue(nullptr, label, prop, depth + 1);
      }
      lex_.Next();
      return v;
    }
    if (t.IsSymbol('<')) {
      const PropertyTable* items = p != nullptr && p->kind == PropKind::kCollection ? &p->SubTable() : nullptr;
      while (!lex_.Peek().IsSymbol('>')) {
        if (!lex_.Peek().IsIdent("item"))
          Fail(lex_.Peek(), "expected 'item' or '>' but found " + FormLexer::Describe(lex_.Peek()));
        lex_.Next();
        while (!lex_.Peek().IsIdent("end")) {
          if (lex_.Peek().kind != TokenKind::kIdent)
            Fail(lex_.Peek(), "expected a property name or 'end' but found " + FormLexer::Describe(lex_.Peek()));
          ReadProperty(items, label + " " + prop, items != nullptr ? items->ClassName() : "item");
        }
        lex_.Next();
      }
      lex_.Next();
      return v;
    }
    Fail(t, "expected a value but found " + FormLexer::Describe(t));
  }

  const ClassRegistry& classes_;
  std::string file_;
  FormLimits limits_;
  FormLexer lex_;
  std::vector<std::string>* problems_;
  std::vector<SourceFile>* sources_;
  int installs_ = 0;
};

}  // namespace

std::vector<std::string> FormCheck::Check(std::string_view text, const std::string& file_name) {
  std::vector<std::string> problems;
  sources_.clear();
  try {
    Walk(classes_, text, file_name, &problems, &sources_).Run();
  } catch (const EFormError& e) {
    problems.push_back(e.Message());
  }
  return problems;
}

}  // namespace kit::tools
