#include "platform/emulated/regedit4.h"

#include <cstdio>

#include "platform/emulated/win_path.h"

namespace kit::emu {

const char kClassesRootAlias[] = "SOFTWARE\\Classes";
const char kCurrentConfigAlias[] = "SYSTEM\\CurrentControlSet\\Hardware Profiles\\Current";

RegNode* RegNode::Child(const std::string& n) const {
  auto it = subkey_index_.find(Upper(n));
  return it == subkey_index_.end() ? nullptr : it->second->get();
}

RegNode* RegNode::AddChild(const std::string& n) {
  std::string key = Upper(n);
  auto it = subkey_index_.find(key);
  if (it != subkey_index_.end()) return it->second->get();
  subkeys_.push_back(std::make_unique<RegNode>(n));
  subkey_index_.emplace(std::move(key), std::prev(subkeys_.end()));
  return subkeys_.back().get();
}

bool RegNode::RemoveChild(const std::string& n) {
  auto it = subkey_index_.find(Upper(n));
  if (it == subkey_index_.end()) return false;
  subkeys_.erase(it->second);
  subkey_index_.erase(it);
  return true;
}

const RegValue* RegNode::Value(const std::string& n) const {
  auto it = value_index_.find(Upper(n));
  return it == value_index_.end() ? nullptr : &it->second->second;
}

void RegNode::SetValue(const std::string& n, const RegValue& v) {
  std::string key = Upper(n);
  auto it = value_index_.find(key);
  if (it != value_index_.end()) {
    it->second->second = v;
    return;
  }
  values_.emplace_back(n, v);
  value_index_.emplace(std::move(key), std::prev(values_.end()));
}

bool RegNode::RemoveValue(const std::string& n) {
  auto it = value_index_.find(Upper(n));
  if (it == value_index_.end()) return false;
  values_.erase(it->second);
  value_index_.erase(it);
  return true;
}

void RegNode::Clear() {
  values_.clear();
  value_index_.clear();
  subkeys_.clear();
  subkey_index_.clear();
}

std::unique_ptr<RegNode> RegNode::Clone() const {
  auto n = std::make_unique<RegNode>(name);
  for (const auto& [k, v] : values_) n->SetValue(k, v);
  for (const auto& c : subkeys_) {
    n->subkeys_.push_back(c->Clone());
    n->subkey_index_.emplace(Upper(c->name), std::prev(n->subkeys_.end()));
  }
  return n;
}

// ---------------------------------------------------------------- writing

namespace {

std::string Quote(const std::string& s) {
  std::string out = "\"";
  for (char c : s) {
    if (c == '\\' || c == '"') out.push_back('\\');
    out.push_back(c);
  }
  out.push_back('"');
  return out;
}

// A REG_SZ that the quoted form can carry exactly: one terminating zero, no
// other zero and no line break.
bool PlainString(const RegValue& v) {
  if (v.type != regtype::kSz || v.data.empty() || v.data.back() != '\0') return false;
  for (size_t i = 0; i + 1 < v.data.size(); ++i)
    if (v.data[i] == '\0' || v.data[i] == '\r' || v.data[i] == '\n') return false;
  return true;
}

void WriteValue(const std::string& name, const RegValue& v, std::string* out) {
  std::string line = name.empty() ? "@=" : Quote(name) + "=";
  if (PlainString(v)) {
    *out += line + Quote(v.data.substr(0, v.data.size() - 1)) + "\r\n";
    return;
  }
  if (v.type == regtype::kDword && v.data.size() == 4) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "dword:%08x", *v.AsDword());
    *out += line + buf + "\r\n";
    return;
  }
  if (v.type == regtype::kBinary) line += "hex:";
  else {
    char type[16];
    std::snprintf(type, sizeof type, "hex(%x):", v.type);
    line += type;
  }
  // regedit wraps hex lists near 80 columns with a trailing backslash.
  static const char* kHex = "0123456789abcdef";
  for (size_t i = 0; i < v.data.size(); ++i) {
    unsigned char b = static_cast<unsigned char>(v.data[i]);
    line.push_back(kHex[b >> 4]);
    line.push_back(kHex[b & 15]);
    if (i + 1 < v.data.size()) {
      line.push_back(',');
      if (line.size() >= 76) {
        *out += line + "\\\r\n";
        line = "  ";
      }
    }
  }
  *out += line + "\r\n";
}

}  // namespace

std::string Regedit4ValueName(const std::string& name) {
  return name.empty() ? "@" : Quote(name);
}

std::string Regedit4ValueLine(const std::string& name, const RegValue& value) {
  std::string out;
  WriteValue(name, value, &out);
  return out;
}

void WriteRegedit4Key(const RegNode& node, const std::string& full_name, std::string* out) {
  *out += "[" + full_name + "]\r\n";
  for (const auto& [k, v] : node.Values()) WriteValue(k, v, out);
  *out += "\r\n";
  for (const auto& c : node.Subkeys()) WriteRegedit4Key(*c, full_name + "\\" + c->name, out);
}

std::string WriteRegedit4(const RegTrees& trees) {
  std::string out = "REGEDIT4\r\n\r\n";
  for (const RegNode* root : {&trees.local_machine, &trees.current_user, &trees.users}) {
    if (!root->Values().empty()) {
      out += "[" + root->name + "]\r\n";
      for (const auto& [k, v] : root->Values()) WriteValue(k, v, &out);
      out += "\r\n";
    }
    for (const auto& c : root->Subkeys()) WriteRegedit4Key(*c, root->name + "\\" + c->name, &out);
  }
  return out;
}

// ---------------------------------------------------------------- reading

namespace {

struct Parser {
  RegTrees* trees;
  std::string* error;
  int line_no = 0;

  bool Fail(const std::string& what) {
    *error = "line " + std::to_string(line_no) + ": " + what;
    return false;
  }

  // The node for a full key name, created as needed; null (with the error
  // set) for an unknown root or an empty component.
  RegNode* Key(const std::string& full, bool create, bool* missing) {
    std::vector<std::string> parts;
    size_t i = 0;
    while (i <= full.size()) {
      size_t j = full.find('\\', i);
      if (j == std::string::npos) j = full.size();
      parts.push_back(full.substr(i, j - i));
      i = j + 1;
    }
    RegNode* node = nullptr;
    std::string root = Upper(parts[0]);
    std::vector<std::string> prefix;
    if (root == "HKEY_LOCAL_MACHINE") {
      node = &trees->local_machine;
    } else if (root == "HKEY_CURRENT_USER") {
      node = &trees->current_user;
    } else if (root == "HKEY_USERS") {
      node = &trees->users;
    } else if (root == "HKEY_CLASSES_ROOT" || root == "HKEY_CURRENT_CONFIG") {
      node = &trees->local_machine;
      std::string alias = root == "HKEY_CLASSES_ROOT" ? kClassesRootAlias : kCurrentConfigAlias;
      size_t a = 0;
      while (a <= alias.size()) {
        size_t b = alias.find('\\', a);
        if (b == std::string::npos) b = alias.size();
        prefix.push_back(alias.substr(a, b - a));
        a = b + 1;
      }
    } else {
      Fail("unknown registry root \"" + parts[0] + "\"");
      return nullptr;
    }
    parts.erase(parts.begin());
    parts.insert(parts.begin(), prefix.begin(), prefix.end());
    for (const auto& p : parts) {
      if (p.empty()) {
        Fail("empty key name in [" + full + "]");
        return nullptr;
      }
      RegNode* next = create ? node->AddChild(p) : node->Child(p);
      if (!next) {
        *missing = true;
        return nullptr;
      }
      node = next;
    }
    return node;
  }
};

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

namespace {

bool Apply(const std::string& text, bool header, RegTrees* trees, std::string* error) {
  Parser p{trees, error};
  // Split into lines, keeping the numbers; CRLF and LF both accepted.
  std::vector<std::string> lines;
  size_t pos = 0;
  while (pos < text.size()) {
    size_t nl = text.find('\n', pos);
    if (nl == std::string::npos) nl = text.size();
    std::string line = text.substr(pos, nl - pos);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
    pos = nl + 1;
  }
  size_t li = 0;
  auto skip_blank = [&]() {
    while (li < lines.size() && lines[li].find_first_not_of(" \t") == std::string::npos) ++li;
  };
  if (header) {
    skip_blank();
    p.line_no = static_cast<int>(li) + 1;
    if (li >= lines.size() || lines[li] != "REGEDIT4")
      return p.Fail("expected the header \"REGEDIT4\"");
    ++li;
  }

  RegNode* current = nullptr;
  bool in_deleted = false;  // values after [-KEY] are ignored, as regedit does
  for (; li < lines.size(); ++li) {
    p.line_no = static_cast<int>(li) + 1;
    std::string line = lines[li];
    size_t first = line.find_first_not_of(" \t");
    if (first == std::string::npos) continue;
    line = line.substr(first);
    if (line[0] == ';') continue;
    if (line[0] == '[') {
      size_t close = line.rfind(']');
      if (close == std::string::npos) return p.Fail("key name without closing ']'");
      if (line.find_first_not_of(" \t", close + 1) != std::string::npos)
        return p.Fail("text after the key name");
      std::string name = line.substr(1, close - 1);
      bool remove = !name.empty() && name[0] == '-';
      if (remove) name.erase(0, 1);
      while (!name.empty() && name.back() == '\\') name.pop_back();
      if (name.empty()) return p.Fail("empty key name");
      bool missing = false;
      if (remove) {
        size_t cut = name.rfind('\\');
        if (cut == std::string::npos) return p.Fail("a root key cannot be deleted");
        RegNode* parent = p.Key(name.substr(0, cut), false, &missing);
        if (!parent && !missing) return false;
        if (parent) parent->RemoveChild(name.substr(cut + 1));
        current = nullptr;
        in_deleted = true;
        continue;
      }
      current = p.Key(name, true, &missing);
      if (!current) return false;
      in_deleted = false;
      continue;
    }
    // A value line: "name"=data or @=data.
    std::string name;
    size_t i = 0;
    if (line[0] == '@') {
      i = 1;
    } else if (line[0] == '"') {
      i = 1;
      bool closed = false;
      while (i < line.size()) {
        char c = line[i++];
        if (c == '\\' && i < line.size()) {
          name.push_back(line[i++]);
        } else if (c == '"') {
          closed = true;
          break;
        } else {
          name.push_back(c);
        }
      }
      if (!closed) return p.Fail("value name without closing quote");
    } else {
      return p.Fail("expected a [key], a \"name\"= or @= line");
    }
    if (i >= line.size() || line[i] != '=') return p.Fail("expected '=' after the value name");
    ++i;
    if (!current) {
      if (in_deleted) continue;
      return p.Fail("value outside of any key");
    }
    std::string data = line.substr(i);
    while (!data.empty() && (data.back() == ' ' || data.back() == '\t')) data.pop_back();
    RegValue v;
    if (data == "-") {
      current->RemoveValue(name);
      continue;
    }
    if (!data.empty() && data[0] == '"') {
      std::string s;
      size_t k = 1;
      bool closed = false;
      while (k < data.size()) {
        char c = data[k++];
        if (c == '\\') {
          if (k >= data.size()) break;
          s.push_back(data[k++]);
        } else if (c == '"') {
          closed = true;
          break;
        } else {
          s.push_back(c);
        }
      }
      if (!closed) return p.Fail("string without closing quote");
      if (k != data.size()) return p.Fail("text after the closing quote");
      v = RegValue::String(s);
    } else if (data.compare(0, 6, "dword:") == 0) {
      std::string hex = data.substr(6);
      if (hex.empty() || hex.size() > 8) return p.Fail("dword needs 1 to 8 hexadecimal digits");
      uint32_t x = 0;
      for (char c : hex) {
        int d = HexDigit(c);
        if (d < 0) return p.Fail("bad hexadecimal digit '" + std::string(1, c) + "' in dword");
        x = x * 16 + static_cast<uint32_t>(d);
      }
      v = RegValue::Dword(x);
    } else if (data.compare(0, 3, "hex") == 0) {
      size_t k = 3;
      uint32_t type = regtype::kBinary;
      if (k < data.size() && data[k] == '(') {
        size_t close = data.find(')', k);
        if (close == std::string::npos || close == k + 1) return p.Fail("bad hex(type)");
        type = 0;
        for (size_t t = k + 1; t < close; ++t) {
          int d = HexDigit(data[t]);
          if (d < 0) return p.Fail("bad type in hex(type)");
          type = type * 16 + static_cast<uint32_t>(d);
        }
        k = close + 1;
      }
      if (k >= data.size() || data[k] != ':') return p.Fail("expected ':' after hex");
      std::string list = data.substr(k + 1);
      // Continuation lines.
      while (!list.empty() && list.back() == '\\') {
        list.pop_back();
        if (li + 1 >= lines.size()) return p.Fail("hex list continues past the end of the file");
        ++li;
        p.line_no = static_cast<int>(li) + 1;
        std::string next = lines[li];
        size_t f = next.find_first_not_of(" \t");
        next = f == std::string::npos ? std::string() : next.substr(f);
        while (!next.empty() && (next.back() == ' ' || next.back() == '\t')) next.pop_back();
        list += next;
      }
      std::string bytes;
      size_t t = 0;
      while (t < list.size()) {
        while (t < list.size() && (list[t] == ' ' || list[t] == '\t')) ++t;
        if (t >= list.size()) break;
        int hi = t < list.size() ? HexDigit(list[t]) : -1;
        int lo = t + 1 < list.size() ? HexDigit(list[t + 1]) : -1;
        if (hi < 0 || lo < 0) return p.Fail("bad byte in hex list at \"" + list.substr(t, 8) + "\"");
        bytes.push_back(static_cast<char>(hi * 16 + lo));
        t += 2;
        while (t < list.size() && (list[t] == ' ' || list[t] == '\t')) ++t;
        if (t < list.size()) {
          if (list[t] != ',') return p.Fail("expected ',' between bytes of a hex list");
          ++t;
        }
      }
      v.type = type;
      v.data = bytes;
    } else {
      return p.Fail("unknown value data \"" + data.substr(0, 20) + "\"");
    }
    current->SetValue(name, v);
  }
  return true;
}

}  // namespace

bool ParseRegedit4(const std::string& text, RegTrees* trees, std::string* error) {
  *trees = RegTrees();
  return Apply(text, true, trees, error);
}

bool ApplyRegedit4(const std::string& lines, RegTrees* trees, std::string* error) {
  return Apply(lines, false, trees, error);
}

}  // namespace kit::emu
