// Enumerations and the progress record shared by the engine and its callers.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace kit {

enum TCompressionLevel { colNone, colFastest, colDefault, colMax };

enum TOverwriteType { owAlways, owNever, owVersion, owDate, owVersionDate };

// zlib's level for a compression level.
inline int ZlibLevel(TCompressionLevel level) {
  switch (level) {
    case colNone: return 0;
    case colFastest: return 1;
    case colDefault: return -1;
    case colMax: default: return 9;
  }
}

constexpr int kHeaderRecordSize = 164;

// Progress of one file and of the whole run; percentages and ratios 0..100.
struct TlzhFileStats {
  uint8_t PercentDone = 0;
  int32_t BytesProcessed = 0;
  std::string FileName;
  int32_t CompressedSize = 0;
  uint8_t CompressionRatio = 0;
  int32_t FileSize = 0;
  std::array<uint8_t, kHeaderRecordSize> Header{};  // the member's header record
  bool Finished = false;
  uint8_t TotalPercentDone = 0;
  int32_t TotalBytesProcessed = 0;
  int32_t TotalCompressedSize = 0;
  uint8_t TotalCompressionRatio = 0;
  int32_t TotalFileSize = 0;
};

}  // namespace kit
