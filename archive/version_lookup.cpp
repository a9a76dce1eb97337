#include "archive/version_lookup.h"

#include <unordered_map>
#include <utility>

#include "base/text.h"

namespace kit {

namespace {
FileVersionLookup& Lookup() {
  static FileVersionLookup lookup;
  return lookup;
}

struct Known {
  int64_t size;
  uint32_t dos_time;
  std::string version;
};

std::unordered_map<std::string, Known>& Sources() {
  static std::unordered_map<std::string, Known> sources;
  return sources;
}
}  // namespace

void SetSharedVersionLookup(FileVersionLookup lookup) {
  Lookup() = std::move(lookup);
  Sources().clear();
}

std::string SourceFileVersion(const std::string& path, int64_t size, uint32_t dos_time) {
  const std::string key = UpperCase(path);
  auto it = Sources().find(key);
  if (it != Sources().end() && it->second.size == size && it->second.dos_time == dos_time) return it->second.version;
  std::string version = SharedFileVersion(path);
  Sources()[key] = Known{size, dos_time, version};
  return version;
}

std::string SharedFileVersion(const std::string& path) {
  const FileVersionLookup& lookup = Lookup();
  return lookup ? lookup(path) : std::string();
}

}  // namespace kit
