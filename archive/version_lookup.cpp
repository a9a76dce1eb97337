#include "archive/version_lookup.h"

#include <utility>

namespace kit {

namespace {
FileVersionLookup& Lookup() {
  static FileVersionLookup lookup;
  return lookup;
}
}  // namespace

void SetSharedVersionLookup(FileVersionLookup lookup) { Lookup() = std::move(lookup); }

std::string SharedFileVersion(const std::string& path) {
  const FileVersionLookup& lookup = Lookup();
  return lookup ? lookup(path) : std::string();
}

}  // namespace kit
