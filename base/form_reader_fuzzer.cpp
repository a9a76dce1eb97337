// Reads arbitrary bytes as a stored form with test classes of every property
// kind. Form errors are expected; crashes, leaks, hangs and huge allocations
// are findings. What reads successfully is written and read back once more.
#include <cstddef>
#include <cstdint>
#include <string>

#include "base/form_reader.h"
#include "base/form_test_classes.h"
#include "base/form_writer.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static kit::ClassRegistry* classes = [] {
    auto* r = new kit::ClassRegistry;
    kit::formtest::RegisterTestClasses(*r);
    return r;
  }();
  std::string text(reinterpret_cast<const char*>(data), size);
  kit::FormReader reader(*classes);
  reader.Limits().max_string = 1 << 16;
  reader.Limits().max_binary = 1 << 16;
  reader.Limits().max_components = 1000;
  try {
    auto root = reader.Read(text, "fuzz.dfm");
    std::string written;
    try {
      written = kit::FormWriter(*classes).Write(root.get());
    } catch (const kit::EWriteError&) {
      return 0;  // values a setter took that the text cannot express (an unnamed reference)
    }
    auto again = reader.Read(written, "again.dfm");
    if (kit::FormWriter(*classes).Write(again.get()) != written) __builtin_trap();
  } catch (const kit::Exception&) {
  }
  return 0;
}
