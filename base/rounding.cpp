#include "base/rounding.h"

#include <cmath>
#include <string>

#include "base/exception.h"
#include "base/format.h"

namespace kit {

bool TryRound(double value, int64_t* result) {
  if (!std::isfinite(value)) return false;
  double f = std::floor(value);
  double diff = value - f;  // exact: value and f are within one unit
  double r;
  if (diff > 0.5) r = f + 1.0;
  else if (diff < 0.5) r = f;
  else r = (std::fmod(f, 2.0) == 0.0) ? f : f + 1.0;
  // 2^63 is exactly representable; the range is [-2^63, 2^63).
  if (r < -9223372036854775808.0 || r >= 9223372036854775808.0) return false;
  *result = static_cast<int64_t>(r);
  return true;
}

int64_t Round(double value) {
  int64_t r;
  if (!TryRound(value, &r)) {
    throw EInvalidOp("Invalid floating point operation: cannot round " + FixedFloatText(value, 6) +
                     " to an integer");
  }
  return r;
}

}  // namespace kit
