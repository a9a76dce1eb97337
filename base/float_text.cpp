#include "base/float_text.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace kit {

std::string ShortestFloatText(double value) {
  if (std::isnan(value)) return "nan";
  if (std::isinf(value)) return value < 0 ? "-inf" : "inf";
  // The fewest digits that read back: "d.ddde+XX" at growing precision.
  char buf[40];
  for (int precision = 0; precision <= 17; ++precision) {
    std::snprintf(buf, sizeof buf, "%.*e", precision, value);
    if (std::strtod(buf, nullptr) == value) break;
  }
  std::string text(buf);
  std::string sign;
  if (text[0] == '-') {
    sign = "-";
    text.erase(0, 1);
  }
  const size_t e = text.find('e');
  const int exponent = std::atoi(text.c_str() + e + 1);
  std::string digits = text.substr(0, e);
  if (digits.size() > 1) digits.erase(1, 1);  // the point
  const int n = static_cast<int>(digits.size());

  std::string scientific = digits.substr(0, 1);
  if (n > 1) scientific += "." + digits.substr(1);
  char exp_text[16];
  std::snprintf(exp_text, sizeof exp_text, "e%c%02d", exponent < 0 ? '-' : '+', std::abs(exponent));
  scientific += exp_text;

  std::string fixed;
  if (exponent >= n - 1) {
    // A whole number: its exact digits, as many as the shortest ones and zeros.
    if (static_cast<size_t>(exponent) + 1 > scientific.size()) return sign + scientific;
    std::snprintf(buf, sizeof buf, "%.0f", std::fabs(value));
    fixed = buf;
  } else if (exponent >= 0) {
    fixed = digits.substr(0, static_cast<size_t>(exponent) + 1) + "." + digits.substr(static_cast<size_t>(exponent) + 1);
  } else {
    fixed = "0." + std::string(static_cast<size_t>(-exponent - 1), '0') + digits;
  }
  return sign + (fixed.size() <= scientific.size() ? fixed : scientific);
}

bool ParseFloatText(const std::string& text, double* value) {
  if (text.empty()) return false;
  for (char c : text)
    if (!((c >= '0' && c <= '9') || c == '.' || c == 'e' || c == 'E' || c == '+' || c == '-')) return false;
  errno = 0;
  char* end = nullptr;
  const double v = std::strtod(text.c_str(), &end);
  if (end != text.c_str() + text.size() || errno == ERANGE || !std::isfinite(v)) return false;
  *value = v;
  return true;
}

}  // namespace kit
