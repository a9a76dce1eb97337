// The 56 bytes at the end of a self-extracting setup program: where the
// embedded "setup.1" and "files.1" lie in the file (first and last byte,
// both inclusive) and the build description.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace kit {

class FileSystem;

class ExtractionTrailer {
 public:
  static constexpr int kSize = 56;
  static constexpr int kMaxDescription = 20;
  using Bytes = std::array<uint8_t, kSize>;

  int32_t setup_first = 0;
  int32_t setup_last = 0;
  int32_t files_first = 0;
  int32_t files_last = 0;
  std::string description;  // cut to 20 characters when encoded

  // Signature, offsets, description; the gaps zero.
  Bytes Encode() const;
  // The signature is not checked; a description length over 20 is cut.
  static ExtractionTrailer Decode(const Bytes& bytes);
  // The last 56 bytes of `path`; fails naming the file when it cannot be
  // opened or is shorter than 56 bytes.
  static ExtractionTrailer Read(FileSystem& fs, const std::string& path);
  // True when the bytes carry the signature (the loading program checks it).
  static bool HasSignature(const Bytes& bytes);
};

}  // namespace kit
