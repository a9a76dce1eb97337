// The error of a stored form that cannot be read: names the file, the line and
// column, and what was wrong ("config\main.dfm(12,5): expected '=' but found
// identifier 'Caption'").
#pragma once

#include <string>

#include "base/exception.h"

namespace kit {

class EFormError : public EReadError {
 public:
  EFormError(std::string file, int line, int column, std::string detail)
      : EReadError(Compose(file, line, column, detail)),
        file_(std::move(file)), line_(line), column_(column), detail_(std::move(detail)) {}
  const char* ClassName() const override { return "EFormError"; }

  const std::string& File() const { return file_; }
  int Line() const { return line_; }      // 1-based; 0 when the error has no place
  int Column() const { return column_; }  // 1-based
  const std::string& Detail() const { return detail_; }  // the message without the place

 private:
  static std::string Compose(const std::string& file, int line, int column, const std::string& detail) {
    if (line <= 0) return file + ": " + detail;
    return file + "(" + std::to_string(line) + "," + std::to_string(column) + "): " + detail;
  }

  std::string file_;
  int line_;
  int column_;
  std::string detail_;
};

}  // namespace kit
