#include "ui/win32_backend.h"

namespace kit {

std::unique_ptr<WidgetBackend> NewNativeBackend() { return std::make_unique<Win32Backend>(); }

}  // namespace kit
