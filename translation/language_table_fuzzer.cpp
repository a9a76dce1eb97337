// Parses arbitrary bytes as a language table, line by line and all at once.
// Parse errors are expected; crashes, leaks and hangs are findings. A table
// that parses must find each of its elements again.
#include <cstddef>
#include <cstdint>
#include <string>

#include "base/exception.h"
#include "translation/language.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  kit::TStringList lines;
  std::string line;
  for (std::size_t i = 0; i < size; ++i) {
    if (data[i] == '\n') {
      lines.Add(line);
      line.clear();
    } else {
      line += static_cast<char>(data[i]);
    }
  }
  lines.Add(line);
  kit::TLanguage language(kit::klGerman);
  try {
    language.SetStrings(lines);
  } catch (const kit::Exception&) {
    if (language.StringCount() != 0 || language.MemoCount() != 0) __builtin_trap();
    return 0;
  }
  for (int i = 0; i < language.StringCount(); ++i) {
    const auto& s = language.StringElement(i);
    if (s.Text().size() > kit::TLanguageString::kMaxLength) __builtin_trap();
    if (language.FindString(s.GLID()) == nullptr) __builtin_trap();
    if (language.FindStringByText(s.Text()) == nullptr) __builtin_trap();
  }
  for (int i = 0; i < language.MemoCount(); ++i) {
    if (language.FindMemoByText(language.MemoElement(i).Lines()) == nullptr) __builtin_trap();
  }
  return 0;
}
