#include "ui/font.h"

#include <cmath>

#include "base/codepage.h"

namespace kit {

const EnumType& ColorIdents() {
  static const EnumType type(
      "TColor", {{"clBlack", cl::kBlack},         {"clMaroon", cl::kMaroon},
                 {"clGreen", cl::kGreen},         {"clNavy", cl::kNavy},
                 {"clGray", cl::kGray},           {"clSilver", cl::kSilver},
                 {"clRed", cl::kRed},             {"clBlue", cl::kBlue},
                 {"clWhite", cl::kWhite},         {"clYellow", cl::kYellow},
                 {"clWindow", cl::kWindow},       {"clWindowText", cl::kWindowText},
                 {"clBtnFace", cl::kBtnFace},     {"clBtnText", cl::kBtnText}});
  return type;
}

namespace {
const EnumType& FontStyleType() {
  static const EnumType type("TFontStyles", {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"});
  return type;
}
const EnumType& CharsetIdents() {
  static const EnumType type("TFontCharset", {{"ANSI_CHARSET", 0},
                                              {"DEFAULT_CHARSET", 1},
                                              {"SYMBOL_CHARSET", 2},
                                              {"TURKISH_CHARSET", 162},
                                              {"EASTEUROPE_CHARSET", 238},
                                              {"RUSSIAN_CHARSET", 204},
                                              {"GREEK_CHARSET", 161},
                                              {"OEM_CHARSET", 255}});
  return type;
}
}  // namespace

const PropertyTable& TFont::Properties() {
  static const PropertyTable table = PropertyTable::Make<TFont>([](auto& p) {
    p.Int("Charset", &TFont::SetCharset, &TFont::Charset, CharsetIdents());
    p.Int("Color", &TFont::SetColor, &TFont::Color, ColorIdents());
    p.Int("Height", &TFont::SetHeight, &TFont::Height, -1000, 1000);
    p.Str("Name", &TFont::SetName, &TFont::Name);
    p.Set("Style", &TFont::SetStyle, &TFont::Style, FontStyleType());
  });
  return table;
}

void TFont::Changed() {
  if (on_change) on_change();
}

void TFont::SetName(const std::string& name) {
  name_ = name;
  Changed();
}

void TFont::SetHeight(int height) {
  height_ = height;
  Changed();
}

int TFont::Size() const {
  return static_cast<int>(std::lround(-height_ * 72.0 / kPixelsPerInch));
}

void TFont::SetSize(int size) { SetHeight(-static_cast<int>(std::lround(size * double(kPixelsPerInch) / 72.0))); }

void TFont::SetCharset(int charset) {
  charset_ = charset;
  Changed();
}

void TFont::SetStyle(unsigned style) {
  style_ = style;
  Changed();
}

void TFont::SetColor(TColor color) {
  color_ = color;
  Changed();
}

void TFont::Assign(const TFont& other) {
  name_ = other.name_;
  height_ = other.height_;
  charset_ = other.charset_;
  style_ = other.style_;
  color_ = other.color_;
  Changed();
}

bool TFont::operator==(const TFont& o) const {
  return name_ == o.name_ && height_ == o.height_ && charset_ == o.charset_ && style_ == o.style_ &&
         color_ == o.color_;
}

unsigned CodePageOfCharset(int charset) {
  switch (charset) {
    case 128: return 932;   // Shift-JIS
    case 129: return 949;   // Hangul
    case 161: return 1253;  // Greek
    case 162: return 1254;  // Turkish
    case 177: return 1255;  // Hebrew
    case 178: return 1256;  // Arabic
    case 186: return 1257;  // Baltic
    case 204: return 1251;  // Russian
    case 238: return 1250;  // Eastern Europe
    default: return AnsiCodePage();
  }
}

}  // namespace kit
