// The font a language's texts are shown in: what the translator gives a
// form (face, height, character set, style, colour), kept as plain data so
// that the tables need no windowing.
#pragma once

#include <cstdint>
#include <string>

namespace kit {

class PropertyTable;

struct LanguageFont {
  // Stored as a language's Font (its table lives with the translator).
  static const char* StaticClassName() { return "TFont"; }
  static const PropertyTable& Properties();

  std::string name = "MS Sans Serif";
  int height = -11;  // negative: character height in pixels
  int charset = 1;   // DEFAULT_CHARSET
  unsigned style = 0;
  int32_t color = static_cast<int32_t>(0x80000008u);  // window text

  // Points at 96 pixels per inch.
  int Size() const;
  void SetSize(int points);
  bool operator==(const LanguageFont&) const = default;
};

}  // namespace kit
