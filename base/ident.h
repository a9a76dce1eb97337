// Identifiers of stored forms (class, component, property and enumeration
// names) are ASCII and compared without regard to letter case.
#pragma once

#include <string>
#include <string_view>

namespace kit {

inline char UpperAsciiChar(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c; }

inline bool SameIdent(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (UpperAsciiChar(a[i]) != UpperAsciiChar(b[i])) return false;
  return true;
}

inline std::string UpperIdent(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = UpperAsciiChar(c);
  return out;
}

}  // namespace kit
