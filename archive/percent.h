// Progress and ratio figures of the archive engine: a / b * 100 rounded with
// halves to even, as a byte; 0 when it cannot be computed (b is 0 or the
// quotient is not a number), held at 0 and 255 beyond a byte.
#pragma once

#include <cstdint>

#include "base/rounding.h"

namespace kit {

inline uint8_t PercentByte(double a, double b) {
  if (b == 0) return 0;
  double q = a / b * 100.0;
  if (!(q == q) || q <= 0) return 0;
  if (q >= 255) return 255;
  return static_cast<uint8_t>(Round(q));
}

}  // namespace kit
