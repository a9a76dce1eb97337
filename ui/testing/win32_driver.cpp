#include "ui/testing/win32_driver.h"

#include <commctrl.h>

#include <cstdio>

namespace kit::testing {
namespace {

std::string TextOf(HWND hwnd) {
  char buf[1024] = {};
  // WM_GETTEXT works across processes (the system copies the text).
  SendMessageTimeoutA(hwnd, WM_GETTEXT, sizeof buf, reinterpret_cast<LPARAM>(buf), SMTO_ABORTIFHUNG, 2000,
                      nullptr);
  return buf;
}

std::string Plain(const std::string& s) {
  std::string out;
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] == '&' && i + 1 < s.size()) ++i;
    out += s[i];
  }
  return out;
}

struct FindData {
  std::string caption;
  HWND found = nullptr;
};

BOOL CALLBACK FindTop(HWND hwnd, LPARAM lp) {
  auto* d = reinterpret_cast<FindData*>(lp);
  if (IsWindowVisible(hwnd) && TextOf(hwnd) == d->caption) {
    d->found = hwnd;
    return FALSE;
  }
  return TRUE;
}

void Collect(HWND top, HWND parent, int depth, std::vector<WindowInfo>* out) {
  for (HWND c = GetWindow(parent, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT)) {
    WindowInfo w;
    w.hwnd = c;
    char cls[64] = {};
    GetClassNameA(c, cls, sizeof cls);
    w.class_name = cls;
    w.text = TextOf(c);
    GetWindowRect(c, &w.bounds);
    MapWindowPoints(nullptr, top, reinterpret_cast<POINT*>(&w.bounds), 2);
    w.visible = IsWindowVisible(c) != FALSE;
    w.enabled = IsWindowEnabled(c) != FALSE;
    if (lstrcmpiA(cls, "BUTTON") == 0) {
      const LONG type = GetWindowLongA(c, GWL_STYLE) & BS_TYPEMASK;
      if (type != BS_PUSHBUTTON && type != BS_DEFPUSHBUTTON && type != BS_GROUPBOX)
        w.checked = static_cast<int>(SendMessageA(c, BM_GETCHECK, 0, 0));
    }
    if (lstrcmpiA(cls, PROGRESS_CLASSA) == 0) w.position = static_cast<int>(SendMessageA(c, PBM_GETPOS, 0, 0));
    w.depth = depth;
    out->push_back(w);
    Collect(top, c, depth + 1, out);
  }
}

}  // namespace

HWND Win32Driver::FindWindowByCaption(const std::string& caption, int timeout_ms) {
  const DWORD start = GetTickCount();
  for (;;) {
    FindData d{caption};
    EnumWindows(FindTop, reinterpret_cast<LPARAM>(&d));
    if (d.found != nullptr || static_cast<int>(GetTickCount() - start) >= timeout_ms) return d.found;
    Sleep(50);
  }
}

bool Win32Driver::WaitGone(const std::string& caption, int timeout_ms) {
  const DWORD start = GetTickCount();
  for (;;) {
    if (FindWindowByCaption(caption) == nullptr) return true;
    if (static_cast<int>(GetTickCount() - start) >= timeout_ms) return false;
    Sleep(50);
  }
}

std::vector<WindowInfo> Win32Driver::Controls(HWND top) {
  std::vector<WindowInfo> out;
  Collect(top, top, 1, &out);
  return out;
}

HWND Win32Driver::FindControl(HWND top, const std::string& text) {
  for (const WindowInfo& w : Controls(top))
    if (w.text == text || Plain(w.text) == text) return w.hwnd;
  return nullptr;
}

bool Win32Driver::Press(HWND top, const std::string& text) {
  HWND c = FindControl(top, text);
  if (c == nullptr) return false;
  // Posted: the pressed button may start a modal loop of its own.
  PostMessageA(c, BM_CLICK, 0, 0);
  return true;
}

bool Win32Driver::Type(HWND edit, const std::string& text) {
  if (edit == nullptr) return false;
  return SendMessageTimeoutA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), SMTO_ABORTIFHUNG, 2000,
                             nullptr) != 0;
}

std::string Win32Driver::Describe(const std::vector<WindowInfo>& controls) {
  std::string out;
  for (const WindowInfo& w : controls) {
    char line[1400];
    std::snprintf(line, sizeof line, "%*s%s \"%s\" %ld,%ld,%ld,%ld%s%s", (w.depth - 1) * 2, "",
                  w.class_name.c_str(), w.text.c_str(), w.bounds.left, w.bounds.top, w.bounds.right - w.bounds.left,
                  w.bounds.bottom - w.bounds.top, w.visible ? "" : " hidden", w.enabled ? "" : " disabled");
    out += line;
    if (w.checked >= 0) out += " checked=" + std::to_string(w.checked);
    if (w.position >= 0) out += " position=" + std::to_string(w.position);
    out += "\n";
  }
  return out;
}

}  // namespace kit::testing
