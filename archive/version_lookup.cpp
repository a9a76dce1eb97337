#include "archive/version_lookup.h"

#include <unordered_map>
#include <vector>
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

struct KnownSources {
  std::unordered_map<std::string, std::size_t> index;  // upper-case path
  std::vector<Known> known;
  void clear() {
    index.clear();
    known.clear();
  }
};

KnownSources& Sources() {
  static KnownSources sources;
  return sources;
}
}  // namespace

void SetSharedVersionLookup(FileVersionLookup lookup) {
  Lookup() = std::move(lookup);
  Sources().clear();
}

std::string SourceFileVersion(const std::string& path, int64_t size, uint32_t dos_time) {
  KnownSources& sources = Sources();
  auto [it, added] = sources.index.emplace(UpperCase(path), sources.known.size());
  if (added) sources.known.push_back(Known{-1, 0, std::string()});
  Known& k = sources.known[it->second];
  if (k.size != size || k.dos_time != dos_time) k = Known{size, dos_time, SharedFileVersion(path)};
  return k.version;
}

std::string SharedFileVersion(const std::string& path) {
  const FileVersionLookup& lookup = Lookup();
  return lookup ? lookup(path) : std::string();
}

}  // namespace kit
