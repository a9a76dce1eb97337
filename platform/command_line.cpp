#include "platform/command_line.h"

namespace kit {

std::vector<std::string> SplitCommandLine(const std::string& line) {
  // Bytes above 0x7F are letters of the ANSI code page, not separators.
  auto separator = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
  std::vector<std::string> tokens;
  size_t i = 0;
  const size_t n = line.size();
  while (i < n) {
    while (i < n && separator(line[i])) ++i;
    if (i >= n) break;
    std::string token;
    while (i < n && !separator(line[i])) {
      if (line[i] == '"') {
        ++i;
        while (i < n && line[i] != '"') token.push_back(line[i++]);
        if (i < n) ++i;  // the closing quote
      } else {
        token.push_back(line[i++]);
      }
    }
    if (!token.empty()) tokens.push_back(std::move(token));
  }
  return tokens;
}

}  // namespace kit
