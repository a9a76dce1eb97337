#include "config/stored_forms_appended.h"

#include <array>

namespace kit {
namespace {

// A form larger than this is not a form but a damaged length.
constexpr uint32_t kMaxForm = 64u << 20;

void PutU32(std::string& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}

uint32_t GetU32(std::string_view b, size_t at) {
  uint32_t v = 0;
  for (int i = 0; i < 4; ++i) v |= static_cast<uint32_t>(static_cast<unsigned char>(b[at + i])) << (8 * i);
  return v;
}

}  // namespace

uint32_t Crc32(std::string_view bytes) {
  static const std::array<uint32_t, 256> table = [] {
    std::array<uint32_t, 256> t{};
    for (uint32_t i = 0; i < 256; ++i) {
      uint32_t c = i;
      for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      t[i] = c;
    }
    return t;
  }();
  uint32_t crc = 0xFFFFFFFFu;
  for (unsigned char ch : bytes) crc = table[(crc ^ ch) & 0xFF] ^ (crc >> 8);
  return crc ^ 0xFFFFFFFFu;
}

std::string AppendedFormBlock(std::string_view form) {
  std::string out(kAppendedFormMarker);
  out.append(form);
  PutU32(out, static_cast<uint32_t>(form.size()));
  PutU32(out, Crc32(form));
  out.append(kAppendedFormMagic);
  return out;
}

AppendedForm FindAppendedForm(int64_t size,
                              const std::function<bool(int64_t offset, size_t count, std::string* out)>& read_at) {
  AppendedForm found;
  found.program_size = size;
  std::string trailer;
  if (size < kAppendedFormTrailerSize || !read_at(size - kAppendedFormTrailerSize, kAppendedFormTrailerSize, &trailer))
    return found;
  if (std::string_view(trailer).substr(8) != kAppendedFormMagic) return found;
  auto damaged = [&found](const std::string& why) {
    found.state = AppendedForm::State::kDamaged;
    found.problem = why;
    return found;
  };
  const uint32_t length = GetU32(trailer, 0);
  const uint32_t crc = GetU32(trailer, 4);
  const int64_t block = static_cast<int64_t>(kAppendedFormMarker.size()) + length + kAppendedFormTrailerSize;
  if (length > kMaxForm || block > size)
    return damaged("its length (" + std::to_string(length) + " bytes) does not fit in the file");
  const int64_t start = size - block;
  std::string bytes;
  if (!read_at(start, kAppendedFormMarker.size() + length, &bytes)) return damaged("it cannot be read");
  if (std::string_view(bytes).substr(0, kAppendedFormMarker.size()) != kAppendedFormMarker)
    return damaged("the marker before it is missing");
  bytes.erase(0, kAppendedFormMarker.size());
  if (Crc32(bytes) != crc) return damaged("its checksum does not match");
  found.state = AppendedForm::State::kFound;
  found.text = std::move(bytes);
  found.program_size = start;
  return found;
}

}  // namespace kit
