// Splitting a Windows command line into parameters as the program runtime
// does: tokens are separated by runs of blanks and control characters, a
// part in double quotes may contain blanks and loses its quotes, and a
// backslash is an ordinary character (no escaping, so "C:\Dir\" stays whole).
#pragma once

#include <string>
#include <vector>

namespace kit {

// Every token of the line, the program's own path first. A token that is
// empty after its quotes are removed ("") is not a parameter.
std::vector<std::string> SplitCommandLine(const std::string& line);

}  // namespace kit
