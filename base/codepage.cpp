#include "base/codepage.h"

#include <array>
#include <map>
#include <memory>
#include <unordered_map>

#include "base/codepage_backend.h"
#include "base/exception.h"

namespace kit {
namespace {

unsigned g_ansi_cp = 1252;
unsigned g_oem_cp = 437;

constexpr char32_t kBad = 0xFFFFFFFF;  // "no character"

bool KnownSingleByte(unsigned cp) {
  switch (cp) {
    case 437: case 737: case 775: case 850: case 852: case 855: case 857: case 860:
    case 861: case 862: case 863: case 865: case 866: case 869: case 874:
    case 1250: case 1251: case 1252: case 1253: case 1254: case 1255: case 1256:
    case 1257: case 1258:
      return true;
    default:
      return false;
  }
}

bool KnownDoubleByte(unsigned cp) {
  return cp == 932 || cp == 936 || cp == 949 || cp == 950;
}

bool IsPrivateUse(char32_t c) { return c >= 0xE000 && c <= 0xF8FF; }

[[noreturn]] void Unsupported(unsigned cp) {
  throw EConvertError("Code page " + std::to_string(cp) + " is not supported");
}

// Unicode simple case mapping for the letters the Windows code pages hold
// (Latin-1, Latin Extended-A, the Vietnamese and florin letters of
// Latin Extended-B, Greek, Cyrillic).
char32_t SimpleUpper(char32_t c) {
  if (c >= 'a' && c <= 'z') return c - 32;
  if (c < 0x80) return c;
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return c - 32;
  if (c == 0xFF) return 0x178;
  if (c >= 0x100 && c <= 0x12F) return (c & 1) ? c - 1 : c;
  if (c == 0x131) return 'I';
  if (c >= 0x132 && c <= 0x137) return (c & 1) ? c - 1 : c;
  if (c >= 0x139 && c <= 0x148) return (c & 1) ? c : c - 1;
  if (c >= 0x14A && c <= 0x177) return (c & 1) ? c - 1 : c;
  if (c >= 0x179 && c <= 0x17E) return (c & 1) ? c : c - 1;
  if (c == 0x192) return 0x191;
  if (c == 0x1A1) return 0x1A0;
  if (c == 0x1B0) return 0x1AF;
  if (c == 0x3AC) return 0x386;
  if (c >= 0x3AD && c <= 0x3AF) return c - 37;
  if (c >= 0x3B1 && c <= 0x3C1) return c - 32;
  if (c == 0x3C2) return 0x3A3;
  if (c >= 0x3C3 && c <= 0x3CB) return c - 32;
  if (c == 0x3CC) return 0x38C;
  if (c >= 0x3CD && c <= 0x3CE) return c - 63;
  if (c >= 0x430 && c <= 0x44F) return c - 32;
  if (c >= 0x450 && c <= 0x45F) return c - 80;
  if (c >= 0x460 && c <= 0x481) return (c & 1) ? c - 1 : c;
  if (c >= 0x490 && c <= 0x4BF) return (c & 1) ? c - 1 : c;
  return c;
}

char32_t SimpleLower(char32_t c) {
  if (c >= 'A' && c <= 'Z') return c + 32;
  if (c < 0x80) return c;
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 32;
  if (c == 0x178) return 0xFF;
  if (c >= 0x100 && c <= 0x12F) return (c & 1) ? c : c + 1;
  if (c == 0x130) return 'i';
  if (c >= 0x132 && c <= 0x137) return (c & 1) ? c : c + 1;
  if (c >= 0x139 && c <= 0x148) return (c & 1) ? c + 1 : c;
  if (c >= 0x14A && c <= 0x177) return (c & 1) ? c : c + 1;
  if (c >= 0x179 && c <= 0x17E) return (c & 1) ? c + 1 : c;
  if (c == 0x191) return 0x192;
  if (c == 0x1A0) return 0x1A1;
  if (c == 0x1AF) return 0x1B0;
  if (c == 0x386) return 0x3AC;
  if (c >= 0x388 && c <= 0x38A) return c + 37;
  if (c == 0x38C) return 0x3CC;
  if (c >= 0x38E && c <= 0x38F) return c + 63;
  if (c >= 0x391 && c <= 0x3A1) return c + 32;
  if (c >= 0x3A3 && c <= 0x3AB) return c + 32;
  if (c >= 0x410 && c <= 0x42F) return c + 32;
  if (c >= 0x400 && c <= 0x40F) return c + 80;
  if (c >= 0x460 && c <= 0x481) return (c & 1) ? c : c + 1;
  if (c >= 0x490 && c <= 0x4BF) return (c & 1) ? c : c + 1;
  return c;
}

// Everything known about one code page, built on first use.
struct CodePage {
  unsigned cp = 0;
  bool dbcs = false;
  std::array<char32_t, 256> decode{};              // single bytes; kBad = undefined
  std::unordered_map<char32_t, unsigned char> encode;  // single-byte code pages
  std::unordered_map<char32_t, std::string> dbcs_encode;  // cache, double-byte pages
  std::array<unsigned char, 256> upper{};
  std::array<unsigned char, 256> lower{};
};

// The tables are built on first use and kept; the programs that use them
// are single-threaded, so no lock guards them.

bool LeadByte(unsigned cp, unsigned char b) {
  switch (cp) {
    case 932: return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
    case 936: case 949: case 950: return b >= 0x81 && b <= 0xFE;
    default: return false;
  }
}

// Where the system converters of the two targets disagree, the Windows
// tables win: 1255 maps 0xCA to the Hebrew point holam haser (iconv leaves
// it undefined), and 950 writes four box-drawing characters that it holds
// twice with their second code (iconv picks the first).
bool FixedDecode(unsigned cp, unsigned char b, char32_t* c) {
  if (cp == 1255 && b == 0xCA) { *c = 0x05BA; return true; }
  return false;
}

bool FixedEncode(unsigned cp, char32_t c, std::string* bytes) {
  if (cp != 950) return false;
  switch (c) {
    case 0x2550: *bytes = "\xF9\xF9"; return true;
    case 0x255E: *bytes = "\xF9\xE9"; return true;
    case 0x256A: *bytes = "\xF9\xEA"; return true;
    case 0x2561: *bytes = "\xF9\xEB"; return true;
    default: return false;
  }
}

// A single non-lead byte as the system decodes it, normalised.
char32_t DecodeSingle(unsigned cp, unsigned char b) {
  if (b < 0x80) return b;
  char32_t fixed;
  if (FixedDecode(cp, b, &fixed)) return fixed;
  char32_t c = kBad;
  bool ok = cpsys::DecodeChar(cp, &b, 1, &c);
  if (ok && (IsPrivateUse(c) || c == 0xFFFD || c >= 0x10000)) ok = false;
  if (ok && c >= 0x80 && c <= 0x9F && c != b) ok = false;  // a C1 control stands only for itself
  if (!ok) return (b <= 0x9F) ? static_cast<char32_t>(b) : kBad;
  return c;
}

const CodePage& Get(unsigned cp) {
  static std::map<unsigned, std::unique_ptr<CodePage>> pages;
  auto it = pages.find(cp);
  if (it != pages.end()) {
    if (!it->second) Unsupported(cp);
    return *it->second;
  }
  bool known = KnownSingleByte(cp) || KnownDoubleByte(cp) || cp == kCpUtf8;
  if (!known || (cp != kCpUtf8 && !cpsys::Available(cp))) {
    pages.emplace(cp, nullptr);
    Unsupported(cp);
  }
  auto page = std::make_unique<CodePage>();
  page->cp = cp;
  page->dbcs = KnownDoubleByte(cp);
  for (int b = 0; b < 256; ++b) {
    unsigned char ub = static_cast<unsigned char>(b);
    if (cp == kCpUtf8) {
      page->decode[b] = b < 0x80 ? static_cast<char32_t>(b) : kBad;
    } else if (LeadByte(cp, ub)) {
      page->decode[b] = kBad;
    } else {
      page->decode[b] = DecodeSingle(cp, ub);
    }
  }
  if (!page->dbcs && cp != kCpUtf8) {
    for (int b = 255; b >= 0; --b) {
      if (page->decode[b] != kBad) page->encode[page->decode[b]] = static_cast<unsigned char>(b);
    }
  }
  for (int b = 0; b < 256; ++b) {
    page->upper[b] = page->lower[b] = static_cast<unsigned char>(b);
    char32_t c = page->decode[b];
    if (c == kBad || (page->dbcs && b >= 0x80)) continue;
    if (cp == kCpUtf8 && b >= 0x80) continue;
    auto to_byte = [&](char32_t m, unsigned char* out) {
      if (m < 0x80) { *out = static_cast<unsigned char>(m); return true; }
      if (page->dbcs || cp == kCpUtf8) return false;
      auto e = page->encode.find(m);
      if (e == page->encode.end()) return false;
      *out = e->second;
      return true;
    };
    unsigned char out;
    if (to_byte(SimpleUpper(c), &out)) page->upper[b] = out;
    if (to_byte(SimpleLower(c), &out)) page->lower[b] = out;
  }
  const CodePage& ref = *page;
  pages.emplace(cp, std::move(page));
  return ref;
}

// --- code points <-> encodings

void AppendUtf8(std::string* out, char32_t c) {
  if (c < 0x80) {
    out->push_back(static_cast<char>(c));
  } else if (c < 0x800) {
    out->push_back(static_cast<char>(0xC0 | (c >> 6)));
    out->push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else if (c < 0x10000) {
    out->push_back(static_cast<char>(0xE0 | (c >> 12)));
    out->push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out->push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else {
    out->push_back(static_cast<char>(0xF0 | (c >> 18)));
    out->push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
    out->push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out->push_back(static_cast<char>(0x80 | (c & 0x3F)));
  }
}

std::u32string DecodeUtf8(const std::string& s) {
  std::u32string out;
  out.reserve(s.size());
  size_t i = 0;
  const size_t n = s.size();
  while (i < n) {
    unsigned char b = static_cast<unsigned char>(s[i]);
    if (b < 0x80) { out.push_back(b); ++i; continue; }
    int len = 0;
    char32_t c = 0, min = 0;
    if (b >= 0xC2 && b <= 0xDF) { len = 2; c = b & 0x1F; min = 0x80; }
    else if (b >= 0xE0 && b <= 0xEF) { len = 3; c = b & 0x0F; min = 0x800; }
    else if (b >= 0xF0 && b <= 0xF4) { len = 4; c = b & 0x07; min = 0x10000; }
    bool ok = len > 0 && i + len <= n;
    for (int k = 1; ok && k < len; ++k) {
      unsigned char t = static_cast<unsigned char>(s[i + k]);
      if ((t & 0xC0) != 0x80) ok = false;
      else c = (c << 6) | (t & 0x3F);
    }
    if (ok && (c < min || c > 0x10FFFF || (c >= 0xD800 && c < 0xE000))) ok = false;
    if (!ok) { out.push_back('?'); ++i; continue; }
    out.push_back(c);
    i += len;
  }
  return out;
}

std::u32string Decode(const std::string& s, unsigned cp) {
  if (cp == kCpUtf8) return DecodeUtf8(s);
  const CodePage& page = Get(cp);
  std::u32string out;
  out.reserve(s.size());
  const size_t n = s.size();
  for (size_t i = 0; i < n; ++i) {
    unsigned char b = static_cast<unsigned char>(s[i]);
    if (page.dbcs && LeadByte(cp, b)) {
      char32_t c = kBad;
      if (i + 1 < n) {
        unsigned char pair[2] = {b, static_cast<unsigned char>(s[i + 1])};
        if (pair[1] >= 0x40 && cpsys::DecodeChar(cp, pair, 2, &c) && c >= 0x80 &&
            c < 0x10000 && !IsPrivateUse(c) && c != 0xFFFD) {
          out.push_back(c);
          ++i;
          continue;
        }
      }
      out.push_back('?');  // the next byte is read again on its own
      continue;
    }
    char32_t c = page.decode[b];
    out.push_back(c == kBad ? U'?' : c);
  }
  return out;
}

// One code point in a double-byte code page; empty when it has none.
std::string EncodeDbcs(const CodePage& page, char32_t c) {
  auto& cache = const_cast<CodePage&>(page).dbcs_encode;
  auto it = cache.find(c);
  if (it != cache.end()) return it->second;
  std::string bytes;
  if (FixedEncode(page.cp, c, &bytes)) {
  } else if (c >= 0x80 && c <= 0x9F) {
    // C1 controls: only where the single byte stands for itself.
    if (page.decode[c] == c) bytes.assign(1, static_cast<char>(c));
  } else if (c < 0x10000 && !IsPrivateUse(c) && !(c >= 0xD800 && c < 0xE000) &&
             cpsys::EncodeChar(page.cp, c, &bytes)) {
    // Accept only an exact round trip: no substitutes, no duplicates.
    std::u32string back = Decode(bytes, page.cp);
    if (back.size() != 1 || back[0] != c) bytes.clear();
  } else {
    bytes.clear();
  }
  cache.emplace(c, bytes);
  return bytes;
}

std::string Encode(const std::u32string& text, unsigned cp) {
  std::string out;
  out.reserve(text.size());
  if (cp == kCpUtf8) {
    for (char32_t c : text) AppendUtf8(&out, c);
    return out;
  }
  const CodePage& page = Get(cp);
  for (char32_t c : text) {
    if (c < 0x80) { out.push_back(static_cast<char>(c)); continue; }
    if (page.dbcs) {
      std::string bytes = EncodeDbcs(page, c);
      out += bytes.empty() ? std::string("?") : bytes;
      continue;
    }
    auto it = page.encode.find(c);
    out.push_back(it == page.encode.end() ? '?' : static_cast<char>(it->second));
  }
  return out;
}

std::string MapCase(const std::string& text, unsigned cp, bool upper) {
  const CodePage& page = Get(cp);
  std::string out = text;
  const size_t n = out.size();
  for (size_t i = 0; i < n; ++i) {
    unsigned char b = static_cast<unsigned char>(out[i]);
    if (page.dbcs && LeadByte(cp, b)) { ++i; continue; }  // skip the pair
    out[i] = static_cast<char>(upper ? page.upper[b] : page.lower[b]);
  }
  return out;
}

}  // namespace

unsigned AnsiCodePage() { return g_ansi_cp; }
void SetAnsiCodePage(unsigned cp) { Get(cp); g_ansi_cp = cp; }
unsigned OemCodePage() { return g_oem_cp; }
void SetOemCodePage(unsigned cp) { Get(cp); g_oem_cp = cp; }

bool IsCodePageSupported(unsigned cp) {
  try {
    Get(cp);
    return true;
  } catch (const EConvertError&) {
    return false;
  }
}

bool IsDBCSCodePage(unsigned cp) { return KnownDoubleByte(cp); }

bool IsDBCSLeadByte(unsigned cp, unsigned char byte) { return LeadByte(cp, byte); }

size_t CharLengthAt(const std::string& s, size_t i, unsigned cp) {
  if (i >= s.size()) return 0;
  if (LeadByte(cp, static_cast<unsigned char>(s[i])) && i + 1 < s.size()) return 2;
  return 1;
}

bool IsTrailByteAt(const std::string& s, size_t i, unsigned cp) {
  if (!KnownDoubleByte(cp) || i >= s.size()) return false;
  size_t k = 0;
  while (k < i) k += CharLengthAt(s, k, cp);
  return k != i;
}

std::string ToUtf8(const std::string& text, unsigned cp) { return Encode(Decode(text, cp), kCpUtf8); }

std::string FromUtf8(const std::string& utf8, unsigned cp) { return Encode(DecodeUtf8(utf8), cp); }

std::u16string ToUtf16(const std::string& text, unsigned cp) {
  std::u16string out;
  for (char32_t c : Decode(text, cp)) {
    if (c >= 0x10000) {
      c -= 0x10000;
      out.push_back(static_cast<char16_t>(0xD800 | (c >> 10)));
      out.push_back(static_cast<char16_t>(0xDC00 | (c & 0x3FF)));
    } else {
      out.push_back(static_cast<char16_t>(c));
    }
  }
  return out;
}

std::string FromUtf16(const std::u16string& utf16, unsigned cp) {
  std::u32string points;
  for (size_t i = 0; i < utf16.size(); ++i) {
    char32_t c = utf16[i];
    if (c >= 0xD800 && c < 0xDC00 && i + 1 < utf16.size() && utf16[i + 1] >= 0xDC00 &&
        utf16[i + 1] < 0xE000) {
      c = 0x10000 + ((c - 0xD800) << 10) + (utf16[i + 1] - 0xDC00);
      ++i;
    } else if (c >= 0xD800 && c < 0xE000) {
      c = '?';
    }
    points.push_back(c);
  }
  return Encode(points, cp);
}

std::string ConvertCodePage(const std::string& text, unsigned from, unsigned to) {
  if (from == to) {
    Get(from);
    return text;
  }
  return Encode(Decode(text, from), to);
}

std::string AnsiToOemString(const std::string& text) { return ConvertCodePage(text, g_ansi_cp, g_oem_cp); }
std::string OemToAnsiString(const std::string& text) { return ConvertCodePage(text, g_oem_cp, g_ansi_cp); }

std::string AnsiUpperCase(const std::string& text, unsigned cp) { return MapCase(text, cp, true); }
std::string AnsiLowerCase(const std::string& text, unsigned cp) { return MapCase(text, cp, false); }

}  // namespace kit
