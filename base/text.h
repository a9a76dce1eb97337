// String helpers on the kit's 8-bit strings. The plain functions work on
// ASCII letters only; the Ansi* ones follow a code page (the process's ANSI
// code page when none is given). No helper ever splits a double-byte
// character of the process's ANSI code page.
#pragma once

#include <string>

#include "base/codepage.h"

namespace kit {

// Remove spaces and control characters (bytes <= ' ') at the ends.
std::string Trim(const std::string& s);
std::string TrimLeft(const std::string& s);
std::string TrimRight(const std::string& s);

// ASCII letters only; bytes of double-byte characters stay as they are.
std::string UpperCase(const std::string& s);
std::string LowerCase(const std::string& s);
// Letters of the code page (see codepage.h).
std::string AnsiUpperCase(const std::string& s);
std::string AnsiLowerCase(const std::string& s);

// Comparison ignoring the case of ASCII letters: <0, 0, >0 by the bytes of
// the upper-cased texts.
int CompareText(const std::string& a, const std::string& b);
bool SameText(const std::string& a, const std::string& b);
// Comparison ignoring the case of the code page's letters: the texts are
// folded (upper, then lower case) and compared by their characters' code
// points.
// Equality is what Windows' case-insensitive comparison gives for the
// letters of the code page; the order is by code point, not linguistic.
int AnsiCompareText(const std::string& a, const std::string& b, unsigned cp);
int AnsiCompareText(const std::string& a, const std::string& b);
bool AnsiSameText(const std::string& a, const std::string& b, unsigned cp);
bool AnsiSameText(const std::string& a, const std::string& b);
// Case-sensitive, by bytes.
int CompareStr(const std::string& a, const std::string& b);

// 1-based position of the first occurrence of sub in s, 0 when absent or
// when sub is empty. AnsiPos never reports a match that starts on the
// second byte of a double-byte character.
size_t Pos(const std::string& sub, const std::string& s);
size_t AnsiPos(const std::string& sub, const std::string& s, unsigned cp);

namespace rf {
constexpr unsigned kReplaceAll = 1;
constexpr unsigned kIgnoreCase = 2;  // ASCII letters
}  // namespace rf
// Replaces the first (or with rf::kReplaceAll every) occurrence of from.
// An empty `from` leaves s unchanged. Replaced text is not searched again.
std::string StringReplace(const std::string& s, const std::string& from, const std::string& to,
                          unsigned flags);

// s in single quotes, inner quotes doubled.
std::string QuotedStr(const std::string& s);

}  // namespace kit
