#include "archive/compare_versions.h"

#include <vector>

namespace kit {
namespace {

// The fields up to the first empty one.
std::vector<std::string> Fields(const std::string& v) {
  std::vector<std::string> out;
  size_t start = 0;
  while (start <= v.size()) {
    size_t dot = v.find('.', start);
    std::string field = v.substr(start, dot == std::string::npos ? std::string::npos : dot - start);
    if (field.empty()) break;
    out.push_back(field);
    if (dot == std::string::npos) break;
    start = dot + 1;
  }
  return out;
}

}  // namespace

int CompareVersions(const std::string& a, const std::string& b) {
  std::vector<std::string> fa = Fields(a), fb = Fields(b);
  size_t i = 0;
  for (; i < fa.size() && i < fb.size(); ++i) {
    // Byte by byte, as unsigned characters.
    int c = fa[i].compare(fb[i]);
    if (c > 0) return 1;
    if (c < 0) return 2;
  }
  if (i < fa.size()) return 1;
  if (i < fb.size()) return 2;
  return 0;
}

}  // namespace kit
