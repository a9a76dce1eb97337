// Errors of the system routines: shell-link COM initialisation and registry
// writes, outside the installer's family, and the installer family's base
// EAI with the directory look-ups' errors. Fixed English text; the registry
// routines are shared with the uninstaller, which has no translator.
#pragma once

#include <cstdint>
#include <string>

#include "base/exception.h"

namespace kit {

class ESHELLCannotInitialize : public Exception {
 public:
  explicit ESHELLCannotInitialize(int32_t error_code);
  const char* ClassName() const override { return "ESHELLCannotInitialize"; }
  int32_t ErrorCode() const { return error_code_; }

 private:
  int32_t error_code_;
};

class EIRCannotWriteValue : public Exception {
 public:
  EIRCannotWriteValue(const std::string& key, const std::string& ident, const std::string& value);
  const char* ClassName() const override { return "EIRCannotWriteValue"; }
  const std::string& Key() const { return key_; }
  const std::string& Ident() const { return ident_; }
  const std::string& Value() const { return value_; }

 private:
  std::string key_, ident_, value_;
};

// The installer's error family (the EAI classes of model/errors.h).
class EAI : public Exception {
 public:
  const char* ClassName() const override { return "EAI"; }

 protected:
  explicit EAI(std::string message) : Exception(std::move(message)) {}
};

// Fixed text, not translated.
class EAICannotGetWindowsDir : public EAI {
 public:
  EAICannotGetWindowsDir();
  const char* ClassName() const override { return "EAICannotGetWindowsDir"; }
};

// Fixed text, not translated.
class EAICannotGetSystemDir : public EAI {
 public:
  EAICannotGetSystemDir();
  const char* ClassName() const override { return "EAICannotGetSystemDir"; }
};

}  // namespace kit
