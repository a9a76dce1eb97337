#include "base/form_reader.h"

#include <set>
#include <utility>
#include <vector>

#include "base/ident.h"
#include "base/float_text.h"

namespace kit {
namespace {

struct PropLine;

struct ItemNode {
  int line = 0, column = 0;
  std::vector<PropLine> props;
};

struct ValueNode {
  enum class Kind { kInteger, kFloat, kString, kIdent, kSet, kList, kBinary, kCollection };
  Kind kind = Kind::kInteger;
  int line = 0, column = 0;
  std::int64_t integer = 0;
  bool hex = false;
  double number = 0;
  std::string text;                 // string bytes, identifier
  Bytes bytes;                      // binary
  std::vector<std::string> idents;  // set members
  std::vector<ValueNode> items;     // list
  std::vector<ItemNode> collection;
};

struct PropLine {
  std::string name;  // as written, dotted
  std::vector<std::string> path;
  int line = 0, column = 0;
  ValueNode value;
};

struct Fixup {
  void* obj;
  const PropInfo* prop;
  std::string ref;
  std::string prop_name;
  std::string owner_name;
  int line, column;
};

std::string Shown(const std::string& bytes) {
  std::string out;
  for (char c : bytes) {
    if (out.size() >= 32) {
      out += "...";
      break;
    }
    unsigned char b = static_cast<unsigned char>(c);
    if (b < 32 || b == 127) out += "#" + std::to_string(b);
    else out += c;
  }
  return out;
}

std::string DescribeValue(const ValueNode& v) {
  switch (v.kind) {
    case ValueNode::Kind::kInteger: return std::to_string(v.integer);
    case ValueNode::Kind::kFloat: {
      return ShortestFloatText(v.number);
    }
    case ValueNode::Kind::kString: return "'" + Shown(v.text) + "'";
    case ValueNode::Kind::kIdent: return "'" + v.text + "'";
    case ValueNode::Kind::kSet: {
      std::string s = "[";
      for (size_t i = 0; i < v.idents.size(); ++i) s += (i ? ", " : "") + v.idents[i];
      return Shown(s + "]");
    }
    case ValueNode::Kind::kList: return "(list)";
    case ValueNode::Kind::kBinary: return "{binary data}";
    case ValueNode::Kind::kCollection: return "<collection>";
  }
  return "?";
}

class Session {
 public:
  Session(const ClassRegistry& classes, const FormLimits& limits,
          const std::function<TComponent*(const std::string&)>& resolver, std::string_view text,
          const std::string& file)
      : classes_(classes), limits_(limits), resolver_(resolver), lex_(text, file, limits) {}

  TComponent* Run(TComponent* given_root, TComponent* owner) {
    try {
      ReadObject(nullptr, 0, given_root, owner);
      if (lex_.Peek().kind != TokenKind::kEof)
        lex_.Fail(lex_.Peek(), "expected end of file but found " + FormLexer::Describe(lex_.Peek()));
      ResolveFixups();
      for (TComponent* c : loading_) {
        c->Loaded();
        c->SetLoading(false);
      }
    } catch (...) {
      CleanUp();
      throw;
    }
    return root_;
  }

 private:
  [[noreturn]] void Fail(int line, int column, const std::string& detail) { lex_.Fail(line, column, detail); }

  Token ExpectIdent(const char* what) {
    if (lex_.Peek().kind != TokenKind::kIdent)
      lex_.Fail(lex_.Peek(), std::string("expected ") + what + " but found " + FormLexer::Describe(lex_.Peek()));
    return lex_.Next();
  }
  void ExpectSymbol(char c) {
    if (!lex_.Peek().IsSymbol(c))
      lex_.Fail(lex_.Peek(), std::string("expected '") + c + "' but found " + FormLexer::Describe(lex_.Peek()));
    lex_.Next();
  }
  static bool IsObjectKeyword(const Token& t) {
    return t.IsIdent("object") || t.IsIdent("inherited") || t.IsIdent("inline");
  }

  void CleanUp() {
    if (root_created_) {
      for (TComponent* c : loading_) c->SetLoading(false);
      delete root_;
    } else {
      // Freed while still loading, so that none frees another that refers
      // to it: each is deleted here once.
      const std::set<TComponent*> made(created_.begin(), created_.end());
      for (auto it = created_.rbegin(); it != created_.rend(); ++it) delete *it;
      for (TComponent* c : loading_)
        if (made.count(c) == 0) c->SetLoading(false);
    }
    root_ = nullptr;
    created_.clear();
    loading_.clear();
  }

  void MarkLoading(TComponent* c) {
    if (!loading_set_.insert(c).second) return;
    c->SetLoading(true);
    loading_.push_back(c);
  }

  TComponent* Create(const ClassInfo& info, TComponent* owner, const Token& at, const std::string& name) {
    try {
      return info.create(owner);
    } catch (const EFormError&) {
      throw;
    } catch (const Exception& e) {
      Fail(at.line, at.column,
           "cannot create " + (name.empty() ? info.name : name + ": " + info.name) + ": " + e.Message());
    }
  }

  void ReadObject(TComponent* enclosing, int depth, TComponent* given_root, TComponent* owner) {
    Token kw = lex_.Next();
    if (!IsObjectKeyword(kw)) lex_.Fail(kw, "expected 'object' but found " + FormLexer::Describe(kw));
    if (depth >= limits_.max_depth)
      lex_.Fail(kw, "objects nested deeper than " + std::to_string(limits_.max_depth) + " levels");
    const bool inherited = kw.IsIdent("inherited");
    Token first = ExpectIdent("a component name");
    Token cls = first;
    std::string name;
    if (lex_.Peek().IsSymbol(':')) {
      lex_.Next();
      cls = ExpectIdent("a class name");
      name = first.text;
    }
    if (lex_.Peek().IsSymbol('[')) {  // position among the inherited ones: not needed here
      lex_.Next();
      if (lex_.Peek().kind != TokenKind::kInteger)
        lex_.Fail(lex_.Peek(), "expected a number but found " + FormLexer::Describe(lex_.Peek()));
      lex_.Next();
      ExpectSymbol(']');
    }

    TComponent* comp = nullptr;
    const ClassInfo* info = nullptr;
    if (enclosing == nullptr) {
      if (given_root != nullptr) {
        if (!SameIdent(given_root->ClassName(), cls.text))
          lex_.Fail(cls, "the form is a " + cls.text + ", not a " + given_root->ClassName());
        info = classes_.FindFor(given_root);
        if (info == nullptr) lex_.Fail(cls, "unknown class '" + cls.text + "'");
        comp = given_root;
        root_ = comp;
      } else {
        info = classes_.Find(cls.text);
        if (info == nullptr) lex_.Fail(cls, "unknown class '" + cls.text + "'");
        comp = Create(*info, owner, kw, name);
        root_ = comp;
        root_created_ = true;
      }
      if (!name.empty()) SetName(comp, name, first);
    } else if (inherited) {
      comp = root_->FindComponent(name);
      if (comp == nullptr) lex_.Fail(first, "inherited component '" + name + "' not found");
      if (loading_set_.count(comp) != 0) lex_.Fail(first, "component '" + name + "' is given twice");
      if (!SameIdent(comp->ClassName(), cls.text))
        lex_.Fail(cls, "inherited component '" + name + "' is a " + comp->ClassName() + ", not a " + cls.text);
      info = classes_.FindFor(comp);
      if (info == nullptr) lex_.Fail(cls, "unknown class '" + cls.text + "'");
    } else {
      info = classes_.Find(cls.text);
      if (info == nullptr) lex_.Fail(cls, "unknown class '" + cls.text + "'");
      if (!name.empty() && (root_->FindComponent(name) != nullptr || SameIdent(root_->Name(), name)))
        lex_.Fail(first, "duplicate component name '" + name + "'");
      if (created_.size() >= limits_.max_components)
        lex_.Fail(kw, "more than " + std::to_string(limits_.max_components) + " components");
      comp = Create(*info, root_, kw, name);
      created_.push_back(comp);
      if (!name.empty()) SetName(comp, name, first);
    }
    MarkLoading(comp);
    if (enclosing != nullptr && info->set_parent != nullptr) {
      try {
        info->set_parent(comp, enclosing);
      } catch (const EFormError&) {
        throw;
      } catch (const Exception& e) {
        lex_.Fail(first, "cannot place " + Label(comp) + " in " + Label(enclosing) + ": " + e.Message());
      }
    }
    void* obj = info->properties->Cast(comp);
    if (obj == nullptr) lex_.Fail(cls, "class '" + cls.text + "' does not match its registered properties");

    for (;;) {
      const Token& t = lex_.Peek();
      if (t.IsIdent("end")) {
        lex_.Next();
        return;
      }
      if (IsObjectKeyword(t)) {
        ReadObject(comp, depth + 1, nullptr, nullptr);
      } else if (t.kind == TokenKind::kIdent) {
        PropLine line = ParsePropLine(depth);
        Apply(obj, *info->properties, comp->ClassName(), Label(comp), line);
      } else {
        lex_.Fail(t, "expected a property name, 'object' or 'end' but found " + FormLexer::Describe(t));
      }
    }
  }

  void SetName(TComponent* comp, const std::string& name, const Token& at) {
    try {
      comp->SetName(name);
    } catch (const EFormError&) {
      throw;
    } catch (const Exception& e) {
      lex_.Fail(at, "cannot name a " + std::string(comp->ClassName()) + " '" + name + "': " + e.Message());
    }
  }

  static std::string Label(TComponent* c) { return c->Name().empty() ? std::string(c->ClassName()) : c->Name(); }

  PropLine ParsePropLine(int depth) {
    PropLine line;
    Token name = ExpectIdent("a property name");
    line.line = name.line;
    line.column = name.column;
    line.name = name.text;
    line.path.push_back(name.text);
    while (lex_.Peek().IsSymbol('.')) {
      lex_.Next();
      Token part = ExpectIdent("a property name after '.'");
      line.name += "." + part.text;
      line.path.push_back(part.text);
    }
    ExpectSymbol('=');
    line.value = ParseValue(depth + 1);
    return line;
  }

  ValueNode ParseValue(int depth) {
    if (depth >= limits_.max_depth)
      lex_.Fail(lex_.Peek(), "values nested deeper than " + std::to_string(limits_.max_depth) + " levels");
    const Token& t = lex_.Peek();
    ValueNode v;
    v.line = t.line;
    v.column = t.column;
    switch (t.kind) {
      case TokenKind::kInteger:
        v.kind = ValueNode::Kind::kInteger;
        v.integer = t.integer;
        v.hex = t.hex;
        lex_.Next();
        return v;
      case TokenKind::kFloat:
        v.kind = ValueNode::Kind::kFloat;
        v.number = t.number;
        lex_.Next();
        return v;
      case TokenKind::kString:
        v.kind = ValueNode::Kind::kString;
        v.text = lex_.Next().text;
        while (lex_.Peek().IsSymbol('+')) {
          lex_.Next();
          if (lex_.Peek().kind != TokenKind::kString)
            lex_.Fail(lex_.Peek(), "expected a string after '+' but found " + FormLexer::Describe(lex_.Peek()));
          const Token& part = lex_.Peek();
          if (v.text.size() + part.text.size() > limits_.max_string)
            lex_.Fail(part, "string longer than " + std::to_string(limits_.max_string) + " bytes");
          v.text += part.text;
          lex_.Next();
        }
        return v;
      case TokenKind::kBinary:
        v.kind = ValueNode::Kind::kBinary;
        v.bytes = std::move(lex_.Next().bytes);
        return v;
      case TokenKind::kIdent:
        v.kind = ValueNode::Kind::kIdent;
        v.text = lex_.Next().text;
        while (lex_.Peek().IsSymbol('.')) {
          lex_.Next();
          v.text += "." + ExpectIdent("an identifier after '.'").text;
        }
        return v;
      case TokenKind::kSymbol:
        break;
      case TokenKind::kEof:
        lex_.Fail(t, "expected a value but found end of file");
    }
    if (t.IsSymbol('[')) {
      v.kind = ValueNode::Kind::kSet;
      lex_.Next();
      if (lex_.Peek().IsSymbol(']')) {
        lex_.Next();
        return v;
      }
      for (;;) {
        v.idents.push_back(ExpectIdent("a set member").text);
        if (lex_.Peek().IsSymbol(',')) {
          lex_.Next();
          continue;
        }
        if (lex_.Peek().IsSymbol(']')) {
          lex_.Next();
          return v;
        }
        lex_.Fail(lex_.Peek(), "expected ',' or ']' but found " + FormLexer::Describe(lex_.Peek()));
      }
    }
    if (t.IsSymbol('(')) {
      v.kind = ValueNode::Kind::kList;
      lex_.Next();
      while (!lex_.Peek().IsSymbol(')')) {
        if (lex_.Peek().kind == TokenKind::kEof) lex_.Fail(lex_.Peek(), "expected ')' but found end of file");
        v.items.push_back(ParseValue(depth + 1));
      }
      lex_.Next();
      return v;
    }
    if (t.IsSymbol('<')) {
      v.kind = ValueNode::Kind::kCollection;
      lex_.Next();
      while (!lex_.Peek().IsSymbol('>')) {
        if (!lex_.Peek().IsIdent("item"))
          lex_.Fail(lex_.Peek(), "expected 'item' or '>' but found " + FormLexer::Describe(lex_.Peek()));
        ItemNode item;
        item.line = lex_.Peek().line;
        item.column = lex_.Peek().column;
        lex_.Next();
        while (!lex_.Peek().IsIdent("end")) {
          if (lex_.Peek().kind != TokenKind::kIdent)
            lex_.Fail(lex_.Peek(), "expected a property name or 'end' but found " + FormLexer::Describe(lex_.Peek()));
          item.props.push_back(ParsePropLine(depth + 1));
        }
        lex_.Next();
        v.collection.push_back(std::move(item));
      }
      lex_.Next();
      return v;
    }
    lex_.Fail(t, "expected a value but found " + FormLexer::Describe(t));
  }

  // Sets one property line on obj, an object of table's class.
  void Apply(void* obj, const PropertyTable& table, const std::string& class_name, const std::string& owner_name,
             const PropLine& line) {
    void* o = obj;
    const PropertyTable* t = &table;
    const PropInfo* p = nullptr;
    std::string so_far;
    for (size_t i = 0; i < line.path.size(); ++i) {
      const std::string& part = line.path[i];
      if (p != nullptr && p->kind == PropKind::kStrings && i + 1 == line.path.size() && SameIdent(part, "Strings"))
        break;  // Lines.Strings = ( ... )
      so_far += (i ? "." : "") + part;
      if (p != nullptr) {
        if (p->kind != PropKind::kObject)
          Fail(line.line, line.column, "unknown property '" + so_far + "' of " + class_name);
        o = p->get_object(o);
        if (o == nullptr) Fail(line.line, line.column, "property '" + p->name + "' of " + owner_name + " has no object");
        t = &p->SubTable();
      }
      p = t->Find(part, &o);
      if (p == nullptr) Fail(line.line, line.column, "unknown property '" + so_far + "' of " + class_name);
    }
    if (p->kind == PropKind::kObject)
      Fail(line.value.line, line.value.column,
           "property '" + line.name + "' is an object; set its parts, as in '" + line.name + "." +
               (p->SubTable().Own().empty() ? std::string("Name") : p->SubTable().Own().front().name) + "'");
    try {
      ApplyValue(o, *p, line.name, owner_name, line.value);
    } catch (const EFormError&) {
      throw;
    } catch (const Exception& e) {
      Fail(line.line, line.column, "cannot set property '" + line.name + "' of " + owner_name + ": " + e.Message());
    }
  }

  [[noreturn]] void Invalid(const ValueNode& v, const std::string& prop_name) {
    Fail(v.line, v.column, "value " + DescribeValue(v) + " is not valid for property '" + prop_name + "'");
  }

  void ApplyValue(void* o, const PropInfo& p, const std::string& prop_name, const std::string& owner_name,
                  const ValueNode& v) {
    using K = ValueNode::Kind;
    switch (p.kind) {
      case PropKind::kInteger: {
        std::int64_t x = 0;
        if (v.kind == K::kInteger) {
          x = v.integer;
          // $FFFFFFFF for a signed 32-bit property is the bit pattern -1.
          if (v.hex && p.min < 0 && p.max <= INT32_MAX && x > INT32_MAX && x <= static_cast<std::int64_t>(UINT32_MAX))
            x = static_cast<std::int32_t>(static_cast<std::uint32_t>(x));
        } else if (v.kind == K::kIdent && p.enum_type != nullptr && p.enum_type->Find(v.text, &x)) {
        } else {
          Invalid(v, prop_name);
        }
        if (x < p.min || x > p.max)
          Fail(v.line, v.column, "value " + std::to_string(x) + " is out of range for property '" + prop_name + "' (" +
                                     std::to_string(p.min) + ".." + std::to_string(p.max) + ")");
        p.set_int(o, x);
        return;
      }
      case PropKind::kFloat:
        if (v.kind == K::kInteger) p.set_float(o, static_cast<double>(v.integer));
        else if (v.kind == K::kFloat) p.set_float(o, v.number);
        else Invalid(v, prop_name);
        return;
      case PropKind::kString:
        if (v.kind != K::kString) Invalid(v, prop_name);
        p.set_string(o, v.text);
        return;
      case PropKind::kBoolean:
        if (v.kind == K::kIdent && SameIdent(v.text, "True")) p.set_int(o, 1);
        else if (v.kind == K::kIdent && SameIdent(v.text, "False")) p.set_int(o, 0);
        else Invalid(v, prop_name);
        return;
      case PropKind::kEnum: {
        std::int64_t x = 0;
        if (v.kind != K::kIdent || !p.enum_type->Find(v.text, &x)) Invalid(v, prop_name);
        p.set_int(o, x);
        return;
      }
      case PropKind::kSet: {
        if (v.kind != K::kSet) Invalid(v, prop_name);
        std::uint64_t mask = 0;
        for (const std::string& id : v.idents) {
          std::int64_t x = 0;
          if (!p.enum_type->Find(id, &x) || x < 0 || x >= p.max || x >= 64)
            Fail(v.line, v.column, "value '" + id + "' is not valid for property '" + prop_name + "'");
          mask |= std::uint64_t{1} << x;
        }
        p.set_int(o, static_cast<std::int64_t>(mask));
        return;
      }
      case PropKind::kStrings: {
        if (v.kind != K::kList) Invalid(v, prop_name);
        std::vector<std::string> lines;
        lines.reserve(v.items.size());
        for (const ValueNode& item : v.items) {
          if (item.kind != K::kString) Invalid(item, prop_name);
          lines.push_back(item.text);
        }
        p.set_strings(o, lines);
        return;
      }
      case PropKind::kBinary:
        if (v.kind != K::kBinary) Invalid(v, prop_name);
        p.set_bytes(o, v.bytes);
        return;
      case PropKind::kComponent:
        if (v.kind != K::kIdent) Invalid(v, prop_name);
        if (SameIdent(v.text, "nil")) {
          p.set_ref(o, nullptr);
          return;
        }
        fixups_.push_back(Fixup{o, &p, v.text, prop_name, owner_name, v.line, v.column});
        return;
      case PropKind::kEvent:
        if (v.kind != K::kIdent || v.text.find('.') != std::string::npos) Invalid(v, prop_name);
        p.set_string(o, SameIdent(v.text, "nil") ? std::string() : v.text);
        return;
      case PropKind::kCollection: {
        if (v.kind != K::kCollection) Invalid(v, prop_name);
        // Items hold pending references; a second assignment would free them.
        if (!collections_.insert({o, &p}).second)
          Fail(v.line, v.column, "property '" + prop_name + "' of " + owner_name + " is given twice");
        p.reset(o, v.collection.size());
        for (size_t i = 0; i < v.collection.size(); ++i) {
          void* item = p.item(o, i);
          const std::string label = owner_name + "." + prop_name + "[" + std::to_string(i) + "]";
          for (const PropLine& line : v.collection[i].props)
            Apply(item, p.SubTable(), p.SubTable().ClassName(), label, line);
        }
        return;
      }
      case PropKind::kObject:
        break;
    }
    Invalid(v, prop_name);
  }

  TComponent* Resolve(const std::string& ref) {
    size_t dot = ref.find('.');
    if (dot == std::string::npos) {
      if (SameIdent(root_->Name(), ref)) return root_;
      return root_->FindComponent(ref);
    }
    if (ref.find('.', dot + 1) == std::string::npos && SameIdent(root_->Name(), std::string_view(ref).substr(0, dot)))
      return root_->FindComponent(ref.substr(dot + 1));
    return resolver_ ? resolver_(ref) : nullptr;
  }

  void ResolveFixups() {
    for (const Fixup& f : fixups_) {
      TComponent* c = Resolve(f.ref);
      if (c == nullptr)
        Fail(f.line, f.column,
             "unresolved reference '" + f.ref + "' in property '" + f.prop_name + "' of " + f.owner_name);
      bool ok = false;
      try {
        ok = f.prop->set_ref(f.obj, c);
      } catch (const EFormError&) {
        throw;
      } catch (const Exception& e) {
        Fail(f.line, f.column, "cannot set property '" + f.prop_name + "' of " + f.owner_name + ": " + e.Message());
      }
      if (!ok)
        Fail(f.line, f.column,
             "'" + f.ref + "' is a " + c->ClassName() + ", not a " + f.prop->ref_class + " (property '" + f.prop_name +
                 "' of " + f.owner_name + ")");
    }
  }

  const ClassRegistry& classes_;
  const FormLimits& limits_;
  const std::function<TComponent*(const std::string&)>& resolver_;
  FormLexer lex_;
  TComponent* root_ = nullptr;
  bool root_created_ = false;
  std::vector<TComponent*> created_;  // made by this read, root excluded
  std::vector<TComponent*> loading_;  // in the loading state, creation order
  std::set<TComponent*> loading_set_;
  std::vector<Fixup> fixups_;
  std::set<std::pair<void*, const PropInfo*>> collections_;
};

}  // namespace

TComponent* FormReader::Run(TComponent* root, TComponent* owner, std::string_view text, const std::string& file_name) {
  Session session(classes_, limits_, resolver_, text, file_name);
  return session.Run(root, owner);
}

std::unique_ptr<TComponent> FormReader::Read(std::string_view text, const std::string& file_name) {
  return std::unique_ptr<TComponent>(Run(nullptr, nullptr, text, file_name));
}

TComponent* FormReader::Read(std::string_view text, const std::string& file_name, TComponent* owner) {
  if (owner == nullptr) throw EReadError(file_name + ": no owner for the form's root");
  return Run(nullptr, owner, text, file_name);
}

void FormReader::ReadInto(TComponent* root, std::string_view text, const std::string& file_name) {
  if (root == nullptr) throw EReadError(file_name + ": no component to read the form into");
  Run(root, nullptr, text, file_name);
}

}  // namespace kit
