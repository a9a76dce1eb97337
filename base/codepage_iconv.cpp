// iconv backend of the code-page conversion (native target).
#include <errno.h>
#include <iconv.h>

#include <map>
#include <string>
#include <utility>

#include "base/codepage_backend.h"

namespace kit::cpsys {
namespace {

std::string GlibcName(unsigned cp) {
  switch (cp) {
    case 949: return "UHC";
    case 932: return "CP932";
    default: return "CP" + std::to_string(cp);
  }
}

struct Converters {
  iconv_t decode = reinterpret_cast<iconv_t>(-1);  // cp -> UTF-32LE
  iconv_t encode = reinterpret_cast<iconv_t>(-1);  // UTF-32LE -> cp
  bool ok() const {
    return decode != reinterpret_cast<iconv_t>(-1) && encode != reinterpret_cast<iconv_t>(-1);
  }
};

// The converters of every code page used, closed when the program ends.
struct Cache {
  std::map<unsigned, Converters> map;
  ~Cache() {
    for (auto& [cp, c] : map) {
      if (c.decode != reinterpret_cast<iconv_t>(-1)) iconv_close(c.decode);
      if (c.encode != reinterpret_cast<iconv_t>(-1)) iconv_close(c.encode);
    }
  }
};

Converters& For(unsigned cp) {
  static Cache holder;
  std::map<unsigned, Converters>& cache = holder.map;
  auto it = cache.find(cp);
  if (it != cache.end()) return it->second;
  Converters c;
  std::string name = GlibcName(cp);
  c.decode = iconv_open("UTF-32LE", name.c_str());
  c.encode = iconv_open(name.c_str(), "UTF-32LE");
  return cache.emplace(cp, c).first->second;
}

// One call of iconv on a whole input; false unless all of it was converted.
bool Run(iconv_t cd, const char* in, size_t n, char* out, size_t cap, size_t* produced) {
  iconv(cd, nullptr, nullptr, nullptr, nullptr);
  char* inp = const_cast<char*>(in);
  size_t inleft = n;
  char* outp = out;
  size_t outleft = cap;
  size_t r = iconv(cd, &inp, &inleft, &outp, &outleft);
  if (r == static_cast<size_t>(-1) || inleft != 0) return false;
  // Flush any shift state.
  if (iconv(cd, nullptr, nullptr, &outp, &outleft) == static_cast<size_t>(-1)) return false;
  *produced = cap - outleft;
  return true;
}

}  // namespace

bool Available(unsigned cp) {
  return For(cp).ok();
}

bool DecodeChar(unsigned cp, const unsigned char* bytes, size_t n, char32_t* out) {
  Converters& c = For(cp);
  if (!c.ok()) return false;
  char buf[16];
  size_t got = 0;
  if (!Run(c.decode, reinterpret_cast<const char*>(bytes), n, buf, sizeof buf, &got)) return false;
  if (got != 4) return false;  // not exactly one character
  const unsigned char* u = reinterpret_cast<const unsigned char*>(buf);
  *out = static_cast<char32_t>(u[0] | (u[1] << 8) | (u[2] << 16) | (static_cast<uint32_t>(u[3]) << 24));
  return true;
}

bool EncodeChar(unsigned cp, char32_t ch, std::string* out) {
  Converters& c = For(cp);
  if (!c.ok()) return false;
  unsigned char in[4] = {static_cast<unsigned char>(ch), static_cast<unsigned char>(ch >> 8),
                         static_cast<unsigned char>(ch >> 16), static_cast<unsigned char>(ch >> 24)};
  char buf[16];
  size_t got = 0;
  if (!Run(c.encode, reinterpret_cast<const char*>(in), 4, buf, sizeof buf, &got)) return false;
  if (got == 0 || got > 2) return false;
  out->assign(buf, got);
  return true;
}

}  // namespace kit::cpsys
