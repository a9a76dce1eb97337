// Formatting of messages with %s and %d placeholders, and the integer
// conversions of the runtime.
//
// Format understands %s (a string), %d (a signed integer), %u (unsigned),
// %x (hexadecimal, upper-case digits as the original runtime wrote them) and
// %% (one percent sign), each with an optional "-" (left-justify), a width
// and a ".precision" (for %s: at most that many characters; for the numbers:
// at least that many digits). A placeholder whose argument is missing or of
// the other kind, or an unknown placeholder, raises EConvertError naming the
// format; arguments left over are ignored.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>

namespace kit {

class FormatArg {
 public:
  enum class Kind { kInt, kString };
  FormatArg(int v) : kind_(Kind::kInt), int_(v) {}
  FormatArg(long v) : kind_(Kind::kInt), int_(v) {}
  FormatArg(long long v) : kind_(Kind::kInt), int_(v) {}
  FormatArg(unsigned v) : kind_(Kind::kInt), int_(v) {}
  FormatArg(unsigned long v) : kind_(Kind::kInt), int_(static_cast<int64_t>(v)) {}
  FormatArg(unsigned long long v) : kind_(Kind::kInt), int_(static_cast<int64_t>(v)) {}
  FormatArg(const std::string& s) : kind_(Kind::kString), str_(&s) {}
  FormatArg(const char* s) : kind_(Kind::kString), cstr_(s ? s : "") {}
  FormatArg(bool) = delete;
  FormatArg(double) = delete;

  Kind kind() const { return kind_; }
  int64_t AsInt() const { return int_; }
  std::string AsString() const { return str_ ? *str_ : std::string(cstr_); }

 private:
  Kind kind_;
  int64_t int_ = 0;
  const std::string* str_ = nullptr;
  const char* cstr_ = "";
};

std::string Format(const std::string& format, std::initializer_list<FormatArg> args);

std::string IntToStr(int64_t value);
// Upper-case hexadecimal with at least `digits` digits.
std::string IntToHex(uint64_t value, int digits);

// `value` with `decimals` (0 to 9) places after the point, as "%.*f" writes
// it for the numbers of messages, without the C runtime's formatter (the
// loading program carries no float formatting): "1.500000", "-0.250000";
// beyond 1e18 the digits as "d.dddddde+NN"; "nan", "inf", "-inf".
std::string FixedFloatText(double value, int decimals);

// Decimal text: an optional sign and digits, nothing else (no blanks). Raises
// EConvertError "'abc' is not a valid integer value" for anything else or a
// value outside the 32-bit range.
int32_t StrToInt(const std::string& s);
int64_t StrToInt64(const std::string& s);
int32_t StrToIntDef(const std::string& s, int32_t def);
bool TryStrToInt(const std::string& s, int32_t* value);
bool TryStrToInt64(const std::string& s, int64_t* value);

}  // namespace kit
