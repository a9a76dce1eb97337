// The font of a control or form: face, height in pixels (negative: character
// height), size in points, character set, style and colour. Setting it tells
// its owner, which shows the change.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "base/property.h"

namespace kit {

// Colours: RGB as 0x00BBGGRR, or a system colour (0x80000000 | index).
using TColor = int32_t;
namespace cl {
constexpr TColor kBlack = 0x000000;
constexpr TColor kMaroon = 0x000080;
constexpr TColor kGreen = 0x008000;
constexpr TColor kNavy = 0x800000;
constexpr TColor kGray = 0x808080;
constexpr TColor kSilver = 0xC0C0C0;
constexpr TColor kRed = 0x0000FF;
constexpr TColor kBlue = 0xFF0000;
constexpr TColor kWhite = 0xFFFFFF;
constexpr TColor kYellow = 0x00FFFF;
constexpr TColor kWindow = static_cast<TColor>(0x80000005u);
constexpr TColor kWindowText = static_cast<TColor>(0x80000008u);
constexpr TColor kBtnFace = static_cast<TColor>(0x8000000Fu);
constexpr TColor kBtnText = static_cast<TColor>(0x80000012u);
}  // namespace cl
const EnumType& ColorIdents();

// Font styles (bits of TFont::Style).
namespace fs {
constexpr unsigned kBold = 1;
constexpr unsigned kItalic = 2;
constexpr unsigned kUnderline = 4;
constexpr unsigned kStrikeOut = 8;
}  // namespace fs

constexpr int kDefaultCharset = 1;
constexpr int kAnsiCharset = 0;
constexpr int kTurkishCharset = 162;

// The code page whose bytes a font of the character set shows; the ANSI
// code page for the default and ANSI sets and any set it does not know.
unsigned CodePageOfCharset(int charset);

class TFont {
 public:
  static const char* StaticClassName() { return "TFont"; }
  static const PropertyTable& Properties();
  static constexpr int kPixelsPerInch = 96;

  const std::string& Name() const { return name_; }
  void SetName(const std::string& name);
  int Height() const { return height_; }
  void SetHeight(int height);
  // Points; a size sets a negative height (character height).
  int Size() const;
  void SetSize(int size);
  int Charset() const { return charset_; }
  void SetCharset(int charset);
  unsigned Style() const { return style_; }
  void SetStyle(unsigned style);
  TColor Color() const { return color_; }
  void SetColor(TColor color);
  void Assign(const TFont& other);
  bool operator==(const TFont& other) const;

  // Called after every change.
  std::function<void()> on_change;

 private:
  void Changed();
  std::string name_ = "MS Sans Serif";
  int height_ = -11;
  int charset_ = kDefaultCharset;
  unsigned style_ = 0;
  TColor color_ = cl::kWindowText;
};

}  // namespace kit
