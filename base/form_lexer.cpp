#include "base/form_lexer.h"

#include <cmath>

#include "base/form_error.h"
#include "base/float_text.h"
#include "base/ident.h"

namespace kit {
namespace {

bool IsIdentStart(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }
bool IsIdentChar(char c) { return IsIdentStart(c) || (c >= '0' && c <= '9'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

std::string ByteText(char c) {
  unsigned char b = static_cast<unsigned char>(c);
  if (b >= 33 && b < 127) return std::string("'") + c + "'";
  return "character #" + std::to_string(b);
}

}  // namespace

bool Token::IsIdent(std::string_view word) const {
  return kind == TokenKind::kIdent && SameIdent(text, word);
}

FormLexer::FormLexer(std::string_view source, std::string file_name, const FormLimits& limits)
    : src_(source), file_(std::move(file_name)), limits_(limits) {
  Scan();
}

Token FormLexer::Next() {
  Token t = std::move(current_);
  Scan();
  return t;
}

void FormLexer::Fail(const Token& at, const std::string& detail) const { Fail(at.line, at.column, detail); }

void FormLexer::Fail(int line, int column, const std::string& detail) const {
  throw EFormError(file_, line, column, detail);
}

std::string FormLexer::Describe(const Token& t) {
  switch (t.kind) {
    case TokenKind::kEof: return "end of file";
    case TokenKind::kIdent: return "'" + t.text + "'";
    case TokenKind::kSymbol: return "'" + t.text + "'";
    case TokenKind::kInteger: return "number " + std::to_string(t.integer);
    case TokenKind::kFloat: return "number " + std::to_string(t.number);
    case TokenKind::kBinary: return "binary data";
    case TokenKind::kString: {
      std::string shown;
      for (char c : t.text) {
        if (shown.size() >= 24) { shown += "..."; break; }
        unsigned char b = static_cast<unsigned char>(c);
        if (b < 32 || b == 127) shown += "#" + std::to_string(b);
        else shown += c;
      }
      return "string '" + shown + "'";
    }
  }
  return "?";
}

void FormLexer::Advance() {
  char c = src_[pos_++];
  if (c == '\n' || (c == '\r' && At(pos_) != '\n')) {
    ++line_;
    column_ = 1;
  } else if (c != '\r') {
    ++column_;
  }
}

void FormLexer::SkipBlanks() {
  while (!AtEnd()) {
    char c = src_[pos_];
    if (c == ' ' || c == '\t' || c == '\r' || c == '\n') Advance();
    else break;
  }
}

void FormLexer::Scan() {
  SkipBlanks();
  current_ = Token();
  current_.line = line_;
  current_.column = column_;
  if (AtEnd()) return;
  char c = src_[pos_];
  if (IsIdentStart(c)) {
    std::size_t start = pos_;
    while (!AtEnd() && IsIdentChar(src_[pos_])) Advance();
    current_.kind = TokenKind::kIdent;
    current_.text.assign(src_.substr(start, pos_ - start));
    if (current_.text.size() > 255) Fail(current_, "identifier longer than 255 characters");
    return;
  }
  if (IsDigit(c) || c == '$') return ScanNumber(false);
  if (c == '-' && (IsDigit(At(pos_ + 1)) || At(pos_ + 1) == '$')) {
    Advance();
    return ScanNumber(true);
  }
  if (c == '\'' || c == '#') return ScanString();
  if (c == '{') return ScanBinary();
  static const std::string_view kSymbols = "=:.,+[]()<>-";
  if (kSymbols.find(c) != std::string_view::npos) {
    current_.kind = TokenKind::kSymbol;
    current_.text.assign(1, c);
    Advance();
    return;
  }
  Fail(current_, "unexpected " + ByteText(c));
}

void FormLexer::ScanNumber(bool negative) {
  current_.kind = TokenKind::kInteger;
  if (At(pos_) == '$') {
    Advance();
    std::uint64_t v = 0;
    int digits = 0;
    while (HexValue(At(pos_)) >= 0) {
      if (++digits > 16) Fail(current_, "hexadecimal number too long");
      v = (v << 4) | static_cast<std::uint64_t>(HexValue(At(pos_)));
      Advance();
    }
    if (digits == 0) Fail(current_, "expected hexadecimal digits after '$'");
    if (IsIdentChar(At(pos_))) Fail(line_, column_, "unexpected " + ByteText(At(pos_)) + " in a number");
    // $FFFFFFFF reads as the 32-bit pattern; 64-bit patterns keep their bits.
    std::int64_t s = static_cast<std::int64_t>(v);
    current_.hex = true;
    current_.integer = negative ? -s : s;
    return;
  }
  std::size_t start = pos_;
  while (IsDigit(At(pos_))) Advance();
  bool is_float = false;
  if (At(pos_) == '.' && IsDigit(At(pos_ + 1))) {
    is_float = true;
    Advance();
    while (IsDigit(At(pos_))) Advance();
  }
  if ((At(pos_) == 'e' || At(pos_) == 'E') &&
      (IsDigit(At(pos_ + 1)) || ((At(pos_ + 1) == '+' || At(pos_ + 1) == '-') && IsDigit(At(pos_ + 2))))) {
    is_float = true;
    Advance();
    if (At(pos_) == '+' || At(pos_) == '-') Advance();
    while (IsDigit(At(pos_))) Advance();
  }
  if (IsIdentChar(At(pos_))) Fail(line_, column_, "unexpected " + ByteText(At(pos_)) + " in a number");
  std::string_view digits = src_.substr(start, pos_ - start);
  if (digits.size() > 400) Fail(current_, "number too long");
  if (is_float) {
    std::string text = (negative ? "-" : "") + std::string(digits);
    double v = 0;
    if (!ParseFloatText(text, &v))
      Fail(current_, "number " + text + " is out of range");
    current_.kind = TokenKind::kFloat;
    current_.number = v;
    return;
  }
  std::uint64_t v = 0;
  for (char d : digits) {
    std::uint64_t digit = static_cast<std::uint64_t>(d - '0');
    if (v > (UINT64_MAX - digit) / 10) Fail(current_, "number " + std::string(digits) + " is out of range");
    v = v * 10 + digit;
  }
  const std::uint64_t limit = negative ? (std::uint64_t{1} << 63) : (std::uint64_t{1} << 63) - 1;
  if (v > limit) Fail(current_, "number " + std::string(negative ? "-" : "") + std::string(digits) + " is out of range");
  current_.integer = negative ? static_cast<std::int64_t>(0 - v) : static_cast<std::int64_t>(v);
}

void FormLexer::ScanString() {
  current_.kind = TokenKind::kString;
  std::string& out = current_.text;
  auto put = [&](char ch) {
    if (out.size() >= limits_.max_string)
      Fail(current_, "string longer than " + std::to_string(limits_.max_string) + " bytes");
    out.push_back(ch);
  };
  for (;;) {
    char c = At(pos_);
    if (c == '\'' && !AtEnd()) {
      int line = line_, column = column_;
      Advance();
      for (;;) {
        if (AtEnd() || At(pos_) == '\n' || At(pos_) == '\r') Fail(line, column, "unterminated string");
        char d = src_[pos_];
        Advance();
        if (d == '\'') {
          if (At(pos_) == '\'') {
            Advance();
            put('\'');
            continue;
          }
          break;
        }
        put(d);
      }
    } else if (c == '#' && !AtEnd()) {
      int line = line_, column = column_;
      Advance();
      std::uint32_t code = 0;
      int digits = 0;
      if (At(pos_) == '$') {
        Advance();
        while (HexValue(At(pos_)) >= 0) {
          code = code * 16 + static_cast<std::uint32_t>(HexValue(At(pos_)));
          if (code > 0xFFFF) code = 0x10000;
          ++digits;
          Advance();
        }
      } else {
        while (IsDigit(At(pos_))) {
          code = code * 10 + static_cast<std::uint32_t>(At(pos_) - '0');
          if (code > 0xFFFF) code = 0x10000;
          ++digits;
          Advance();
        }
      }
      if (digits == 0) Fail(line, column, "expected a character code after '#'");
      if (code > 255) Fail(line, column, "character code #" + std::to_string(code) + " is out of range (0..255)");
      put(static_cast<char>(static_cast<unsigned char>(code)));
    } else {
      break;
    }
  }
}

void FormLexer::ScanBinary() {
  current_.kind = TokenKind::kBinary;
  Advance();  // '{'
  int high = -1;
  for (;;) {
    SkipBlanks();
    if (AtEnd()) Fail(current_, "expected '}' at the end of binary data but found end of file");
    char c = src_[pos_];
    if (c == '}') {
      if (high >= 0) Fail(line_, column_, "odd number of hexadecimal digits in binary data");
      Advance();
      return;
    }
    int v = HexValue(c);
    if (v < 0) Fail(line_, column_, "expected a hexadecimal digit or '}' but found " + ByteText(c));
    Advance();
    if (high < 0) {
      high = v;
    } else {
      if (current_.bytes.size() >= limits_.max_binary)
        Fail(current_, "binary data longer than " + std::to_string(limits_.max_binary) + " bytes");
      current_.bytes.push_back(static_cast<std::uint8_t>(high * 16 + v));
      high = -1;
    }
  }
}

}  // namespace kit
