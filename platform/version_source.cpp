#include "platform/version_source.h"

#include <cstdio>

namespace kit {
namespace {

uint32_t U32(const unsigned char* p) {
  return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
         (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

}  // namespace

bool DecodeFixedFileInfo(std::string_view bytes, FixedFileInfo* info) {
  if (bytes.size() < FixedFileInfo::kSize) return false;
  const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
  uint32_t* fields[] = {&info->signature,          &info->struct_version,
                        &info->file_version_ms,    &info->file_version_ls,
                        &info->product_version_ms, &info->product_version_ls,
                        &info->flags_mask,         &info->flags,
                        &info->os,                 &info->type,
                        &info->subtype,            &info->date_ms,
                        &info->date_ls};
  for (size_t i = 0; i < sizeof fields / sizeof fields[0]; ++i) *fields[i] = U32(p + 4 * i);
  return info->signature == FixedFileInfo::kSignature;
}

std::vector<Translation> ReadTranslations(VersionSource& source, const std::string& block) {
  std::vector<Translation> out;
  std::string bytes;
  if (!source.Query(block, "\\VarFileInfo\\Translation", &bytes)) return out;
  const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
  for (size_t i = 0; i + 4 <= bytes.size(); i += 4) {
    out.push_back({static_cast<uint16_t>(p[i] | (p[i + 1] << 8)),
                   static_cast<uint16_t>(p[i + 2] | (p[i + 3] << 8))});
  }
  return out;
}

std::string StringFileInfoPath(uint16_t language, uint16_t code_page, const std::string& key) {
  char hex[9];
  std::snprintf(hex, sizeof hex, "%04X%04X", static_cast<unsigned>(language),
                static_cast<unsigned>(code_page));
  return std::string("\\StringFileInfo\\") + hex + "\\" + key;
}

std::string Latin1FromWide(std::u16string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char16_t c : text) out.push_back(c < 256 ? static_cast<char>(c) : '?');
  return out;
}

}  // namespace kit
