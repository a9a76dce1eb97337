// What a window shows, read back from the screen: its client area as RGB
// pixels, which a test can check and keep as a PNG screenshot.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace kit::testing {

struct WindowCapture {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;  // 0x00BBGGRR, as COLORREF, row by row
  uint32_t At(int x, int y) const { return pixels.at(static_cast<size_t>(y) * width + x); }
};

// The client area of the window as it is drawn now (empty when it cannot
// be read).
WindowCapture CaptureWindow(HWND hwnd);

// Writes the capture as an 8-bit RGB PNG file; false when it cannot.
bool SavePng(const WindowCapture& capture, const std::string& path);

// Keeps the capture as NAME.png in the folder KIT_SCREENSHOT_DIR names (the
// build folder's screenshots/ in the test runs); the path written, or empty
// when no folder is set or writing failed.
std::string KeepScreenshot(const WindowCapture& capture, const std::string& name);

}  // namespace kit::testing
