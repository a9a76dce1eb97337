// Floating-point numbers as the stored forms write and read them, through
// the C library rather than std::to_chars / std::from_chars (whose tables
// would double the size of a Win32 program).
#pragma once

#include <string>

namespace kit {

// The shortest text that reads back as `value`: its fewest significant
// digits, in fixed or exponent notation, whichever is shorter (fixed on a
// tie); "1e+20", "0.1", "-0", "123456789012345680". Infinities and NaN give
// "inf", "-inf" and "nan".
std::string ShortestFloatText(double value);

// Reads a whole decimal number ("-1.5", "2e10"); false when `text` is not one
// or its value is outside the range of a double (also when it underflows).
bool ParseFloatText(const std::string& text, double* value);

}  // namespace kit
