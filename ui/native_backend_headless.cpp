#include <unistd.h>

#include "ui/headless_backend.h"

namespace kit {

// Natively the program has no windows: its message boxes are printed on
// stderr and answered on the terminal, or by their default button when no
// terminal is attached.
std::unique_ptr<WidgetBackend> NewNativeBackend() {
  const bool terminal = isatty(0) && isatty(2);
  return std::make_unique<HeadlessBackend>(terminal ? HeadlessBackend::Console::kInteractive
                                                    : HeadlessBackend::Console::kPrint);
}

}  // namespace kit
