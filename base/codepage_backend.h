// The system converter behind codepage.cpp: iconv natively
// (codepage_iconv.cpp), the Win32 API on win32 (codepage_win32.cpp).
#pragma once

#include <cstddef>
#include <string>

namespace kit::cpsys {

// True when the system can convert this code page at all.
bool Available(unsigned cp);
// Decodes exactly one character of n (1 or 2) bytes to one code point.
bool DecodeChar(unsigned cp, const unsigned char* bytes, size_t n, char32_t* out);
// Encodes one code point (below 0x10000) without substitutes; false when the
// code page has no such character.
bool EncodeChar(unsigned cp, char32_t c, std::string* out);

}  // namespace kit::cpsys
