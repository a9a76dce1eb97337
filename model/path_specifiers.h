// Path specifiers: what the text of a path property is relative to. The
// ordinals are stored in the configuration.
//
// Resolved directories carry no trailing backslash, and the relative text of
// a pair begins with one when it names something below its base
// ("\files.1"), because resolving simply appends it to the base.
#pragma once

#include <string>

#include "base/property.h"
#include "model/enum_set.h"

namespace kit {

enum TPathSpecifiers {
  ddAbsolute = 0,
  ddSystem = 1,
  ddWindows = 2,
  ddProgramFilesDir = 3,
  ddCommonFilesDir = 4,
  ddLoading = 5,
  ddContainerDestDir = 6,
  ddContainerArchiveFile = 7,
  ddObjectLink = 8,
  ddBDEDLLDir = 9,
  ddMainInstallDir = 10,
  ddDesktopMenuDir = 11,
  ddProgramMenuDir = 12,
  ddStartMenuDir = 13,
  ddFontDir = 14,
  ddStartUpMenuDir = 15,
};

using TPathSpecifierSet = TEnumSet<TPathSpecifiers>;

// The identifiers of the stored configuration ("ddAbsolute" ..).
extern const EnumType kPathSpecifiersType;

// Appends a backslash to a non-empty text that does not end in one.
std::string AddTrailingBackslash(const std::string& path);
// Removes exactly one final backslash, also from a root: "C:\" gives "C:".
std::string RemoveTrailingBackslash(const std::string& path);

}  // namespace kit
