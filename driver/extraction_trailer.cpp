#include "driver/extraction_trailer.h"

#include <algorithm>
#include <cstring>

#include "base/exception.h"
#include "platform/platform.h"
#include "system/translated_format.h"

namespace kit {
namespace {

constexpr char kSignature[] = "SELFEXTRACTING";  // after its length byte 14

void PutInt(ExtractionTrailer::Bytes& b, int at, int32_t v) {
  const auto u = static_cast<uint32_t>(v);
  for (int i = 0; i < 4; ++i) b[at + i] = static_cast<uint8_t>(u >> (8 * i));
}

int32_t GetInt(const ExtractionTrailer::Bytes& b, int at) {
  uint32_t u = 0;
  for (int i = 0; i < 4; ++i) u |= static_cast<uint32_t>(b[at + i]) << (8 * i);
  return static_cast<int32_t>(u);
}

}  // namespace

ExtractionTrailer::Bytes ExtractionTrailer::Encode() const {
  Bytes b{};
  b[0] = 14;
  std::memcpy(&b[1], kSignature, 14);
  PutInt(b, 16, setup_first);
  PutInt(b, 20, setup_last);
  PutInt(b, 24, files_first);
  PutInt(b, 28, files_last);
  const size_t n = std::min<size_t>(description.size(), kMaxDescription);
  b[32] = static_cast<uint8_t>(n);
  std::memcpy(&b[33], description.data(), n);
  return b;
}

ExtractionTrailer ExtractionTrailer::Decode(const Bytes& b) {
  ExtractionTrailer t;
  t.setup_first = GetInt(b, 16);
  t.setup_last = GetInt(b, 20);
  t.files_first = GetInt(b, 24);
  t.files_last = GetInt(b, 28);
  const size_t n = std::min<size_t>(b[32], kMaxDescription);
  t.description.assign(reinterpret_cast<const char*>(&b[33]), n);
  return t;
}

bool ExtractionTrailer::HasSignature(const Bytes& b) {
  return b[0] == 14 && std::memcmp(&b[1], kSignature, 14) == 0;
}

ExtractionTrailer ExtractionTrailer::Read(FileSystem& fs, const std::string& path) {
  std::unique_ptr<File> f = fs.Open(path, FileAccess::kRead, share::kRead | share::kWrite, Disposition::kOpenExisting);
  if (!f)
    throw Exception(TranslatedFormat(
        "Could not open the archive file %s when trying to find the correct offset into the self extracting file",
        {path}));
  Bytes b{};
  uint32_t got = 0;
  const int64_t size = f->Size();
  const bool ok = size >= kSize && f->Seek(size - kSize, SeekOrigin::kBegin) && f->Read(b.data(), kSize, &got) &&
                  got == static_cast<uint32_t>(kSize);
  if (!ok)
    throw Exception(TranslatedFormat(
        "Could not read the extraction info from the archive file %s when trying to find the correct offset into the "
        "self extracting file",
        {path}));
  return Decode(b);
}

}  // namespace kit
