#include "model/path_specifiers.h"

#include "base/paths.h"

namespace kit {

const EnumType kPathSpecifiersType(
    "TPathSpecifiers",
    {"ddAbsolute", "ddSystem", "ddWindows", "ddProgramFilesDir", "ddCommonFilesDir", "ddLoading",
     "ddContainerDestDir", "ddContainerArchiveFile", "ddObjectLink", "ddBDEDLLDir",
     "ddMainInstallDir", "ddDesktopMenuDir", "ddProgramMenuDir", "ddStartMenuDir", "ddFontDir",
     "ddStartUpMenuDir"});

// A final byte 0x5C may be the second byte of a double-byte character;
// IsPathDelimiter tells the two apart.
std::string AddTrailingBackslash(const std::string& path) {
  if (path.empty() || IsPathDelimiter(path, path.size() - 1)) return path;
  return path + "\\";
}

std::string RemoveTrailingBackslash(const std::string& path) {
  if (path.empty() || !IsPathDelimiter(path, path.size() - 1)) return path;
  return path.substr(0, path.size() - 1);
}

}  // namespace kit
