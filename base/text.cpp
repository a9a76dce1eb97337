#include "base/text.h"

namespace kit {
namespace {

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }

char AsciiUpper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c; }
char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; }

template <typename F>
std::string MapAscii(const std::string& s, F f) {
  unsigned cp = AnsiCodePage();
  std::string out = s;
  for (size_t i = 0; i < out.size(); ++i) {
    if (IsDBCSLeadByte(cp, static_cast<unsigned char>(out[i]))) { ++i; continue; }
    out[i] = f(out[i]);
  }
  return out;
}

}  // namespace

std::string Trim(const std::string& s) {
  size_t b = 0, e = s.size();
  while (b < e && IsBlank(s[b])) ++b;
  while (e > b && IsBlank(s[e - 1])) --e;
  return s.substr(b, e - b);
}

std::string TrimLeft(const std::string& s) {
  size_t b = 0;
  while (b < s.size() && IsBlank(s[b])) ++b;
  return s.substr(b);
}

std::string TrimRight(const std::string& s) {
  size_t e = s.size();
  while (e > 0 && IsBlank(s[e - 1])) --e;
  return s.substr(0, e);
}

std::string UpperCase(const std::string& s) { return MapAscii(s, AsciiUpper); }
std::string LowerCase(const std::string& s) { return MapAscii(s, AsciiLower); }
std::string AnsiUpperCase(const std::string& s) { return AnsiUpperCase(s, AnsiCodePage()); }
std::string AnsiLowerCase(const std::string& s) { return AnsiLowerCase(s, AnsiCodePage()); }

int CompareText(const std::string& a, const std::string& b) {
  size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    unsigned char x = static_cast<unsigned char>(AsciiUpper(a[i]));
    unsigned char y = static_cast<unsigned char>(AsciiUpper(b[i]));
    if (x != y) return x < y ? -1 : 1;
  }
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

bool SameText(const std::string& a, const std::string& b) {
  return a.size() == b.size() && CompareText(a, b) == 0;
}

int AnsiCompareText(const std::string& a, const std::string& b, unsigned cp) {
  if (a == b) return 0;
  // Folding through both cases puts I, i, dotless i and dotted I in one class,
  // as Windows' locale-independent case mapping pairs them.
  std::u16string x = ToUtf16(AnsiLowerCase(AnsiUpperCase(a, cp), cp), cp);
  std::u16string y = ToUtf16(AnsiLowerCase(AnsiUpperCase(b, cp), cp), cp);
  int r = x.compare(y);
  return r < 0 ? -1 : (r > 0 ? 1 : 0);
}

int AnsiCompareText(const std::string& a, const std::string& b) {
  return AnsiCompareText(a, b, AnsiCodePage());
}

bool AnsiSameText(const std::string& a, const std::string& b, unsigned cp) {
  return AnsiCompareText(a, b, cp) == 0;
}

bool AnsiSameText(const std::string& a, const std::string& b) {
  return AnsiSameText(a, b, AnsiCodePage());
}

int CompareStr(const std::string& a, const std::string& b) {
  int r = a.compare(b);
  return r < 0 ? -1 : (r > 0 ? 1 : 0);
}

size_t Pos(const std::string& sub, const std::string& s) {
  if (sub.empty()) return 0;
  size_t p = s.find(sub);
  return p == std::string::npos ? 0 : p + 1;
}

size_t AnsiPos(const std::string& sub, const std::string& s, unsigned cp) {
  if (sub.empty()) return 0;
  for (size_t i = 0; i < s.size(); i += CharLengthAt(s, i, cp)) {
    if (s.compare(i, sub.size(), sub) == 0) return i + 1;
  }
  return 0;
}

std::string StringReplace(const std::string& s, const std::string& from, const std::string& to,
                          unsigned flags) {
  if (from.empty()) return s;
  const bool ignore_case = (flags & rf::kIgnoreCase) != 0;
  const std::string hay = ignore_case ? UpperCase(s) : s;
  const std::string needle = ignore_case ? UpperCase(from) : from;
  std::string out;
  size_t i = 0;
  while (i < s.size()) {
    size_t p = hay.find(needle, i);
    if (p == std::string::npos) break;
    out.append(s, i, p - i);
    out += to;
    i = p + from.size();
    if ((flags & rf::kReplaceAll) == 0) break;
  }
  out.append(s, i, std::string::npos);
  return out;
}

std::string QuotedStr(const std::string& s) {
  std::string out = "'";
  for (char c : s) {
    if (c == '\'') out += '\'';
    out += c;
  }
  out += '\'';
  return out;
}

}  // namespace kit
