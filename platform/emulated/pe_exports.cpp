#include "platform/emulated/pe_exports.h"

#include <cstdlib>

namespace kit::emu {

namespace {

struct Reader {
  const std::string& b;
  bool ok = true;
  uint32_t U16(uint64_t at) {
    if (at + 2 > b.size()) { ok = false; return 0; }
    return static_cast<unsigned char>(b[at]) | static_cast<unsigned char>(b[at + 1]) << 8;
  }
  uint32_t U32(uint64_t at) { return U16(at) | U16(at + 2) << 16; }
};

}  // namespace

bool PeExports::Has(const std::string& export_name) const {
  if (!export_name.empty() && export_name[0] == '#') {
    char* end = nullptr;
    unsigned long n = std::strtoul(export_name.c_str() + 1, &end, 10);
    return end && *end == 0 && n >= ordinal_base && n < uint64_t{ordinal_base} + ordinal_count;
  }
  for (const auto& n : names)
    if (n == export_name) return true;  // export names are case-sensitive
  return false;
}

bool IsPeFile(const std::string& bytes) {
  Reader r{bytes};
  if (bytes.size() < 0x40 || bytes[0] != 'M' || bytes[1] != 'Z') return false;
  uint32_t pe = r.U32(0x3C);
  return r.ok && uint64_t{pe} + 4 <= bytes.size() && bytes.compare(pe, 4, std::string("PE\0\0", 4)) == 0;
}

std::optional<PeExports> ReadPeExports(const std::string& bytes) {
  if (!IsPeFile(bytes)) return std::nullopt;
  Reader r{bytes};
  uint64_t pe = r.U32(0x3C);
  uint64_t coff = pe + 4;
  uint32_t sections = r.U16(coff + 2);
  uint32_t opt_size = r.U16(coff + 16);
  uint64_t opt = coff + 20;
  uint32_t magic = r.U16(opt);
  uint64_t dirs, count_at;
  if (magic == 0x10b) {
    count_at = opt + 92;
    dirs = opt + 96;
  } else if (magic == 0x20b) {
    count_at = opt + 108;
    dirs = opt + 112;
  } else {
    return std::nullopt;
  }
  PeExports out;
  if (r.U32(count_at) == 0 || !r.ok) return r.ok ? std::optional<PeExports>(out) : std::nullopt;
  uint32_t export_rva = r.U32(dirs);
  if (!r.ok) return std::nullopt;
  if (export_rva == 0) return out;
  uint64_t table = opt + opt_size;
  auto to_offset = [&](uint32_t rva, uint64_t* off) {
    for (uint32_t i = 0; i < sections; ++i) {
      uint64_t s = table + uint64_t{i} * 40;
      uint32_t vsize = r.U32(s + 8), va = r.U32(s + 12), raw_size = r.U32(s + 16),
               raw = r.U32(s + 20);
      uint32_t span = vsize > raw_size ? vsize : raw_size;
      if (rva >= va && rva < uint64_t{va} + span) {
        *off = uint64_t{raw} + (rva - va);
        return r.ok && *off < bytes.size();
      }
    }
    return false;
  };
  uint64_t ed;
  if (!to_offset(export_rva, &ed)) return std::nullopt;
  out.ordinal_base = r.U32(ed + 16);
  out.ordinal_count = r.U32(ed + 20);
  uint32_t name_count = r.U32(ed + 24);
  uint32_t names_rva = r.U32(ed + 32);
  if (!r.ok || name_count > 65536) return std::nullopt;
  uint64_t names = 0;
  if (name_count && !to_offset(names_rva, &names)) return std::nullopt;
  for (uint32_t i = 0; i < name_count; ++i) {
    uint64_t s;
    if (!to_offset(r.U32(names + uint64_t{i} * 4), &s) || !r.ok) return std::nullopt;
    size_t z = bytes.find('\0', s);
    if (z == std::string::npos) return std::nullopt;
    out.names.push_back(bytes.substr(s, z - s));
  }
  return out;
}

}  // namespace kit::emu
