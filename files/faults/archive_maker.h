// Makes an archive of source files with the archive engine (kept apart from
// the driver's headers, whose event types share names with the engine's).
#pragma once

#include <string>
#include <vector>

#include "platform/platform.h"

namespace kit::testing {

void MakeArchiveOf(FileSystem& fs, const std::string& archive, const std::vector<std::string>& sources);
// Frees the shared install engine.
void FreeEngine();

}  // namespace kit::testing
