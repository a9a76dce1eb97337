#include "base/codepage.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "base/exception.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace kit {
namespace {

std::string AllHighBytes() {
  std::string s;
  for (int b = 0x80; b < 0x100; ++b) s.push_back(static_cast<char>(b));
  return s;
}

uint64_t Fnv(const std::string& s) {
  uint64_t h = 1469598103934665603ull;
  for (unsigned char c : s) h = (h ^ c) * 1099511628211ull;
  return h;
}

TEST(CodePage, SingleByteCodePagesToUtf8) {
  EXPECT_EQ(ToUtf8("Setup \x80\xE9", 1252), "Setup \xE2\x82\xAC\xC3\xA9");  // € é
  // Turkish 1254: ğ İ ş ı
  EXPECT_EQ(ToUtf8("\xF0\xDD\xFE\xFD", 1254), "\xC4\x9F\xC4\xB0\xC5\x9F\xC4\xB1");
  EXPECT_EQ(FromUtf8("L\xC3\xBC\x74\x66\x65n Disketi Tak\xC4\xB1n", 1254), "L\xFCtfen Disketi Tak\xFDn");
  EXPECT_EQ(ToUtf8("\x80\x9E\xA7", 857), "\xC3\x87\xC5\x9E\xC4\x9F");  // Ç Ş ğ
  EXPECT_EQ(ToUtf8("\x80\xE1", 437), "\xC3\x87\xC3\x9F");              // Ç ß
  EXPECT_EQ(ToUtf8("\xC0\xFF", 1251), "\xD0\x90\xD1\x8F");             // А я
  // Control characters and ASCII stay as they are, in OEM pages too.
  EXPECT_EQ(ToUtf8(std::string("\x01\x1f\x7f\x00z", 5), 437), std::string("\x01\x1f\x7f\x00z", 5));
}

TEST(CodePage, UnmappableCharactersBecomeQuestionMarks) {
  EXPECT_EQ(FromUtf8("\xC4\x9F", 1252), "?");               // ğ is not in 1252
  EXPECT_EQ(FromUtf8("\xC4\x81", 1252), "?");               // ā, no best fit to 'a'
  EXPECT_EQ(FromUtf8("\xE2\x88\x9E", 1254), "?");           // ∞
  EXPECT_EQ(FromUtf8("\xF0\x9F\x98\x80", 1252), "?");       // outside the BMP
  EXPECT_EQ(FromUtf8("\xEF\xA3\xB0", 932), "?");            // private use
  EXPECT_EQ(ToUtf8("\xAA\xD2", 1253), "??");                // undefined in 1253
  // The undefined bytes 0x80..0x9F of 1252 stand for the C1 controls, as
  // Windows maps them, and survive a round trip.
  EXPECT_EQ(ToUtf8("\x81\x8D\x8F\x90\x9D", 1252), "\xC2\x81\xC2\x8D\xC2\x8F\xC2\x90\xC2\x9D");
  EXPECT_EQ(FromUtf8("\xC2\x81", 1252), "\x81");
  EXPECT_EQ(FromUtf8("\xC2\x81", 437), "?");  // 0x81 is ü in 437, not U+0081
}

TEST(CodePage, MalformedUtf8NeverReadsPastTheEnd) {
  EXPECT_EQ(FromUtf8("a\xC3", 1252), "a?");
  EXPECT_EQ(FromUtf8("\xC0\xAF", 1252), "??");          // overlong
  EXPECT_EQ(FromUtf8("\xED\xA0\x80", 1252), "???");     // surrogate
  EXPECT_EQ(FromUtf8("\xE2\x82", 1252), "??");          // cut short
  EXPECT_EQ(FromUtf8("\xF5\x80\x80\x80", 1252), "????");
  EXPECT_EQ(ToUtf8("\xC3\xA9x", kCpUtf8), "\xC3\xA9x");
  EXPECT_EQ(ToUtf8("\xFF", kCpUtf8), "?");
}

TEST(CodePage, DoubleByteCodePages) {
  // 日本 and half-width katakana ｱ in 932.
  EXPECT_EQ(ToUtf8("\x93\xFA\x96\x7B\xB1", 932), "\xE6\x97\xA5\xE6\x9C\xAC\xEF\xBD\xB1");
  EXPECT_EQ(FromUtf8("\xE6\x97\xA5\xE6\x9C\xAC\xEF\xBD\xB1", 932), "\x93\xFA\x96\x7B\xB1");
  EXPECT_EQ(ToUtf8("\x83\x5C\\", 932), "\xE3\x82\xBD\\");  // ソ then a real backslash
  // 한 (KS X 1001) and 갂 (the extension of 949).
  EXPECT_EQ(ToUtf8("\xC7\xD1\x81\x41", 949), "\xED\x95\x9C\xEA\xB0\x82");
  EXPECT_EQ(FromUtf8("\xED\x95\x9C\xEA\xB0\x82", 949), "\xC7\xD1\x81\x41");
  // A lead byte without a proper second byte: '?' and the next byte on its own.
  EXPECT_EQ(ToUtf8("a\x93", 932), "a?");
  EXPECT_EQ(ToUtf8("\x93 b", 932), "? b");
  EXPECT_EQ(ToUtf8("\x93\x7F", 932), "?\x7F");
  EXPECT_EQ(FromUtf8("\xC4\x9F", 932), "?");
}

TEST(CodePage, LeadBytes) {
  EXPECT_TRUE(IsDBCSLeadByte(932, 0x81));
  EXPECT_TRUE(IsDBCSLeadByte(932, 0x9F));
  EXPECT_FALSE(IsDBCSLeadByte(932, 0xA0));
  EXPECT_FALSE(IsDBCSLeadByte(932, 0xB1));
  EXPECT_TRUE(IsDBCSLeadByte(932, 0xFC));
  EXPECT_FALSE(IsDBCSLeadByte(932, 0xFD));
  EXPECT_TRUE(IsDBCSLeadByte(949, 0x81));
  EXPECT_FALSE(IsDBCSLeadByte(949, 0x80));
  for (int b = 0; b < 256; ++b) EXPECT_FALSE(IsDBCSLeadByte(1252, static_cast<unsigned char>(b)));
  EXPECT_TRUE(IsTrailByteAt("\x83\x5C\x5C", 1, 932));
  EXPECT_FALSE(IsTrailByteAt("\x83\x5C\x5C", 2, 932));
  EXPECT_EQ(CharLengthAt("\x83", 0, 932), 1u);
#ifdef _WIN32
  for (unsigned cp : {932u, 936u, 949u, 950u}) {
    for (int b = 0; b < 256; ++b) {
      EXPECT_EQ(IsDBCSLeadByte(cp, static_cast<unsigned char>(b)),
                IsDBCSLeadByteEx(cp, static_cast<BYTE>(b)) != 0)
          << cp << " " << b;
    }
  }
#endif
}

TEST(CodePage, BetweenCodePagesAndUtf16) {
  // ANSI 1254 to OEM 857 for the console: Ğ ğ İ ı Ş ş.
  EXPECT_EQ(ConvertCodePage("\xD0\xF0\xDD\xFD\xDE\xFE", 1254, 857), "\xA6\xA7\x98\x8D\x9E\x9F");
  EXPECT_EQ(ConvertCodePage("\xD0", 1254, 437), "?");
  EXPECT_EQ(ConvertCodePage("\xE9", 1252, 850), "\x82");
  EXPECT_EQ(ToUtf16("a\xFD", 1254), u"a\u0131");
  EXPECT_EQ(FromUtf16(u"a\u0131", 1254), "a\xFD");
  EXPECT_EQ(FromUtf16(std::u16string(1, char16_t(0xD800)) + u"x", 1252), "?x");  // lone surrogate
  EXPECT_EQ(ToUtf16("\xF0\x9F\x98\x80", kCpUtf8), u"\U0001F600");
  unsigned a = AnsiCodePage(), o = OemCodePage();
  SetAnsiCodePage(1254);
  SetOemCodePage(857);
  EXPECT_EQ(AnsiToOem("\xF0"), "\xA7");
  EXPECT_EQ(OemToAnsi("\xA7"), "\xF0");
  SetAnsiCodePage(a);
  SetOemCodePage(o);
}

TEST(CodePage, UnsupportedCodePagesRaise) {
  EXPECT_FALSE(IsCodePageSupported(12345));
  EXPECT_THROW(ToUtf8("x", 12345), EConvertError);
  EXPECT_THROW(SetAnsiCodePage(0), EConvertError);
  EXPECT_EQ(AnsiCodePage(), 1252u);
  try {
    FromUtf8("x", 4242);
    FAIL();
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), "Code page 4242 is not supported");
  }
}

// Single-byte pages convert back to the same bytes, except the undefined ones.
TEST(CodePage, SingleByteRoundTrip) {
  for (unsigned cp : {437u, 850u, 852u, 857u, 866u, 1250u, 1251u, 1252u, 1254u, 1257u}) {
    std::string bytes = AllHighBytes();
    std::string utf8 = ToUtf8(bytes, cp);
    std::string back = FromUtf8(utf8, cp);
    ASSERT_EQ(back.size(), bytes.size()) << cp;
    for (size_t i = 0; i < bytes.size(); ++i) {
      if (back[i] != bytes[i]) {
        EXPECT_EQ(back[i], '?') << cp << " byte " << (0x80 + i);
      }
    }
  }
}

// The whole tables, reduced to one number each, are the same on both targets
// (iconv natively, the Windows tables under Wine).
TEST(CodePage, SameTablesOnBothTargets) {
  struct Expected { unsigned cp; uint64_t hash; };
  const Expected pages[] = {
      {437, 0xfd1ec68028facbdaull}, {850, 0xc59d030ea74a2c96ull}, {852, 0xf7a4c90d3f03407dull},
      {857, 0x953df74b5fb83fbull}, {866, 0xbbc5165cff456727ull}, {1250, 0x705e80b716b4de70ull},
      {1251, 0x5958f5122a2ac618ull}, {1252, 0x4a372860f0c46bc3ull}, {1253, 0xd6b9f395156168d5ull},
      {1254, 0x83179681e3a4fad5ull}, {1255, 0x8d578c029042c81aull}, {1256, 0xb5cc85f634ef467eull},
      {1257, 0x4b66483b9ba8efa3ull}, {1258, 0x9d549a5c9d280daull}, {874, 0xaa9f4656539cc902ull},
      {932, 0x1a2c2a87878ed2aeull}, {949, 0x5f601f9664c0a338ull}, {936, 0xc7a630a870e616f2ull},
      {950, 0x85d763b86c6104e8ull},
  };
  for (const Expected& e : pages) {
    std::string text;
    if (IsDBCSCodePage(e.cp)) {
      for (int lead = 0x81; lead <= 0xFE; ++lead) {
        if (!IsDBCSLeadByte(e.cp, static_cast<unsigned char>(lead))) continue;
        for (int trail = 0x40; trail <= 0xFE; ++trail) {
          text.push_back(static_cast<char>(lead));
          text.push_back(static_cast<char>(trail));
        }
      }
      text += AllHighBytes();
    } else {
      text = AllHighBytes();
    }
    std::string utf8 = ToUtf8(text, e.cp);
    uint64_t h = Fnv(utf8) ^ Fnv(FromUtf8(utf8, e.cp));
    EXPECT_EQ(h, e.hash) << "code page " << e.cp << ": {" << e.cp << ", 0x" << std::hex << h
                         << "ull},";
  }
}

}  // namespace
}  // namespace kit
