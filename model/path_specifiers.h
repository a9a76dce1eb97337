// Path specifiers: what the text of a path property is relative to. The
// ordinals are stored in the configuration.
#pragma once

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

}  // namespace kit
