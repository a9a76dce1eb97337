// The error classes of the archive header table (EKCFH) and of the
// compression engine (EKC), and zlib's errors.
#pragma once

#include <string>

#include "base/exception.h"

namespace kit {

KIT_DECLARE_EXCEPTION(EKC, Exception);
KIT_DECLARE_EXCEPTION(EKCFH, EKC);

// An error class with a fixed message.
#define KIT_ARCHIVE_FIXED_ERROR(NAME, PARENT, TEXT)            \
  class NAME : public PARENT {                                  \
   public:                                                      \
    NAME() : PARENT(TEXT) {}                                    \
    const char* ClassName() const override { return #NAME; }    \
  }

// An error class whose message is a fixed text followed by a name it keeps.
#define KIT_ARCHIVE_NAMED_ERROR(NAME, PARENT, TEXT)                              \
  class NAME : public PARENT {                                                    \
   public:                                                                        \
    explicit NAME(const std::string& name) : PARENT(TEXT + name), name_(name) {} \
    const char* ClassName() const override { return #NAME; }                      \
    const std::string& Name() const { return name_; }                             \
                                                                                  \
   protected:                                                                     \
    NAME(const std::string& message, const std::string& name)                    \
        : PARENT(message), name_(name) {}                                         \
                                                                                  \
   private:                                                                       \
    std::string name_;                                                            \
  }

KIT_ARCHIVE_FIXED_ERROR(EKCFHCannotReadHeaderCount, EKCFH,
                        "Could not read the file header count for the compressed file");
KIT_ARCHIVE_FIXED_ERROR(EKCFHCannotReadHeaders, EKCFH,
                        "Could not read the file headers for the compressed file. The Archive file "
                        "could possible be corrupt.");
KIT_ARCHIVE_FIXED_ERROR(EKCFHCannotWriteHeaders, EKCFH,
                        "Could not write the file headers for the compressed file");
KIT_ARCHIVE_FIXED_ERROR(EKCFHInvalidNewFileHeader, EKCFH, "Tried to add an invalid file header");
KIT_ARCHIVE_NAMED_ERROR(EKCFHFileNotInArchive, EKCFH,
                        "The following file was not found in the archive: ");
// A source path that does not fit the header's 100-character name field.
KIT_ARCHIVE_NAMED_ERROR(EKCFHFileNameTooLong, EKCFH,
                        "The following path is longer than 100 characters and cannot be stored "
                        "in the archive: ");

KIT_ARCHIVE_FIXED_ERROR(EKCCannotCreateTemp, EKC,
                        "Cannot open a temporary file into which to compress a file");
KIT_ARCHIVE_NAMED_ERROR(EKCCouldNotOpenFile, EKC, "Could not open the following file: ");

class EKCCouldNotOpenCompressedFile : public EKCCouldNotOpenFile {
 public:
  explicit EKCCouldNotOpenCompressedFile(const std::string& name)
      : EKCCouldNotOpenFile(
            "Could not open the compressed file. The following value is the current value of "
            "the CompressedFile property: " + name,
            name) {}
  const char* ClassName() const override { return "EKCCouldNotOpenCompressedFile"; }
};

KIT_ARCHIVE_NAMED_ERROR(EKCCouldNotCreateFile, EKC, "Could not create the file ");
KIT_ARCHIVE_FIXED_ERROR(EKCDiskFull, EKC, "Disk is full");
KIT_ARCHIVE_FIXED_ERROR(EKCStop, EKC, "Operation aborted by user");
KIT_ARCHIVE_FIXED_ERROR(EKCNewDiskEventNotAssigned, EKC,
                        "There was no event handler for the OnNewDisk event, therefore no new "
                        "disk could be inserted");
KIT_ARCHIVE_FIXED_ERROR(EKCNotEnoughSpace, EKC, "There is too little space on this disk to operate");
KIT_ARCHIVE_NAMED_ERROR(EKCWrongDecompressedSize, EKC,
                        "The decompressed file's size does not match with the actual size the "
                        "file.  The file is ");

KIT_DECLARE_EXCEPTION(EZlibError, Exception);
KIT_DECLARE_EXCEPTION(ECompressionError, EZlibError);
KIT_DECLARE_EXCEPTION(EDecompressionError, EZlibError);

#undef KIT_ARCHIVE_FIXED_ERROR
#undef KIT_ARCHIVE_NAMED_ERROR

}  // namespace kit
