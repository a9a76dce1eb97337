// Path pieces as the archive engine takes them apart. Windows accepts '/' as
// well as '\' between directories, and so do these (the runtime's own path
// helpers know only '\' and ':'); double-byte characters are never split.
#pragma once

#include <string>

namespace kit::archive_paths {

// Up to and including the last '\', '/' or ':'.
std::string FilePath(const std::string& path);
// After the last '\', '/' or ':'.
std::string FileName(const std::string& path);
// `ext` in place of the extension of the file name part.
std::string ChangeExt(const std::string& path, const std::string& ext);
// A '\' appended unless the text is empty or ends in '\' or '/'.
std::string WithSeparator(const std::string& dir);

}  // namespace kit::archive_paths
