// Feeds arbitrary bytes to the PE version reader as a whole file, and the
// block it finds (or the bytes themselves) to the tree walk.
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/pe_reader.h"
#include "platform/version_source.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view file(reinterpret_cast<const char*>(data), size);
  std::string block;
  bool found = kit::FindVersionResource(file, &block);
  std::string_view tree = found ? std::string_view(block) : file;
  static const char* const kPaths[] = {
      "\\", "\\VarFileInfo\\Translation", "\\StringFileInfo\\040904E4\\ProductName",
      "\\StringFileInfo\\040904E4", "\\\\a\\\\b\\c\\d\\e\\f"};
  for (const char* path : kPaths) {
    kit::VersionValue value;
    if (kit::QueryVersionBlock(tree, path, &value)) {
      if (value.bytes.data() < tree.data() ||
          value.bytes.data() + value.bytes.size() > tree.data() + tree.size())
        __builtin_trap();
      if (value.text) (void)kit::Latin1FromWide(kit::VersionText(value));
      kit::FixedFileInfo fixed;
      (void)kit::DecodeFixedFileInfo(value.bytes, &fixed);
    }
  }
  return 0;
}
