// A portable reader of the version resource of PE files (programs, libraries,
// drivers, fonts): finds the RT_VERSION resource through the headers and the
// resource directory, and walks the VS_VERSIONINFO tree inside it.
//
// Every offset and length is checked against the file and the structure that
// holds it: a truncated, corrupt or looping file gives "no version resource"
// (false), never a read outside the data, a hang or a large allocation.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace kit {

// Reads n bytes at `offset` of the file into `buffer`; false when they are not
// all there.
using ReadAtFn = std::function<bool(uint64_t offset, void* buffer, size_t n)>;

// Limits on what the reader accepts.
namespace pelimit {
constexpr uint32_t kMaxVersionResource = 1u << 20;  // bytes of one RT_VERSION resource
constexpr uint32_t kMaxSections = 96;               // as the Windows loader allows
}  // namespace pelimit

// The version block (the bytes of the first language of resource type 16,
// name 1), cut to the block's own length. False when the file is not a PE
// file, has no such resource, or its structures do not hold together.
bool FindVersionResource(const ReadAtFn& read_at, uint64_t file_size, std::string* block);
bool FindVersionResource(std::string_view file, std::string* block);

// One value found in a version block.
struct VersionValue {
  std::string_view bytes;  // the value's bytes (UTF-16LE code units when text)
  bool text = false;       // wType 1: a string
};

// VerQueryValue's walk: the path's components (separated by backslashes,
// empty ones skipped) name children by key, compared without regard to the
// case of ASCII letters; "\" or "" is the root's own value. False when a
// component is not found or the block is not a 32-bit version block.
bool QueryVersionBlock(std::string_view block, std::string_view path, VersionValue* value);

// The UTF-16LE text of a string value up to its first zero.
std::u16string VersionText(const VersionValue& value);

}  // namespace kit
