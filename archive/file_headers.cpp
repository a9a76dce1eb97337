#include "archive/file_headers.h"

#include "archive/archive_errors.h"
#include "archive/file_date.h"
#include "archive/percent.h"
#include "base/paths.h"
#include "base/text.h"

namespace kit {

namespace {
inline unsigned char UpperByte(char c) {
  unsigned char u = static_cast<unsigned char>(c);
  return (u >= 'a' && u <= 'z') ? static_cast<unsigned char>(u - 32) : u;
}
}  // namespace

size_t TFileHeaders::NameHash::operator()(std::string_view name) const {
  size_t h = 14695981039346656037ull & SIZE_MAX;  // FNV-1a
  for (char c : name) h = (h ^ UpperByte(c)) * static_cast<size_t>(1099511628211ull);
  return h;
}

bool TFileHeaders::NameEqual::operator()(std::string_view a, std::string_view b) const {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (UpperByte(a[i]) != UpperByte(b[i])) return false;
  return true;
}

TFileHeader* TFileHeaders::GetFileHeaders(int index) const {
  if (index < 0 || index >= Count())
    throw Exception("GetFileHeaders--module cmp_TFileHeaders--Create constructor");
  return headers_[static_cast<size_t>(index)].get();
}

void TFileHeaders::Add(std::unique_ptr<TFileHeader> header) {
  if (!header || !header->IsValid()) throw EKCFHInvalidNewFileHeader();
  header->owner_ = this;
  headers_.push_back(std::move(header));
  if (index_valid_) index_.emplace(headers_.back()->FileName(), Count() - 1);
}

void TFileHeaders::Clear() {
  headers_.clear();
  index_.clear();
  index_valid_ = false;
}

void TFileHeaders::AddFromList(const std::vector<std::string>& list, bool keep, FileSystem& fs,
                               const FileVersionLookup& version, const KnownSource& known) {
  if (!keep) Clear();
  for (size_t i = 0; i < list.size(); ++i) {
    auto h = std::make_unique<TFileHeader>();
    h->FillFromFile(list[i], fs, version, known);
    h->FileNumber = static_cast<int32_t>(i + 1);
    Add(std::move(h));
  }
}

void TFileHeaders::BuildIndex() const {
  index_.clear();
  index_.reserve(headers_.size());
  for (size_t i = 0; i < headers_.size(); ++i)
    index_.emplace(headers_[i]->FileName(), static_cast<int>(i));  // keeps the first
  index_valid_ = true;
}

int TFileHeaders::IndexOfWhole(const std::string& name) const {
  if (!index_valid_) BuildIndex();
  auto it = index_.find(std::string_view(name));
  return it == index_.end() ? -1 : it->second;
}

int TFileHeaders::IndexOf(const std::string& name) const {
  size_t semicolon = name.find(';');
  if (semicolon == std::string::npos) return IndexOfWhole(name);
  return IndexOfWhole(name.substr(0, semicolon));
}

void TFileHeaders::ReadFromStream(TKblnStream& stream, int64_t offset) {
  Clear();
  if (stream.Seek(offset, SeekOrigin::kBegin) != offset) throw EKCFHCannotReadHeaderCount();
  uint8_t start[5];
  if (stream.Read(start, 4) != 4) throw EKCFHCannotReadHeaderCount();
  if (stream.Read(start + 4, 1) != 1) throw EKCFHCannotReadHeaderCount();
  int32_t count = static_cast<int32_t>(static_cast<uint32_t>(start[0]) |
                                       static_cast<uint32_t>(start[1]) << 8 |
                                       static_cast<uint32_t>(start[2]) << 16 |
                                       static_cast<uint32_t>(start[3]) << 24);
  MultiVolume = start[4];
  int64_t rel = 5;  // position of the next record, relative to the archive
  for (int32_t i = 0; i < count; ++i) {
    if (stream.Seek(offset + rel, SeekOrigin::kBegin) != offset + rel) throw EKCFHCannotReadHeaders();
    auto h = std::make_unique<TFileHeader>();
    h->ReadFromStream(stream);
    // A name holding a NUL or another control character would be shown one
    // way and written another: the table is damaged.
    for (char c : h->FileName())
      if (static_cast<unsigned char>(c) < 32 || c == 127) throw EKCFHCannotReadHeaders();
    int64_t next = h->NextHeader;
    Add(std::move(h));
    // Every record lies wholly behind the one before it; a link that points
    // back or into the record itself would walk in circles.
    if (i + 1 < count && next < rel + kHeaderRecordSize) throw EKCFHCannotReadHeaders();
    rel = next;
  }
}

void TFileHeaders::WriteToStream(TKblnStream& stream) {
  if (stream.Seek(0, SeekOrigin::kBegin) != 0) throw EKCFHCannotWriteHeaders();
  uint32_t count = static_cast<uint32_t>(Count());
  uint8_t start[5] = {static_cast<uint8_t>(count), static_cast<uint8_t>(count >> 8),
                      static_cast<uint8_t>(count >> 16), static_cast<uint8_t>(count >> 24),
                      MultiVolume};
  if (stream.Write(start, 5) != 5) throw EKCFHCannotWriteHeaders();
  if (MultiVolume == 0) return;
  for (auto& h : headers_) {
    int64_t pos = stream.Position();
    if (pos < 0) throw EKCFHCannotWriteHeaders();
    h->NextHeader = static_cast<int32_t>(pos + kHeaderRecordSize);
    h->WriteToStream(stream);
  }
}

void TFileHeaders::SumSizes(TlzhFileStats& stats) const {
  int64_t size = 0, compressed = 0;
  for (auto& h : headers_) {
    size += h->FileSize;
    compressed += h->CompressedSize;
  }
  stats.TotalFileSize = static_cast<int32_t>(size);
  stats.TotalCompressedSize = static_cast<int32_t>(compressed);
}

void TFileHeaders::StartTotals(TlzhFileStats& stats) const {
  stats.TotalBytesProcessed = 0;
  stats.TotalPercentDone = 0;
  stats.Finished = false;
  SumSizes(stats);
  stats.TotalCompressionRatio =
      PercentByte(stats.TotalCompressedSize, stats.TotalFileSize);
}

}  // namespace kit
