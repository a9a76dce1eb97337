// Rounding to the nearest integer with halves to the even neighbour
// (0.5 -> 0, 1.5 -> 2, 2.5 -> 2, -1.5 -> -2), as the original runtime's Round
// did under the default floating-point control word. Independent of the
// current floating-point rounding mode.
#pragma once

#include <cstdint>

namespace kit {

// Raises EInvalidOp for NaN, infinities and values outside the 64-bit range.
int64_t Round(double value);
// The same, false instead of raising.
bool TryRound(double value, int64_t* result);

}  // namespace kit
