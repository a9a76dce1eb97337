// Tokens of the text form format: identifiers, integers (decimal, $hex,
// negative), floats, strings ('...' with '' for a quote and #nnn / #$hh
// character codes, adjacent parts joined), binary data ({ hex digits } across
// lines) and the symbols = : . , + [ ] ( ) < >. Strings are 8-bit bytes,
// passed through unchanged.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "base/property.h"

namespace kit {

struct FormLimits {
  int max_depth = 32;                       // nested objects, lists and collections
  std::size_t max_string = 1u << 20;        // bytes of one string value
  std::size_t max_binary = 16u << 20;       // bytes of one binary value
  std::size_t max_components = 100000;      // components in one form
};

enum class TokenKind { kEof, kIdent, kInteger, kFloat, kString, kBinary, kSymbol };

struct Token {
  TokenKind kind = TokenKind::kEof;
  std::string text;       // identifier, string bytes, or the symbol
  Bytes bytes;            // binary data
  std::int64_t integer = 0;
  double number = 0;
  bool hex = false;       // integer written as $hex
  int line = 1;
  int column = 1;

  bool IsSymbol(char c) const { return kind == TokenKind::kSymbol && text.size() == 1 && text[0] == c; }
  bool IsIdent(std::string_view word) const;
};

class FormLexer {
 public:
  FormLexer(std::string_view source, std::string file_name, const FormLimits& limits);

  const Token& Peek() const { return current_; }
  Token Next();
  const std::string& FileName() const { return file_; }

  // Raises EFormError at the token's place.
  [[noreturn]] void Fail(const Token& at, const std::string& detail) const;
  [[noreturn]] void Fail(int line, int column, const std::string& detail) const;
  // How a token reads in a message: 'Caption', '=', string 'abc', number 12, end of file.
  static std::string Describe(const Token& token);

 private:
  void Scan();
  void SkipBlanks();
  void ScanNumber(bool negative);
  void ScanString();
  void ScanBinary();
  char At(std::size_t i) const { return i < src_.size() ? src_[i] : '\0'; }
  bool AtEnd() const { return pos_ >= src_.size(); }
  void Advance();  // one byte, counting lines

  std::string_view src_;
  std::string file_;
  FormLimits limits_;
  std::size_t pos_ = 0;
  int line_ = 1;
  int column_ = 1;
  Token current_;
};

}  // namespace kit
