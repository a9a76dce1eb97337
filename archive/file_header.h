// One member's 164-byte header record in an archive.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>

#include "archive/archive_types.h"
#include "archive/kbln_stream.h"
#include "platform/platform.h"

namespace kit {

class TFileHeaders;

// The version string of a file's version resource, empty when it has none.
using FileVersionLookup = std::function<std::string(const std::string& path)>;

// What is already known of a source file: its size, date and version; false
// when nothing is (the file is then opened and looked up).
using KnownSource =
    std::function<bool(const std::string& path, int64_t* size, uint32_t* dos_time, std::string* version)>;

class TFileHeader {
 public:
  static constexpr size_t kNameCapacity = 100;
  static constexpr size_t kVersionCapacity = 20;

  TFileHeader() = default;

  // Fills the record from the source file named by `item` (the text before
  // the first ';'). A path longer than 100 characters is refused
  // (EKCFHFileNameTooLong); a file that cannot be opened raises
  // EKCCouldNotOpenFile.
  void FillFromFile(const std::string& item, FileSystem& fs, const FileVersionLookup& version,
                    const KnownSource& known = nullptr);
  // Reads 164 bytes at the stream's position (EKCFHCannotReadHeaders when
  // short) and marks the header Stored.
  void ReadFromStream(TKblnStream& stream);
  // Writes the 164 bytes at the stream's position (EKCFHCannotWriteHeaders).
  void WriteToStream(TKblnStream& stream) const;
  bool IsValid() const;

  // The record as stored.
  std::array<uint8_t, kHeaderRecordSize> Record() const;
  void SetRecord(const std::array<uint8_t, kHeaderRecordSize>& record);

  int32_t FileNumber = 0;
  double FileDate = 0;
  uint8_t LastDisk = 0;
  int32_t DataEnd = 0;
  const std::string& FileName() const { return file_name_; }
  void SetFileName(const std::string& name);  // cut to 100 characters
  int32_t NextHeader = 0;
  int32_t FileSize = 0;
  int32_t DataStart = 0;
  int32_t CompressedSize = 0;
  uint8_t FirstDisk = 0;
  const std::string& FileVersion() const { return file_version_; }
  void SetFileVersion(const std::string& version);  // cut to 20 characters

  bool Stored = false;

 private:
  friend class TFileHeaders;
  std::string file_name_;
  std::string file_version_;
  // The bytes of the record as read: padding and unused string tails travel
  // along unchanged when a read record is written again.
  std::array<uint8_t, kHeaderRecordSize> raw_{};
  TFileHeaders* owner_ = nullptr;  // told when the name changes
};

}  // namespace kit
