// Comparison of two dotted version strings ("4.0.0.1"), field by field as
// text: 0 equal, 1 when A is the greater, 2 when B is.
#pragma once

#include <string>

namespace kit {

int CompareVersions(const std::string& a, const std::string& b);

}  // namespace kit
