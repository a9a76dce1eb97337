#include "base/form_writer.h"

#include <cmath>
#include <map>
#include <vector>

#include "base/exception.h"
#include "base/float_text.h"

namespace kit {
namespace {

constexpr size_t kMaxRun = 64;  // bytes of a string part before a '+' continuation

std::string Quote(const std::string& s) {
  if (s.empty()) return "''";
  std::string out;
  bool open = false;
  for (char c : s) {
    unsigned char b = static_cast<unsigned char>(c);
    if (b < 32 || b == 127) {
      if (open) out += '\'';
      open = false;
      out += "#" + std::to_string(b);
    } else {
      if (!open) out += '\'';
      open = true;
      out += c;
      if (c == '\'') out += '\'';
    }
  }
  if (open) out += '\'';
  return out;
}

// A long string as parts joined by '+' line continuations.
std::string QuoteLong(const std::string& s, const std::string& indent) {
  if (s.size() <= kMaxRun) return Quote(s);
  std::string out;
  for (size_t i = 0; i < s.size(); i += kMaxRun) {
    if (i != 0) out += " +\n" + indent;
    out += Quote(s.substr(i, kMaxRun));
  }
  return out;
}

std::string Hex(const Bytes& bytes, const std::string& indent) {
  static const char* kDigits = "0123456789ABCDEF";
  std::string out = "{";
  for (size_t i = 0; i < bytes.size(); ++i) {
    if (i % 32 == 0) out += "\n" + indent;
    out += kDigits[bytes[i] >> 4];
    out += kDigits[bytes[i] & 15];
  }
  return out + "}";
}

class Writer {
 public:
  Writer(const ClassRegistry& classes, TComponent* root) : classes_(classes), root_(root) {}

  std::string Run() {
    // Children of each component as the text nests them.
    for (int i = 0; i < root_->ComponentCount(); ++i) {
      TComponent* c = root_->Components(i);
      const ClassInfo& info = InfoOf(c);
      TComponent* parent = info.get_parent != nullptr ? info.get_parent(c) : nullptr;
      if (parent == nullptr || (parent != root_ && parent->Owner() != root_)) parent = root_;
      children_[parent].push_back(c);
    }
    WriteObject(root_, "", 0);
    if (written_ != root_->ComponentCount() + 1)
      throw EWriteError("cannot write " + root_->Name() + ": the parents of its components form a cycle");
    return std::move(out_);
  }

 private:
  const ClassInfo& InfoOf(TComponent* c) {
    const ClassInfo* info = classes_.FindFor(c);
    if (info == nullptr) throw EWriteError("cannot write " + c->Name() + ": class '" + c->ClassName() + "' is not registered");
    return *info;
  }

  void WriteObject(TComponent* c, const std::string& indent, int depth) {
    if (depth > 64) throw EWriteError("components nested too deeply to write");
    const ClassInfo& info = InfoOf(c);
    ++written_;
    out_ += indent + "object ";
    if (!c->Name().empty()) out_ += c->Name() + ": ";
    out_ += std::string(c->ClassName()) + "\n";
    void* obj = info.properties->Cast(c);
    if (obj == nullptr) throw EWriteError(std::string("class '") + c->ClassName() + "' does not match its properties");
    WriteProps(obj, *info.properties, "", indent + "  ", c->Name());
    for (TComponent* child : children_[c]) WriteObject(child, indent + "  ", depth + 1);
    out_ += indent + "end\n";
  }

  void WriteProps(void* obj, const PropertyTable& table, const std::string& prefix, const std::string& indent,
                  const std::string& owner) {
    table.ForEach(obj, [&](const PropInfo& p, void* o) { WriteProp(p, o, prefix, indent, owner); });
  }

  void WriteProp(const PropInfo& p, void* o, const std::string& prefix, const std::string& indent,
                 const std::string& owner) {
    const std::string name = prefix + p.name;
    const std::string head = indent + name + " = ";
    switch (p.kind) {
      case PropKind::kInteger: {
        std::int64_t v = p.get_int(o);
        const char* id = p.enum_type != nullptr ? p.enum_type->NameOf(v) : nullptr;
        out_ += head + (id != nullptr ? std::string(id) : std::to_string(v)) + "\n";
        return;
      }
      case PropKind::kFloat: {
        double v = p.get_float(o);
        if (!std::isfinite(v)) throw EWriteError("cannot write property '" + name + "' of " + owner + ": not a finite number");
        std::string number = ShortestFloatText(v);
        if (number.find_first_of(".e") == std::string::npos) number += ".0";  // stays a float: -0.0
        out_ += head + number + "\n";
        return;
      }
      case PropKind::kString:
        out_ += head + QuoteLong(p.get_string(o), indent + "  ") + "\n";
        return;
      case PropKind::kBoolean:
        out_ += head + (p.get_int(o) != 0 ? "True" : "False") + "\n";
        return;
      case PropKind::kEnum: {
        std::int64_t v = p.get_int(o);
        const char* id = p.enum_type->NameOf(v);
        if (id == nullptr)
          throw EWriteError("cannot write property '" + name + "' of " + owner + ": " + std::to_string(v) +
                            " is no value of " + p.enum_type->Name());
        out_ += head + id + "\n";
        return;
      }
      case PropKind::kSet: {
        std::uint64_t mask = static_cast<std::uint64_t>(p.get_int(o));
        std::string s = "[";
        for (int bit = 0; bit < 64 && bit < p.max; ++bit) {
          if ((mask & (std::uint64_t{1} << bit)) == 0) continue;
          const char* id = p.enum_type->NameOf(bit);
          if (id == nullptr)
            throw EWriteError("cannot write property '" + name + "' of " + owner + ": member " + std::to_string(bit) +
                              " has no name in " + p.enum_type->Name());
          if (s.size() > 1) s += ", ";
          s += id;
        }
        out_ += head + s + "]\n";
        return;
      }
      case PropKind::kStrings: {
        out_ += indent + name + ".Strings = (";
        for (const std::string& line : p.get_strings(o)) out_ += "\n" + indent + "  " + Quote(line);
        out_ += ")\n";
        return;
      }
      case PropKind::kBinary:
        out_ += head + Hex(p.get_bytes(o), indent + "  ") + "\n";
        return;
      case PropKind::kComponent: {
        TComponent* c = p.get_ref(o);
        if (c == nullptr) return;
        if (c->Name().empty())
          throw EWriteError("cannot write property '" + name + "' of " + owner + ": the component it names has no name");
        std::string ref = c->Name();
        if (c != root_ && c->Owner() != root_ && c->Owner() != nullptr) ref = c->Owner()->Name() + "." + ref;
        out_ += head + ref + "\n";
        return;
      }
      case PropKind::kEvent: {
        std::string handler = p.get_string(o);
        if (!handler.empty()) out_ += head + handler + "\n";
        return;
      }
      case PropKind::kObject: {
        void* sub = p.get_object(o);
        if (sub != nullptr) WriteProps(sub, p.SubTable(), name + ".", indent, owner);
        return;
      }
      case PropKind::kCollection: {
        out_ += head + "<";
        size_t n = p.count(o);
        for (size_t i = 0; i < n; ++i) {
          out_ += "\n" + indent + "  item\n";
          WriteProps(p.item(o, i), p.SubTable(), "", indent + "    ", owner);
          out_ += indent + "  end";
        }
        out_ += ">\n";
        return;
      }
    }
  }

  const ClassRegistry& classes_;
  TComponent* root_;
  std::map<TComponent*, std::vector<TComponent*>> children_;
  std::string out_;
  int written_ = 0;
};

}  // namespace

std::string FormWriter::Write(TComponent* root) const { return Writer(classes_, root).Run(); }

}  // namespace kit
