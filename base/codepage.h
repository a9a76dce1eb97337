// Code pages: conversion of the kit's 8-bit strings between a Windows ANSI or
// OEM code page, UTF-8 and UTF-16, and the lead-byte test of the double-byte
// code pages (932, 936, 949, 950).
//
// Both targets give the same results. Single-byte code pages are converted
// through a 256-entry table built once from the system converter (iconv
// natively, MultiByteToWideChar on win32) and normalised:
// - bytes below 0x80 are ASCII;
// - a byte 0x80..0x9F that the code page leaves undefined stands for the C1
//   control of the same value (as Windows maps it), so such bytes survive a
//   round trip through UTF-8;
// - any other undefined byte, and anything the converter maps into the
//   private use area, decodes to '?'.
// Double-byte code pages are converted one character at a time; a lead byte
// whose pair is not a character decodes to '?' and the next byte is read
// again on its own. Encoding never uses "best fit" substitutes: a character
// that the code page does not hold exactly becomes '?'. Malformed UTF-8
// becomes '?' per bad byte. Nothing here reads out of bounds on bad input.
//
// An unsupported code page raises EConvertError naming the number.
#pragma once

#include <string>

namespace kit {

constexpr unsigned kCpUtf8 = 65001;

// The process's ANSI and OEM code pages, used by the helpers that take no
// code page. The program's entry point sets them from the system
// (SystemInfo::AnsiCodePage / OemCodePage); until then 1252 and 437.
unsigned AnsiCodePage();
void SetAnsiCodePage(unsigned cp);
unsigned OemCodePage();
void SetOemCodePage(unsigned cp);

bool IsCodePageSupported(unsigned cp);
bool IsDBCSCodePage(unsigned cp);
// True when the byte starts a two-byte character in that code page (always
// false for single-byte code pages and UTF-8).
bool IsDBCSLeadByte(unsigned cp, unsigned char byte);
// Number of bytes (1 or 2) of the character starting at s[i]; a lead byte at
// the very end counts as 1.
size_t CharLengthAt(const std::string& s, size_t i, unsigned cp);
// True when s[i] is the second byte of a double-byte character.
bool IsTrailByteAt(const std::string& s, size_t i, unsigned cp);

std::string ToUtf8(const std::string& text, unsigned cp);
std::string FromUtf8(const std::string& utf8, unsigned cp);
std::u16string ToUtf16(const std::string& text, unsigned cp);
std::string FromUtf16(const std::u16string& utf16, unsigned cp);
// Re-encodes text from one code page into another (ANSI to OEM for console
// output, CharToOem); characters missing in `to` become '?'.
std::string ConvertCodePage(const std::string& text, unsigned from, unsigned to);

// Between the process's ANSI and OEM code pages.
std::string AnsiToOem(const std::string& text);
std::string OemToAnsi(const std::string& text);

// Case mapping of one code page's text: letters of the code page (not only
// ASCII) change case by the Unicode simple case mapping when the other case
// exists in the same code page; bytes of double-byte characters are never
// touched. Dotless i upper-cases to I and dotted capital I lower-cases to i
// (the locale-independent mapping Windows uses).
std::string AnsiUpperCase(const std::string& text, unsigned cp);
std::string AnsiLowerCase(const std::string& text, unsigned cp);

}  // namespace kit
