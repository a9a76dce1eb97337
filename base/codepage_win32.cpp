// Win32 backend of the code-page conversion.
#include <windows.h>

#include "base/codepage_backend.h"

namespace kit::cpsys {

bool Available(unsigned cp) {
  CPINFO info;
  return IsValidCodePage(cp) && GetCPInfo(cp, &info);
}

bool DecodeChar(unsigned cp, const unsigned char* bytes, size_t n, char32_t* out) {
  WCHAR w[4];
  int got = MultiByteToWideChar(cp, MB_ERR_INVALID_CHARS, reinterpret_cast<const char*>(bytes),
                                static_cast<int>(n), w, 4);
  if (got != 1) return false;
  *out = static_cast<char32_t>(w[0]);
  return true;
}

bool EncodeChar(unsigned cp, char32_t ch, std::string* out) {
  if (ch >= 0x10000 || (ch >= 0xD800 && ch < 0xE000)) return false;
  WCHAR w = static_cast<WCHAR>(ch);
  char buf[8];
  BOOL used_default = FALSE;
  int got = WideCharToMultiByte(cp, WC_NO_BEST_FIT_CHARS, &w, 1, buf, sizeof buf, nullptr,
                                &used_default);
  if (got <= 0 || got > 2 || used_default) return false;
  out->assign(buf, static_cast<size_t>(got));
  return true;
}

}  // namespace kit::cpsys
