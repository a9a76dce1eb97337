// The archive engine's side of the installation benchmark (apart from the
// driver's headers, whose event types share names with the engine's).
#pragma once

#include <string>
#include <vector>

#include "platform/platform.h"

namespace kit::bench {

// Puts `sources` into `archive`.
void Compress(FileSystem& fs, const std::string& archive, const std::vector<std::string>& sources);
// Extracts the members `names` of `archive` into `dir`, in one engine call.
void Extract(FileSystem& fs, const std::string& archive, const std::vector<std::string>& names,
             const std::string& dir);
// Frees the installation's shared engine.
void FreeInstallEngine();

}  // namespace kit::bench
