#include "platform/win32/win32_platform.h"

#include "platform/win32/win32_util.h"

namespace kit {

Win32Platform::Win32Platform()
    : files_(&last_error_),
      registry_(&last_error_),
      ini_(&last_error_),
      system_(&last_error_),
      processes_(&last_error_),
      restart_(&last_error_) {}

void Win32Platform::SetError(uint32_t code) {
  last_error_ = code;
  SetLastError(code);
}

std::string Win32Platform::ErrorText(uint32_t code) {
  char* text = nullptr;
  DWORD n = FormatMessageA(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, code, 0, reinterpret_cast<char*>(&text), 0, nullptr);
  std::string s;
  if (n && text) s.assign(text, n);
  if (text) LocalFree(text);
  while (!s.empty() && (s.back() == '\r' || s.back() == '\n' || s.back() == ' ')) s.pop_back();
  if (s.empty()) s = "Windows error " + std::to_string(code);
  return s;
}

}  // namespace kit
