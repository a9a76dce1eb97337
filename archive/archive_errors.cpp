#include "archive/archive_errors.h"

namespace kit {

EKCCannotCreateTemp::EKCCannotCreateTemp()
    : EKC("Cannot open a temporary file into which to compress a file") {}

EKCCouldNotOpenFile::EKCCouldNotOpenFile(const std::string& path)
    : EKC("Could not open the following file: " + path), path_(path) {}

EKCCouldNotOpenFile::EKCCouldNotOpenFile(std::string message, const std::string& path)
    : EKC(std::move(message)), path_(path) {}

EKCCouldNotOpenCompressedFile::EKCCouldNotOpenCompressedFile(const std::string& path)
    : EKCCouldNotOpenFile("Could not open the compressed file. The following value is the "
                          "current value of the CompressedFile property: " +
                              path,
                          path) {}

EKCCouldNotCreateFile::EKCCouldNotCreateFile(const std::string& path)
    : EKC("Could not create the file " + path), path_(path) {}

EKCDiskFull::EKCDiskFull() : EKC("Disk is full") {}

EKCStop::EKCStop() : EKC("Operation aborted by user") {}

EKCNewDiskEventNotAssigned::EKCNewDiskEventNotAssigned()
    : EKC("There was no event handler for the OnNewDisk event, therefore no new disk could be "
          "inserted") {}

EKCNotEnoughSpace::EKCNotEnoughSpace()
    : EKC("There is too little space on this disk to operate") {}

EKCWrongDecompressedSize::EKCWrongDecompressedSize(const std::string& name)
    : EKC("The decompressed file's size does not match with the actual size the file.  The file "
          "is " +
          name),
      name_(name) {}

EKCFHInvalidNewFileHeader::EKCFHInvalidNewFileHeader()
    : EKCFH("Tried to add an invalid file header") {}

EKCFHFileNotInArchive::EKCFHFileNotInArchive(const std::string& name)
    : EKCFH("The following file was not found in the archive: " + name), name_(name) {}

EKCFHCannotReadHeaders::EKCFHCannotReadHeaders()
    : EKCFH("Could not read the file headers for the compressed file. The Archive file could "
            "possible be corrupt.") {}

EKCFHCannotWriteHeaders::EKCFHCannotWriteHeaders()
    : EKCFH("Could not write the file headers for the compressed file") {}

EKCFHCannotReadHeaderCount::EKCFHCannotReadHeaderCount()
    : EKCFH("Could not read the file header count for the compressed file") {}

EKCFHFileNameTooLong::EKCFHFileNameTooLong(const std::string& path)
    : EKCFH("The following path is longer than 100 characters and cannot be stored in the "
            "archive: " + path),
      path_(path) {}

}  // namespace kit
