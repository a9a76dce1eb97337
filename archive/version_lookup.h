// The version look-up an engine uses when its services name none. The
// program sets it at start (to the version resource reader); until then, and
// after it is cleared, every file has no version.
#pragma once

#include <cstdint>
#include <string>

#include "archive/file_header.h"

namespace kit {

// Replaces the look-up; an empty one means "no version" for every file.
void SetSharedVersionLookup(FileVersionLookup lookup);

// The version string of a file through the look-up set; empty while none is
// set or the file has no version.
std::string SharedFileVersion(const std::string& path);

// The same for a source file of this size and date: read once, then kept for
// the file while its size and date stay (a build reads each source's facts
// several times). Not for files the program itself writes.
std::string SourceFileVersion(const std::string& path, int64_t size, uint32_t dos_time);

}  // namespace kit
