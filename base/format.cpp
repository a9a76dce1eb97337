#include "base/format.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "base/exception.h"

namespace kit {
namespace {

[[noreturn]] void Invalid(const std::string& format, const std::string& why) {
  throw EConvertError("Format '" + format + "' invalid or incompatible with argument: " + why);
}

std::string Digits(uint64_t v, unsigned base) {
  static const char kDigits[] = "0123456789ABCDEF";
  std::string out;
  do {
    out.insert(out.begin(), kDigits[v % base]);
    v /= base;
  } while (v != 0);
  return out;
}

}  // namespace

std::string Format(const std::string& format, std::initializer_list<FormatArg> args) {
  std::string out;
  auto next = args.begin();
  size_t argno = 0;
  const size_t n = format.size();
  for (size_t i = 0; i < n; ++i) {
    char c = format[i];
    if (c != '%') { out += c; continue; }
    if (++i >= n) Invalid(format, "a lone % at the end");
    if (format[i] == '%') { out += '%'; continue; }
    bool left = false;
    if (format[i] == '-') { left = true; ++i; }
    auto number = [&](size_t* value) {
      bool any = false;
      *value = 0;
      while (i < n && format[i] >= '0' && format[i] <= '9') {
        *value = *value * 10 + static_cast<size_t>(format[i] - '0');
        if (*value > 4096) Invalid(format, "width or precision too large");
        ++i;
        any = true;
      }
      return any;
    };
    size_t width = 0, precision = 0;
    number(&width);
    bool has_precision = false;
    if (i < n && format[i] == '.') {
      ++i;
      number(&precision);
      has_precision = true;
    }
    if (i >= n) Invalid(format, "placeholder without a type");
    char type = static_cast<char>(format[i] | 0x20);  // %D, %S as well
    ++argno;
    if (type != 's' && type != 'd' && type != 'u' && type != 'x') {
      Invalid(format, std::string("unknown placeholder %") + format[i]);
    }
    if (next == args.end()) Invalid(format, "argument " + std::to_string(argno) + " is missing");
    const FormatArg& arg = *next++;
    std::string text;
    if (type == 's') {
      if (arg.kind() != FormatArg::Kind::kString) {
        Invalid(format, "argument " + std::to_string(argno) + " is not a string");
      }
      text = arg.AsString();
      if (has_precision && text.size() > precision) text.resize(precision);
    } else {
      if (arg.kind() != FormatArg::Kind::kInt) {
        Invalid(format, "argument " + std::to_string(argno) + " is not an integer");
      }
      int64_t v = arg.AsInt();
      bool negative = false;
      uint64_t magnitude;
      if (type == 'd') {
        negative = v < 0;
        magnitude = negative ? (~static_cast<uint64_t>(v) + 1) : static_cast<uint64_t>(v);
      } else {
        // %u and %x show the value as a 32-bit unsigned number when it fits,
        // as the original 32-bit runtime did for negative integers.
        magnitude = (v < 0 && v >= std::numeric_limits<int32_t>::min())
                        ? static_cast<uint32_t>(v)
                        : static_cast<uint64_t>(v);
      }
      text = Digits(magnitude, type == 'x' ? 16 : 10);
      if (has_precision && text.size() < precision) text.insert(0, precision - text.size(), '0');
      if (negative) text.insert(text.begin(), '-');
    }
    if (text.size() < width) {
      if (left) text.append(width - text.size(), ' ');
      else text.insert(0, width - text.size(), ' ');
    }
    out += text;
  }
  return out;
}

std::string IntToStr(int64_t value) { return Format("%d", {static_cast<long long>(value)}); }

std::string IntToHex(uint64_t value, int digits) {
  std::string s = Digits(value, 16);
  if (digits > 0 && s.size() < static_cast<size_t>(digits)) s.insert(0, digits - s.size(), '0');
  return s;
}

std::string FixedFloatText(double value, int decimals) {
  if (std::isnan(value)) return "nan";
  if (std::isinf(value)) return value < 0 ? "-inf" : "inf";
  decimals = std::clamp(decimals, 0, 9);
  std::string sign = std::signbit(value) ? "-" : "";
  double a = std::fabs(value);
  int exponent = 0;
  if (a >= 1e18) {
    while (a >= 10) {
      a /= 10;
      ++exponent;
    }
  }
  double scale = 1;
  for (int i = 0; i < decimals; ++i) scale *= 10;
  double whole = std::floor(a);
  double fraction = std::floor((a - whole) * scale + 0.5);
  if (fraction >= scale) {
    whole += 1;
    fraction -= scale;
  }
  std::string text = sign + std::to_string(static_cast<uint64_t>(whole));
  if (decimals > 0) {
    const std::string digits = std::to_string(static_cast<uint64_t>(fraction));
    text += "." + std::string(static_cast<size_t>(decimals) - digits.size(), '0') + digits;
  }
  if (exponent > 0) text += "e+" + std::to_string(exponent);
  return text;
}

bool TryStrToInt64(const std::string& s, int64_t* value) {
  size_t i = 0;
  bool negative = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
    negative = s[i] == '-';
    ++i;
  }
  if (i >= s.size()) return false;
  uint64_t limit = negative ? static_cast<uint64_t>(std::numeric_limits<int64_t>::max()) + 1
                            : static_cast<uint64_t>(std::numeric_limits<int64_t>::max());
  uint64_t v = 0;
  for (; i < s.size(); ++i) {
    if (s[i] < '0' || s[i] > '9') return false;
    unsigned d = static_cast<unsigned>(s[i] - '0');
    if (v > (limit - d) / 10) return false;
    v = v * 10 + d;
  }
  *value = negative ? static_cast<int64_t>(~v + 1) : static_cast<int64_t>(v);
  return true;
}

bool TryStrToInt(const std::string& s, int32_t* value) {
  int64_t v;
  if (!TryStrToInt64(s, &v) || v < std::numeric_limits<int32_t>::min() ||
      v > std::numeric_limits<int32_t>::max()) {
    return false;
  }
  *value = static_cast<int32_t>(v);
  return true;
}

int32_t StrToInt(const std::string& s) {
  int32_t v;
  if (!TryStrToInt(s, &v)) throw EConvertError("'" + s + "' is not a valid integer value");
  return v;
}

int64_t StrToInt64(const std::string& s) {
  int64_t v;
  if (!TryStrToInt64(s, &v)) throw EConvertError("'" + s + "' is not a valid integer value");
  return v;
}

int32_t StrToIntDef(const std::string& s, int32_t def) {
  int32_t v;
  return TryStrToInt(s, &v) ? v : def;
}

}  // namespace kit
