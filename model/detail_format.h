// Minimal %s / %d formatting for the model's messages.
// TODO(merge): replace with the Format of base/ once it is available.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <variant>

namespace kit::detail {

using FormatArg = std::variant<std::string, int64_t>;

// Fills %s and %d from args, left to right; "%%" gives "%". A placeholder
// without an argument becomes empty, an unknown one is copied as it is, so a
// badly translated format never turns one error into another.
inline std::string Format(const std::string& format, std::initializer_list<FormatArg> args) {
  std::string out;
  auto next = args.begin();
  for (size_t i = 0; i < format.size(); ++i) {
    char c = format[i];
    if (c != '%' || i + 1 >= format.size()) {
      out += c;
      continue;
    }
    char spec = format[i + 1];
    if (spec == '%') {
      out += '%';
      ++i;
    } else if (spec == 's' || spec == 'd') {
      ++i;
      if (next == args.end()) continue;
      if (const auto* s = std::get_if<std::string>(&*next)) out += *s;
      else out += std::to_string(std::get<int64_t>(*next));
      ++next;
    } else {
      out += c;
    }
  }
  return out;
}

inline FormatArg Arg(const std::string& s) { return FormatArg(s); }
inline FormatArg Arg(const char* s) { return FormatArg(std::string(s)); }
inline FormatArg Arg(int64_t n) { return FormatArg(n); }
inline FormatArg Arg(int n) { return FormatArg(static_cast<int64_t>(n)); }

}  // namespace kit::detail
