// A main form carried behind the install program's own bytes, the way a
// self-extracting program carries its data. kitsetup appends it; the program
// reads its own file's tail at start-up and, when one is there, uses that
// form instead of the one compiled into it.
//
//   program bytes | "\r\nKITSETUP-FORM\r\n" | form text | length (4) | CRC-32 (4) | "KITFORM1"
//
// Length and CRC-32 (of the form text) are little-endian.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace kit {

struct AppendedForm {
  enum class State { kNone, kFound, kDamaged };
  State state = State::kNone;
  std::string text;           // the form (kFound)
  std::string problem;        // what is wrong (kDamaged)
  int64_t program_size = 0;   // the bytes before the block (the whole file when kNone)
};

inline constexpr std::string_view kAppendedFormMarker = "\r\nKITSETUP-FORM\r\n";
inline constexpr std::string_view kAppendedFormMagic = "KITFORM1";
inline constexpr int kAppendedFormTrailerSize = 16;

uint32_t Crc32(std::string_view bytes);

// The marker, the form and the trailer, to be written after the program.
std::string AppendedFormBlock(std::string_view form);

// Looks for a block at the end of a file of `size` bytes. read_at(offset,
// count, out) reads exactly count bytes or returns false.
AppendedForm FindAppendedForm(int64_t size,
                              const std::function<bool(int64_t offset, size_t count, std::string* out)>& read_at);

}  // namespace kit
