// Exception classes. Failures in the kit are reported by raising an exception
// that carries a message; every error family of the system is a C++ class
// below Exception. EAbort is the silent one: handlers that see it end the
// current step quietly instead of reporting.
#pragma once

#include <exception>
#include <string>

namespace kit {

class Exception : public std::exception {
 public:
  explicit Exception(std::string message) : message_(std::move(message)) {}
  const std::string& Message() const { return message_; }
  void SetMessage(std::string message) { message_ = std::move(message); }
  const char* what() const noexcept override { return message_.c_str(); }
  // The class's own name, as the system names its error classes.
  virtual const char* ClassName() const { return "Exception"; }

 private:
  std::string message_;
};

// Declares an exception class with its parent and its class name.
#define KIT_DECLARE_EXCEPTION(NAME, PARENT)                         \
  class NAME : public PARENT {                                       \
   public:                                                           \
    using PARENT::PARENT;                                            \
    const char* ClassName() const override { return #NAME; }         \
  }

class EAbort : public Exception {
 public:
  EAbort() : Exception("Operation aborted") {}
  explicit EAbort(std::string message) : Exception(std::move(message)) {}
  const char* ClassName() const override { return "EAbort"; }
};

// Raised where the runtime itself meets bad input: a malformed stored form,
// a string-list index out of range, a text file that cannot be read.
KIT_DECLARE_EXCEPTION(EConvertError, Exception);
KIT_DECLARE_EXCEPTION(EListError, Exception);
KIT_DECLARE_EXCEPTION(EFOpenError, Exception);
KIT_DECLARE_EXCEPTION(EFCreateError, Exception);
KIT_DECLARE_EXCEPTION(EReadError, Exception);
KIT_DECLARE_EXCEPTION(EWriteError, Exception);
// A floating-point value that has no integer or date counterpart.
KIT_DECLARE_EXCEPTION(EInvalidOp, Exception);

// Raises EAbort (Delphi's Abort).
[[noreturn]] inline void Abort() { throw EAbort(); }

}  // namespace kit
