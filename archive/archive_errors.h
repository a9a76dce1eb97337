// Errors of the archive engine (the EKC family), of its header table (EKCFH)
// and of zlib. Their messages are fixed English text, never translated.
#pragma once

#include <string>

#include "base/exception.h"

namespace kit {

class EKC : public Exception {
 public:
  const char* ClassName() const override { return "EKC"; }

 protected:
  explicit EKC(std::string message) : Exception(std::move(message)) {}
};

class EKCCannotCreateTemp : public EKC {
 public:
  EKCCannotCreateTemp();
  const char* ClassName() const override { return "EKCCannotCreateTemp"; }
};

class EKCCouldNotOpenFile : public EKC {
 public:
  explicit EKCCouldNotOpenFile(const std::string& path);
  const char* ClassName() const override { return "EKCCouldNotOpenFile"; }
  const std::string& Path() const { return path_; }

 protected:
  EKCCouldNotOpenFile(std::string message, const std::string& path);

 private:
  std::string path_;
};

class EKCCouldNotOpenCompressedFile : public EKCCouldNotOpenFile {
 public:
  explicit EKCCouldNotOpenCompressedFile(const std::string& path);
  const char* ClassName() const override { return "EKCCouldNotOpenCompressedFile"; }
};

class EKCCouldNotCreateFile : public EKC {
 public:
  explicit EKCCouldNotCreateFile(const std::string& path);
  const char* ClassName() const override { return "EKCCouldNotCreateFile"; }
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};

class EKCDiskFull : public EKC {
 public:
  EKCDiskFull();
  const char* ClassName() const override { return "EKCDiskFull"; }
};

class EKCStop : public EKC {
 public:
  EKCStop();
  const char* ClassName() const override { return "EKCStop"; }
};

class EKCNewDiskEventNotAssigned : public EKC {
 public:
  EKCNewDiskEventNotAssigned();
  const char* ClassName() const override { return "EKCNewDiskEventNotAssigned"; }
};

class EKCNotEnoughSpace : public EKC {
 public:
  EKCNotEnoughSpace();
  const char* ClassName() const override { return "EKCNotEnoughSpace"; }
};

class EKCWrongDecompressedSize : public EKC {
 public:
  explicit EKCWrongDecompressedSize(const std::string& name);
  const char* ClassName() const override { return "EKCWrongDecompressedSize"; }
  const std::string& FileName() const { return name_; }

 private:
  std::string name_;
};

class EKCFH : public EKC {
 public:
  const char* ClassName() const override { return "EKCFH"; }

 protected:
  using EKC::EKC;
};

class EKCFHInvalidNewFileHeader : public EKCFH {
 public:
  EKCFHInvalidNewFileHeader();
  const char* ClassName() const override { return "EKCFHInvalidNewFileHeader"; }
};

class EKCFHFileNotInArchive : public EKCFH {
 public:
  explicit EKCFHFileNotInArchive(const std::string& name);
  const char* ClassName() const override { return "EKCFHFileNotInArchive"; }
  const std::string& FileName() const { return name_; }

 private:
  std::string name_;
};

class EKCFHCannotReadHeaders : public EKCFH {
 public:
  EKCFHCannotReadHeaders();
  const char* ClassName() const override { return "EKCFHCannotReadHeaders"; }
};

class EKCFHCannotWriteHeaders : public EKCFH {
 public:
  EKCFHCannotWriteHeaders();
  const char* ClassName() const override { return "EKCFHCannotWriteHeaders"; }
};

class EKCFHCannotReadHeaderCount : public EKCFH {
 public:
  EKCFHCannotReadHeaderCount();
  const char* ClassName() const override { return "EKCFHCannotReadHeaderCount"; }
};

// A source path that does not fit the header's 100-character name field.
class EKCFHFileNameTooLong : public EKCFH {
 public:
  explicit EKCFHFileNameTooLong(const std::string& path);
  const char* ClassName() const override { return "EKCFHFileNameTooLong"; }
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};

KIT_DECLARE_EXCEPTION(EZlibError, Exception);
KIT_DECLARE_EXCEPTION(ECompressionError, EZlibError);
KIT_DECLARE_EXCEPTION(EDecompressionError, EZlibError);

}  // namespace kit
