// Drives real windows from outside, as a user would: finds a top-level
// window by caption, lists its controls, presses, ticks and types. Works on
// the windows of another process too (only messages every control answers
// across processes are used).
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace kit::testing {

struct WindowInfo {
  HWND hwnd = nullptr;
  std::string class_name;
  std::string text;
  RECT bounds{};  // in the coordinates of the top-level window's client area
  bool visible = false;
  bool enabled = false;
  int checked = -1;   // buttons with a check: 0, 1 or 2 (greyed); else -1
  int position = -1;  // progress bars; else -1
  int depth = 0;      // 1 for children of the top-level window
};

class Win32Driver {
 public:
  // The visible top-level window with that caption, waiting up to
  // timeout_ms for it to appear; null when it does not.
  static HWND FindWindowByCaption(const std::string& caption, int timeout_ms = 0);
  // True once no visible window has that caption (within timeout_ms).
  static bool WaitGone(const std::string& caption, int timeout_ms);
  // Every control inside `top`, depth first, in the window system's order.
  static std::vector<WindowInfo> Controls(HWND top);
  // The control of that text (accelerator marks ignored), or null.
  static HWND FindControl(HWND top, const std::string& text);
  // Presses a button or ticks a box (BM_CLICK); false if there is none.
  static bool Press(HWND top, const std::string& text);
  // Replaces an edit's text as typing would, raising its change.
  static bool Type(HWND edit, const std::string& text);
  // One line per control: class "text" left,top,width,height flags.
  static std::string Describe(const std::vector<WindowInfo>& controls);
};

}  // namespace kit::testing
