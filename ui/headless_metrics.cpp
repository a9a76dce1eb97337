#include "ui/headless_metrics.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "ui/widget_backend.h"

namespace kit {
namespace {

int PixelHeight(const TFont& font) { return std::max(1, std::abs(font.Height())); }

int CharWidth(const TFont& font) {
  return (PixelHeight(font) * 6 + 5) / 10 + ((font.Style() & fs::kBold) ? 1 : 0);
}

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines(1);
  for (char c : text) {
    if (c == '\n') {
      if (!lines.back().empty() && lines.back().back() == '\r') lines.back().pop_back();
      lines.emplace_back();
    } else {
      lines.back() += c;
    }
  }
  return lines;
}

// The number of lines one line takes when broken between words to fit.
int WrappedLines(const std::string& line, int chars_per_line) {
  if (chars_per_line <= 0) return 1;
  int count = 1, used = 0;
  size_t i = 0;
  while (i < line.size()) {
    size_t end = line.find(' ', i);
    if (end == std::string::npos) end = line.size();
    const int word = static_cast<int>(end - i);
    const int need = used == 0 ? word : used + 1 + word;
    if (used > 0 && need > chars_per_line) {
      ++count;
      used = word;
    } else {
      used = need;
    }
    i = end + 1;
  }
  return count;
}

}  // namespace

TextSize HeadlessTextSize(const TFont& font, const std::string& text, int wrap_width) {
  const int cw = CharWidth(font);
  const int line_height = (PixelHeight(font) * 13 + 5) / 10;
  TextSize size;
  int lines = 0;
  for (const std::string& line : SplitLines(text)) {
    const int width = static_cast<int>(line.size()) * cw;
    if (wrap_width > 0) {
      lines += WrappedLines(line, wrap_width / cw);
      size.width = std::max(size.width, std::min(width, wrap_width));
    } else {
      ++lines;
      size.width = std::max(size.width, width);
    }
  }
  size.height = lines * line_height;
  return size;
}

TColor HeadlessRgb(TColor color) {
  const auto c = static_cast<uint32_t>(color);
  if ((c & 0x80000000u) == 0) return static_cast<TColor>(c & 0xFFFFFF);
  switch (c & 0xFF) {
    case 5: return 0xFFFFFF;   // window
    case 8: return 0x000000;   // window text
    case 15: return 0xC0C0C0;  // button face
    case 18: return 0x000000;  // button text
    default: return 0x808080;
  }
}

TextSize WidgetBackend::MeasureText(const TFont& font, const std::string& text, int wrap_width) const {
  return HeadlessTextSize(font, text, wrap_width);
}

}  // namespace kit
