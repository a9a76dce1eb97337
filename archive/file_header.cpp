#include "archive/file_header.h"

#include <cstring>

#include "archive/archive_errors.h"
#include "archive/file_date.h"
#include "archive/percent.h"
#include "base/paths.h"
#include "base/text.h"
#include "archive/file_headers.h"

namespace kit {
namespace {

constexpr size_t kOffFileNumber = 0, kOffFileDate = 4, kOffLastDisk = 12, kOffDataEnd = 16,
                 kOffFileName = 20, kOffNextHeader = 124, kOffFileSize = 128, kOffDataStart = 132,
                 kOffCompressedSize = 136, kOffFirstDisk = 140, kOffFileVersion = 141;

void PutInt(uint8_t* p, int32_t v) {
  uint32_t u = static_cast<uint32_t>(v);
  for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(u >> (8 * i));
}

int32_t GetInt(const uint8_t* p) {
  uint32_t u = 0;
  for (int i = 3; i >= 0; --i) u = (u << 8) | p[i];
  return static_cast<int32_t>(u);
}

void PutDouble(uint8_t* p, double v) {
  uint64_t u;
  std::memcpy(&u, &v, 8);
  for (int i = 0; i < 8; ++i) p[i] = static_cast<uint8_t>(u >> (8 * i));
}

double GetDouble(const uint8_t* p) {
  uint64_t u = 0;
  for (int i = 7; i >= 0; --i) u = (u << 8) | p[i];
  double v;
  std::memcpy(&v, &u, 8);
  return v;
}

void PutString(uint8_t* p, const std::string& s, size_t capacity) {
  size_t n = s.size() < capacity ? s.size() : capacity;
  p[0] = static_cast<uint8_t>(n);
  std::memcpy(p + 1, s.data(), n);
}

std::string GetString(const uint8_t* p, size_t capacity) {
  size_t n = p[0] < capacity ? p[0] : capacity;
  return std::string(reinterpret_cast<const char*>(p + 1), n);
}

}  // namespace

void TFileHeader::SetFileName(const std::string& name) {
  file_name_ = name.substr(0, kNameCapacity);
  if (owner_ != nullptr) owner_->NamesChanged();
}

void TFileHeader::SetFileVersion(const std::string& version) {
  file_version_ = version.substr(0, kVersionCapacity);
}

void TFileHeader::FillFromFile(const std::string& item, FileSystem& fs, const FileVersionLookup& version,
                               const KnownSource& known) {
  std::string path = item.substr(0, item.find(';'));
  // A cut name would archive the wrong file under a name nobody looks for.
  if (path.size() > kNameCapacity) throw EKCFHFileNameTooLong(path);
  SetFileName(path);
  int64_t size = 0;
  uint32_t dos = 0;
  std::string known_version;
  if (known && known(file_name_, &size, &dos, &known_version)) {
    FileDate = DosToFileDate(dos);
    FileSize = static_cast<int32_t>(size);
    SetFileVersion(known_version);
    return;
  }
  auto file = fs.Open(file_name_, FileAccess::kRead, share::kRead | share::kWrite,
                      Disposition::kOpenExisting);
  if (!file) throw EKCCouldNotOpenFile(file_name_);
  if (!file->GetTime(&dos)) throw EKCCouldNotOpenFile(file_name_);
  size = file->Size();
  if (size < 0) throw EKCCouldNotOpenFile(file_name_);
  if (size > INT32_MAX) throw EKCCouldNotOpenFile(file_name_);
  FileDate = DosToFileDate(dos);
  FileSize = static_cast<int32_t>(size);
  file.reset();
  SetFileVersion(version ? version(file_name_) : std::string());
}

std::array<uint8_t, kHeaderRecordSize> TFileHeader::Record() const {
  std::array<uint8_t, kHeaderRecordSize> r = raw_;
  uint8_t* p = r.data();
  PutInt(p + kOffFileNumber, FileNumber);
  PutDouble(p + kOffFileDate, FileDate);
  p[kOffLastDisk] = LastDisk;
  PutInt(p + kOffDataEnd, DataEnd);
  PutString(p + kOffFileName, file_name_, kNameCapacity);
  PutInt(p + kOffNextHeader, NextHeader);
  PutInt(p + kOffFileSize, FileSize);
  PutInt(p + kOffDataStart, DataStart);
  PutInt(p + kOffCompressedSize, CompressedSize);
  p[kOffFirstDisk] = FirstDisk;
  PutString(p + kOffFileVersion, file_version_, kVersionCapacity);
  return r;
}

void TFileHeader::SetRecord(const std::array<uint8_t, kHeaderRecordSize>& record) {
  raw_ = record;
  const uint8_t* p = raw_.data();
  FileNumber = GetInt(p + kOffFileNumber);
  FileDate = GetDouble(p + kOffFileDate);
  LastDisk = p[kOffLastDisk];
  DataEnd = GetInt(p + kOffDataEnd);
  SetFileName(GetString(p + kOffFileName, kNameCapacity));
  NextHeader = GetInt(p + kOffNextHeader);
  FileSize = GetInt(p + kOffFileSize);
  DataStart = GetInt(p + kOffDataStart);
  CompressedSize = GetInt(p + kOffCompressedSize);
  FirstDisk = p[kOffFirstDisk];
  SetFileVersion(GetString(p + kOffFileVersion, kVersionCapacity));
}

void TFileHeader::ReadFromStream(TKblnStream& stream) {
  std::array<uint8_t, kHeaderRecordSize> r{};
  uint32_t got = 0;
  // A stream may hand out fewer bytes than asked without being at its end.
  while (got < r.size()) {
    uint32_t n = stream.Read(r.data() + got, static_cast<uint32_t>(r.size() - got));
    if (n == 0) break;
    got += n;
  }
  if (got < r.size()) throw EKCFHCannotReadHeaders();
  SetRecord(r);
  Stored = true;
}

void TFileHeader::WriteToStream(TKblnStream& stream) const {
  std::array<uint8_t, kHeaderRecordSize> r = Record();
  if (stream.Write(r.data(), static_cast<uint32_t>(r.size())) != r.size())
    throw EKCFHCannotWriteHeaders();
}

bool TFileHeader::IsValid() const { return !Trim(file_name_).empty(); }

}  // namespace kit
