#include "ui/picture.h"

#include <cstdio>
#include <cstring>

#include "base/exception.h"

namespace kit {
namespace {

int32_t Le32(const Bytes& b, size_t at) {
  return static_cast<int32_t>(b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (uint32_t(b[at + 3]) << 24));
}

// A file header, an info header of at least the old size, and pixels that
// start inside the data.
void CheckBitmap(const Bytes& data, const std::string& what) {
  if (data.empty()) return;
  if (data.size() < 26 || data[0] != 'B' || data[1] != 'M')
    throw Exception(what + " is not a bitmap (.bmp) file");
  const int32_t offset = Le32(data, 10);
  const int32_t header = Le32(data, 14);
  if (header < 12 || offset < 14 + header || static_cast<size_t>(offset) > data.size())
    throw Exception(what + " is a damaged bitmap: its headers do not fit in its " +
                    std::to_string(data.size()) + " bytes");
}

}  // namespace

const PropertyTable& TPicture::Properties() {
  static const PropertyTable table = PropertyTable::Make<TPicture>([](auto& p) {
    p.Binary("Data", &TPicture::SetData, &TPicture::Data);
    p.Str("ResourceName", &TPicture::SetResourceName, &TPicture::ResourceName);
  });
  return table;
}

void TPicture::Changed() {
  if (on_change) on_change();
}

void TPicture::SetData(const Bytes& data) {
  CheckBitmap(data, "The picture data");
  data_ = data;
  if (!data.empty()) resource_.clear();
  Changed();
}

void TPicture::SetResourceName(const std::string& name) {
  resource_ = name;
  if (!name.empty()) data_.clear();
  Changed();
}

void TPicture::LoadFromFile(const std::string& path) {
  std::FILE* in = std::fopen(path.c_str(), "rb");
  if (in == nullptr) throw Exception("Cannot open the picture file " + path);
  Bytes data;
  unsigned char block[4096];
  size_t got;
  while ((got = std::fread(block, 1, sizeof block, in)) > 0) data.insert(data.end(), block, block + got);
  const bool failed = std::ferror(in) != 0;
  std::fclose(in);
  if (failed) throw Exception("Cannot read the picture file " + path);
  CheckBitmap(data, "The picture file " + path);
  if (data.empty()) throw Exception("The picture file " + path + " is empty");
  data_ = std::move(data);
  resource_.clear();
  Changed();
}

void TPicture::Clear() {
  data_.clear();
  resource_.clear();
  Changed();
}

int TPicture::Width() const {
  if (data_.empty()) return 0;
  if (Le32(data_, 14) == 12) return data_[18] | (data_[19] << 8);
  return Le32(data_, 18);
}

int TPicture::Height() const {
  if (data_.empty()) return 0;
  if (Le32(data_, 14) == 12) return data_[20] | (data_[21] << 8);
  const int32_t h = Le32(data_, 22);
  return h < 0 ? -h : h;
}

}  // namespace kit
