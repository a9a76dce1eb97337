#include "platform/emulated/win_path.h"

#include "platform/platform.h"

namespace kit::emu {

char UpperChar(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c; }

std::string Upper(std::string s) {
  for (char& c : s) c = UpperChar(c);
  return s;
}

bool EqualNoCase(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (UpperChar(a[i]) != UpperChar(b[i])) return false;
  return true;
}

namespace {

bool Glob(const char* p, const char* n) {
  // Iterative glob with single-star backtracking.
  const char* star = nullptr;
  const char* resume = nullptr;
  while (*n) {
    if (*p == '?' || (*p && *p != '*' && UpperChar(*p) == UpperChar(*n))) {
      ++p;
      ++n;
    } else if (*p == '*') {
      star = p++;
      resume = n;
    } else if (star) {
      p = star + 1;
      n = ++resume;
    } else {
      return false;
    }
  }
  while (*p == '*') ++p;
  return *p == 0;
}

bool IllegalChar(unsigned char c) {
  return c < 32 || c == '<' || c == '>' || c == ':' || c == '"' || c == '|' || c == '?' ||
         c == '*';
}

}  // namespace

bool WildcardMatch(const std::string& pattern, const std::string& name) {
  if (pattern.empty() || pattern == "*" || pattern == "*.*") return true;
  if (pattern.size() >= 2 && pattern.compare(pattern.size() - 2, 2, "*.") == 0 &&
      pattern.find_first_of("*?") == pattern.size() - 2) {
    // "ABC*." : names without an extension.
    if (name.find('.') != std::string::npos) return false;
    return Glob(pattern.substr(0, pattern.size() - 1).c_str(), name.c_str());
  }
  if (Glob(pattern.c_str(), name.c_str())) return true;
  // "NAME.*" also matches "NAME" without an extension, as on Windows.
  if (pattern.size() >= 2 && pattern.compare(pattern.size() - 2, 2, ".*") == 0 &&
      name.find('.') == std::string::npos)
    return Glob(pattern.substr(0, pattern.size() - 2).c_str(), name.c_str());
  return false;
}

std::string WinPath::Text() const {
  std::string s;
  s.push_back(drive_as_given);
  s += ":\\";
  for (size_t i = 0; i < parts.size(); ++i) {
    if (i) s.push_back('\\');
    s += parts[i];
  }
  return s;
}

WinPath WinPath::Parent() const {
  WinPath p = *this;
  if (!p.parts.empty()) p.parts.pop_back();
  p.trailing_separator = false;
  return p;
}

uint32_t ParseWinPath(const std::string& path_in, const std::string& current_dir, WinPath* out) {
  if (path_in.empty()) return winerr::kPathNotFound;
  if (path_in.find('\0') != std::string::npos) return winerr::kInvalidName;
  std::string path = path_in;
  for (char& c : path)
    if (c == '/') c = '\\';
  if (path.size() >= 2 && path[0] == '\\' && path[1] == '\\') return winerr::kBadPathName;

  WinPath result;
  std::string rest;
  bool has_drive = path.size() >= 2 && path[1] == ':' &&
                   ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'));
  WinPath cur;
  bool have_cur = false;
  auto load_current = [&]() -> uint32_t {
    if (have_cur) return 0;
    if (current_dir.size() < 3 || current_dir[1] != ':' || current_dir[2] != '\\')
      return winerr::kPathNotFound;
    cur.drive_as_given = current_dir[0];
    cur.drive = UpperChar(current_dir[0]);
    size_t i = 3;
    while (i < current_dir.size()) {
      size_t j = current_dir.find('\\', i);
      if (j == std::string::npos) j = current_dir.size();
      if (j > i) cur.parts.push_back(current_dir.substr(i, j - i));
      i = j + 1;
    }
    have_cur = true;
    return 0;
  };

  if (has_drive) {
    result.drive_as_given = path[0];
    result.drive = UpperChar(path[0]);
    rest = path.substr(2);
    if (rest.empty() || rest[0] != '\\') {
      // "C:name": relative to the current directory when it is on that drive.
      if (uint32_t e = load_current()) return e;
      if (cur.drive == result.drive) {
        result.parts = cur.parts;
        result.drive_as_given = cur.drive_as_given;
      }
    }
  } else {
    if (uint32_t e = load_current()) return e;
    result.drive = cur.drive;
    result.drive_as_given = cur.drive_as_given;
    rest = path;
    if (rest[0] != '\\') result.parts = cur.parts;
  }
  result.trailing_separator = !rest.empty() && rest.back() == '\\';

  size_t i = 0;
  while (i <= rest.size()) {
    size_t j = rest.find('\\', i);
    if (j == std::string::npos) j = rest.size();
    std::string comp = rest.substr(i, j - i);
    i = j + 1;
    if (comp.empty() || comp == ".") continue;
    if (comp == "..") {
      if (result.parts.empty()) return winerr::kBadPathName;
      result.parts.pop_back();
      continue;
    }
    // Windows drops trailing dots and spaces of a name.
    while (!comp.empty() && (comp.back() == '.' || comp.back() == ' ')) comp.pop_back();
    if (comp.empty()) return winerr::kInvalidName;
    if (comp.size() > 255) return winerr::kInvalidName;
    for (unsigned char c : comp)
      if (IllegalChar(c)) return winerr::kInvalidName;
    result.parts.push_back(comp);
  }
  *out = std::move(result);
  return 0;
}

namespace {
bool ShortChar(unsigned char c) {
  if (c >= 'a' && c <= 'z') return false;  // needs a generated name to keep its case
  if (c <= ' ' || c == '+' || c == ',' || c == ';' || c == '=' || c == '[' || c == ']' ||
      c == '.')
    return false;
  return !IllegalChar(c);
}
}  // namespace

bool IsShortName(const std::string& name) {
  if (name.empty() || name == "." || name == "..") return false;
  size_t dot = name.find('.');
  std::string base = dot == std::string::npos ? name : name.substr(0, dot);
  std::string ext = dot == std::string::npos ? std::string() : name.substr(dot + 1);
  if (base.empty() || base.size() > 8 || ext.size() > 3) return false;
  if (dot != std::string::npos && ext.empty()) return false;
  for (unsigned char c : base)
    if (!ShortChar(c)) return false;
  for (unsigned char c : ext)
    if (!ShortChar(c)) return false;
  return true;
}

void ShortNameParts(const std::string& name, std::string* base, std::string* ext) {
  size_t dot = name.rfind('.');
  if (dot == 0) dot = std::string::npos;  // ".profile" has no extension
  std::string b = dot == std::string::npos ? name : name.substr(0, dot);
  std::string e = dot == std::string::npos ? std::string() : name.substr(dot + 1);
  auto clean = [](const std::string& s, size_t limit) {
    std::string out;
    for (unsigned char c : s) {
      if (out.size() >= limit) break;
      if (c == ' ' || c == '.') continue;
      if (c == '+' || c == ',' || c == ';' || c == '=' || c == '[' || c == ']')
        out.push_back('_');
      else
        out.push_back(UpperChar(static_cast<char>(c)));
    }
    return out;
  };
  std::string cleaned_base = clean(b, 8), cleaned_ext = clean(e, 3);
  base->swap(cleaned_base);
  ext->swap(cleaned_ext);
  if (base->empty()) base->push_back('_');
}

}  // namespace kit::emu
