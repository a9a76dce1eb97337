// Version resources read from the PE files themselves, for machines without
// the Win32 version API (the emulated machine, tools on Linux).
#include <algorithm>
#include <cstring>

#include "platform/pe_reader.h"
#include "platform/platform.h"
#include "platform/version_source.h"

namespace kit {
namespace {

// Larger files are not looked at: no program or library the kit installs is
// near this, and reading one whole must stay cheap.
constexpr int64_t kMaxFileSize = 256ll << 20;

class PeVersionSource : public VersionSource {
 public:
  PeVersionSource(std::function<bool(const std::string&, std::string*)> read_file,
                  WideToAnsi convert)
      : read_file_(std::move(read_file)), convert_(std::move(convert)) {
    if (!convert_) convert_ = Latin1FromWide;
  }

  bool Read(const std::string& path, std::string* block) override {
    block->clear();
    std::string bytes;
    if (!read_file_(path, &bytes)) return false;
    return FindVersionResource(bytes, block);
  }

  bool Query(const std::string& block, const std::string& sub_block,
             std::string* value) override {
    value->clear();
    VersionValue found;
    if (!QueryVersionBlock(block, sub_block, &found)) return false;
    if (found.text) {
      *value = convert_(VersionText(found));
    } else {
      value->assign(found.bytes.data(), found.bytes.size());
    }
    return true;
  }

 private:
  std::function<bool(const std::string&, std::string*)> read_file_;
  WideToAnsi convert_;
};

bool ReadWholeFile(FileSystem& files, const std::string& path, std::string* bytes) {
  auto file = files.Open(path, FileAccess::kRead, share::kRead | share::kWrite,
                         Disposition::kOpenExisting);
  if (!file) return false;
  int64_t size = file->Size();
  if (size < 0 || size > kMaxFileSize) return false;
  bytes->assign(static_cast<size_t>(size), '\0');
  size_t done = 0;
  while (done < bytes->size()) {
    uint32_t want = static_cast<uint32_t>(std::min<size_t>(bytes->size() - done, 1u << 20));
    uint32_t got = 0;
    if (!file->Read(bytes->data() + done, want, &got)) return false;
    if (got == 0) break;  // the file became shorter while being read
    done += got;
  }
  bytes->resize(done);
  return true;
}

}  // namespace

std::unique_ptr<VersionSource> MakePeVersionSource(
    std::function<bool(const std::string& path, std::string* bytes)> read_file,
    WideToAnsi convert) {
  return std::make_unique<PeVersionSource>(std::move(read_file), std::move(convert));
}

std::unique_ptr<VersionSource> MakePeVersionSource(FileSystem& files, WideToAnsi convert) {
  FileSystem* fs = &files;
  return MakePeVersionSource(
      [fs](const std::string& path, std::string* bytes) { return ReadWholeFile(*fs, path, bytes); },
      std::move(convert));
}

}  // namespace kit
