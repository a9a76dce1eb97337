#include "archive/archive_paths.h"

#include "base/paths.h"

namespace kit::archive_paths {

namespace {
// One past the last separator, or 0.
size_t NameStart(const std::string& path) {
  size_t start = 0;
  for (size_t i = 0; i < path.size(); ++i)
    if (path[i] == '/' || IsPathDelimiter(path, i)) start = i + 1;
  return start;
}
}  // namespace

std::string FilePath(const std::string& path) { return path.substr(0, NameStart(path)); }

std::string FileName(const std::string& path) { return path.substr(NameStart(path)); }

std::string ChangeExt(const std::string& path, const std::string& ext) {
  size_t start = NameStart(path);
  size_t dot = path.rfind('.');
  if (dot == std::string::npos || dot < start) return path + ext;
  return path.substr(0, dot) + ext;
}

std::string WithSeparator(const std::string& dir) {
  if (dir.empty() || dir.back() == '\\' || dir.back() == '/') return dir;
  return IncludeTrailingBackslash(dir);
}

}  // namespace kit::archive_paths
