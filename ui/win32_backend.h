// The win32 widget backend: real top-level windows of one registered
// class, the GetMessage loop, MessageBoxA and the system cursors.
#pragma once

#include <windows.h>

#include "ui/widget_backend.h"

namespace kit {

class Win32Backend : public WidgetBackend {
 public:
  Win32Backend();
  ~Win32Backend() override;

  std::unique_ptr<WindowPeer> CreatePeer(WidgetKind kind, PeerClient& client,
                                         WindowPeer* parent) override;
  LoopEnd RunLoop(const std::function<bool()>& done) override;
  bool ProcessMessages() override;
  void PostQuit() override;
  int AskMessageBox(const std::string& text, const std::string& caption, uint32_t flags) override;
  void SetScreenCursor(TCursor cursor) override;
  void FrameExtent(int border_style, int* dx, int* dy) const override;
  TextSize MeasureText(const TFont& font, const std::string& text, int wrap_width) const override;
  // Window styles of a form's frame.
  static void FrameStyles(int border_style, unsigned border_icons, DWORD* style, DWORD* ex);

  TCursor ScreenCursor() const { return screen_cursor_; }
  static HCURSOR CursorHandle(TCursor cursor);

 private:
  // Tab, Enter, Esc and Alt+letter in the form that holds the message's window.
  bool DialogKeys(MSG& msg);
  TCursor screen_cursor_ = crDefault;
  int next_id_ = 100;
};

// A window of the win32 backend.
class Win32Peer : public WindowPeer {
 public:
  Win32Peer(Win32Backend& backend, PeerClient& client);
  ~Win32Peer() override;

  HWND Handle() const { return hwnd_; }
  TCursor Cursor() const { return cursor_; }

  void SetText(const std::string& text) override;
  void SetBounds(int left, int top, int width, int height) override;
  void SetVisible(bool visible) override;
  void SetWindowState(TWindowState state) override;
  void SetCursor(TCursor cursor) override;
  void Repaint() override;
  void SetLook(const ControlLook& look) override;

 private:
  static LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam);
  LRESULT Handle(UINT msg, WPARAM wparam, LPARAM lparam);
  void ShowCursorNow();

  Win32Backend& backend_;
  PeerClient& client_;
  HWND hwnd_ = nullptr;
  TCursor cursor_ = crDefault;
  TWindowState state_ = wsNormal;
  bool visible_ = false;
  bool center_ = false;
};

}  // namespace kit
