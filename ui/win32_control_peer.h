// A control's real window: a standard control (BUTTON, STATIC, EDIT,
// msctls_progress32) or, for what no standard control draws (panels, group
// boxes holding controls, images, bevels), a window of the kit's own class.
// The window is made from the first look so that its styles fit.
#pragma once

#include <windows.h>

#include <string>

#include "ui/widget_backend.h"

namespace kit {

class Win32ControlPeer : public WindowPeer {
 public:
  Win32ControlPeer(PeerClient& client, WidgetKind kind, HWND parent, int id);
  ~Win32ControlPeer() override;

  HWND Handle() const { return hwnd_; }
  // The peer of a window made by this class, or null.
  static Win32ControlPeer* FromHandle(HWND hwnd);
  // Handles what a parent window hears about its child controls (commands,
  // colours); false when the message is not about one of them.
  static bool ReflectFromParent(UINT msg, WPARAM wparam, LPARAM lparam, LRESULT* result);

  void SetText(const std::string& text) override {}
  void SetBounds(int, int, int, int) override {}
  void SetVisible(bool) override {}
  void SetWindowState(TWindowState) override {}
  void SetCursor(TCursor) override {}
  void Repaint() override;
  void SetLook(const ControlLook& look) override;
  void Focus() override;
  bool Focused() const override;
  std::string CurrentText() const override;
  int CurrentIndex() const override;

 private:
  void Create(const ControlLook& look);
  void ApplyFont(const TFont& font);
  void ApplyPicture(const ControlLook& look);
  LRESULT Paint();
  // Graphic controls: their z-order among the siblings, what shows beneath
  // a transparent one, and the ones above a changed one.
  void KeepGraphicsBelow();
  void PaintBeneath(HDC dc);
  void InvalidateGraphicsAbove();
  // Tab controls: where a tab stands, and a click on the tab row.
  RECT TabRect(HDC dc, int index) const;
  void ClickTab(int x, int y);
  static LRESULT CALLBACK OwnProc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam);

  PeerClient& client_;
  WidgetKind kind_;
  HWND parent_;
  int id_;
  HWND hwnd_ = nullptr;
  HFONT font_ = nullptr;
  HBRUSH brush_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  ControlLook look_;
  bool have_look_ = false;
  bool setting_text_ = false;
  int chosen_tab_ = -1;
};

// The standard colour of a colour value.
COLORREF Win32Color(TColor color);

}  // namespace kit
