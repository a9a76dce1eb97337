// Shell link (".LNK") files: the fields a link carries, the encoder of the
// Shell Link binary format used on the emulated machine, and the one call
// that saves a link on the current platform (the shell's link object on
// Windows, the encoder written through the machine's file system natively).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kit {

struct ShellLinkData {
  std::string target;             // local path the link starts
  std::string arguments;
  std::string working_directory;
  std::string description;
  std::string relative_path;
  std::string icon_location;
  int32_t icon_index = 0;
  uint16_t hot_key = 0;           // virtual key in the low byte, modifiers in the high byte
  uint32_t show_command = 1;      // SW_SHOWNORMAL
};

// COM result codes the link object reports.
namespace hresult {
constexpr uint32_t kOk = 0;
constexpr uint32_t kFalse = 1;
constexpr uint32_t kUnexpected = 0x8000FFFFu;
constexpr uint32_t kFail = 0x80004005u;
constexpr uint32_t kNoAggregation = 0x80040110u;
constexpr uint32_t kClassNotRegistered = 0x80040154u;
constexpr uint32_t kOutOfMemory = 0x8007000Eu;
constexpr uint32_t kInvalidArg = 0x80070057u;
// HRESULT_FROM_WIN32.
uint32_t FromWin32(uint32_t code);
}  // namespace hresult

// The longest link file path, terminator included, the save call accepts.
constexpr size_t kMaxLinkPath = 260;

// Encodes a link with ANSI string data. False (and the field at fault in
// *error) when a string does not fit its 16-bit count or holds a zero byte.
bool EncodeShellLink(const ShellLinkData& link, std::vector<uint8_t>* out, std::string* error);

// Initialises COM for the calling thread (CoInitialize): S_OK, S_FALSE when
// it already was, or the failure's code. The emulated machine has no COM
// library and answers S_OK.
uint32_t InitializeComForThread();

// Saves a link file on the current platform, replacing one of that name.
// Returns hresult::kOk or the failing call's COM code; a path of kMaxLinkPath
// characters or more is refused with kInvalidArg before anything is written.
uint32_t SaveShellLink(const std::string& link_file, const ShellLinkData& link);

}  // namespace kit
