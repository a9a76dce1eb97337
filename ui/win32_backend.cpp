#include "ui/win32_backend.h"

#include "ui/gdi_surface.h"
#include "ui/win32_control_peer.h"

namespace kit {
namespace {

constexpr const char* kWindowClass = "KitForm";

bool RegisterWindowClass(WNDPROC proc) {
  static bool registered = false;
  if (registered) return true;
  WNDCLASSA wc{};
  wc.style = CS_HREDRAW | CS_VREDRAW;
  wc.lpfnWndProc = proc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hIcon = LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION));
  wc.hCursor = nullptr;  // WM_SETCURSOR chooses
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = kWindowClass;
  registered = RegisterClassA(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
  return registered;
}

}  // namespace

Win32Backend::Win32Backend() = default;
Win32Backend::~Win32Backend() = default;

std::unique_ptr<WindowPeer> Win32Backend::CreatePeer(WidgetKind kind, PeerClient& client, WindowPeer* parent) {
  if (kind == WidgetKind::kForm) return std::make_unique<Win32Peer>(*this, client);
  HWND parent_hwnd = nullptr;
  if (auto* form = dynamic_cast<Win32Peer*>(parent)) parent_hwnd = form->Handle();
  if (auto* control = dynamic_cast<Win32ControlPeer*>(parent)) parent_hwnd = control->Handle();
  return std::make_unique<Win32ControlPeer>(client, kind, parent_hwnd, next_id_++);
}

void Win32Backend::FrameStyles(int border_style, unsigned icons, DWORD* style, DWORD* ex) {
  *ex = 0;
  switch (border_style) {
    case 1: *style = WS_POPUP | WS_CAPTION; *ex = WS_EX_DLGMODALFRAME; break;
    case 2: *style = WS_OVERLAPPED | WS_CAPTION | WS_BORDER; break;
    case 3: *style = WS_POPUP; break;
    default: *style = WS_OVERLAPPED | WS_CAPTION | WS_THICKFRAME; break;
  }
  if (border_style != 3 && (icons & 1)) *style |= WS_SYSMENU;
  if (border_style != 1 && border_style != 3) {
    if (icons & 2) *style |= WS_MINIMIZEBOX;
    if (icons & 4) *style |= WS_MAXIMIZEBOX;
  }
  if ((icons & 8) && (border_style == 1 || !(icons & 6))) *ex |= WS_EX_CONTEXTHELP;
  *style |= WS_CLIPCHILDREN;
  *ex |= WS_EX_CONTROLPARENT;
}

void Win32Backend::FrameExtent(int border_style, int* dx, int* dy) const {
  DWORD style, ex;
  FrameStyles(border_style, 1, &style, &ex);
  RECT r{0, 0, 100, 100};
  AdjustWindowRectEx(&r, style, FALSE, ex);
  *dx = (r.right - r.left) - 100;
  *dy = (r.bottom - r.top) - 100;
}

TextSize Win32Backend::MeasureText(const TFont& font, const std::string& text, int wrap_width) const {
  HDC dc = GetDC(nullptr);
  HFONT f = CreateGdiFont(font);
  HGDIOBJ old = SelectObject(dc, f);
  RECT r{0, 0, wrap_width > 0 ? wrap_width : 0, 0};
  // As a static control shows it: '&' marks the accelerator.
  const char* shown = text.empty() ? " " : text.c_str();
  ::DrawTextA(dc, shown, -1, &r, DT_CALCRECT | DT_EXPANDTABS | (wrap_width > 0 ? DT_WORDBREAK : 0));
  SelectObject(dc, old);
  DeleteObject(f);
  ReleaseDC(nullptr, dc);
  return {text.empty() ? 0 : static_cast<int>(r.right - r.left), static_cast<int>(r.bottom - r.top)};
}

bool Win32Backend::DialogKeys(MSG& msg) {
  if (msg.message < WM_KEYFIRST || msg.message > WM_KEYLAST) return false;
  // The top-level window: the parent of child windows up to the first that
  // is none (as GetAncestor does, which the first Windows 95 lacks).
  HWND root = msg.hwnd;
  while (root != nullptr && (GetWindowLongA(root, GWL_STYLE) & WS_CHILD) != 0) root = GetParent(root);
  char cls[16] = {};
  if (root == nullptr || GetClassNameA(root, cls, sizeof(cls)) == 0 || lstrcmpA(cls, kWindowClass) != 0)
    return false;
  return IsDialogMessageA(root, &msg) != FALSE;
}

LoopEnd Win32Backend::RunLoop(const std::function<bool()>& done) {
  MSG msg;
  while (!done()) {
    const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
    if (got == 0 || got == -1) return LoopEnd::kQuit;
    if (DialogKeys(msg)) continue;
    ::TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return LoopEnd::kDone;
}

bool Win32Backend::ProcessMessages() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) return false;
    if (DialogKeys(msg)) continue;
    ::TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return true;
}

void Win32Backend::PostQuit() { PostQuitMessage(0); }

int Win32Backend::AskMessageBox(const std::string& text, const std::string& caption, uint32_t flags) {
  return MessageBoxA(GetActiveWindow(), text.c_str(), caption.c_str(), flags);
}

HCURSOR Win32Backend::CursorHandle(TCursor cursor) {
  LPCSTR shape = IDC_ARROW;
  switch (cursor) {
    case crNone: return nullptr;
    case crCross: shape = IDC_CROSS; break;
    case crIBeam: shape = IDC_IBEAM; break;
    case crSizeNESW: shape = IDC_SIZENESW; break;
    case crSizeNS: shape = IDC_SIZENS; break;
    case crSizeNWSE: shape = IDC_SIZENWSE; break;
    case crSizeWE: shape = IDC_SIZEWE; break;
    case crUpArrow: shape = IDC_UPARROW; break;
    case crHourGlass: shape = IDC_WAIT; break;
    case crNo: shape = IDC_NO; break;
    case crAppStart: shape = IDC_APPSTARTING; break;
    case crHelp: shape = IDC_HELP; break;
    case crHandPoint: shape = IDC_HAND; break;
    case crSizeAll: shape = IDC_SIZEALL; break;
    default: break;
  }
  return LoadCursorA(nullptr, shape);
}

void Win32Backend::SetScreenCursor(TCursor cursor) {
  screen_cursor_ = cursor;
  POINT pt;
  if (GetCursorPos(&pt)) {
    // Over one of this program's windows the new cursor shows at once.
    HWND under = WindowFromPoint(pt);
    DWORD pid = 0;
    if (under != nullptr) GetWindowThreadProcessId(under, &pid);
    if (pid == GetCurrentProcessId())
      SendMessageA(under, WM_SETCURSOR, reinterpret_cast<WPARAM>(under), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  }
}

Win32Peer::Win32Peer(Win32Backend& backend, PeerClient& client) : backend_(backend), client_(client) {
  RegisterWindowClass(&Win32Peer::WndProc);
  hwnd_ = CreateWindowExA(0, kWindowClass, "", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                          CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, GetModuleHandleA(nullptr),
                          this);
}

Win32Peer::~Win32Peer() {
  if (hwnd_ != nullptr) {
    SetWindowLongPtrA(hwnd_, GWLP_USERDATA, 0);
    DestroyWindow(hwnd_);
  }
}

LRESULT CALLBACK Win32Peer::WndProc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) {
  if (msg == WM_NCCREATE) {
    auto* cs = reinterpret_cast<CREATESTRUCTA*>(lparam);
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
  }
  auto* peer = reinterpret_cast<Win32Peer*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (peer == nullptr || peer->hwnd_ == nullptr) return DefWindowProcA(hwnd, msg, wparam, lparam);
  return peer->Handle(msg, wparam, lparam);
}

LRESULT Win32Peer::Handle(UINT msg, WPARAM wparam, LPARAM lparam) {
  // The client catches what its handlers raise: nothing may unwind
  // through the system's dispatch.
  LRESULT reflected = 0;
  if (Win32ControlPeer::ReflectFromParent(msg, wparam, lparam, &reflected)) return reflected;
  switch (msg) {
    case WM_COMMAND:
      // Enter and Esc, from the dialog keys, where no button took them.
      if (lparam == 0 && LOWORD(wparam) == IDOK) client_.HandlePeerEvent(PeerEvent::kDefaultKey);
      if (LOWORD(wparam) == IDCANCEL) client_.HandlePeerEvent(PeerEvent::kCancelKey);
      return 0;
    case WM_NEXTDLGCTL: {
      HWND next = LOWORD(lparam) ? reinterpret_cast<HWND>(wparam)
                                 : GetNextDlgTabItem(hwnd_, GetFocus(), wparam != 0);
      if (next != nullptr) {
        SetFocus(next);
        if (SendMessageA(next, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) SendMessageA(next, EM_SETSEL, 0, -1);
      }
      return 0;
    }
    case WM_ACTIVATE:
      client_.HandlePeerEvent(LOWORD(wparam) == WA_INACTIVE ? PeerEvent::kDeactivate
                                                             : PeerEvent::kActivate);
      return 0;
    case WM_CLOSE:
      client_.HandlePeerEvent(PeerEvent::kCloseRequest);
      return 0;
    case WM_SETCURSOR:
      if (LOWORD(lparam) == HTCLIENT) {
        const TCursor screen = backend_.ScreenCursor();
        ::SetCursor(Win32Backend::CursorHandle(screen != crDefault ? screen : cursor_));
        return TRUE;
      }
      break;
    default:
      break;
  }
  return DefWindowProcA(hwnd_, msg, wparam, lparam);
}

void Win32Peer::SetText(const std::string& text) { SetWindowTextA(hwnd_, text.c_str()); }

void Win32Peer::SetBounds(int left, int top, int width, int height) {
  SetWindowPos(hwnd_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32Peer::SetVisible(bool visible) {
  if (visible == visible_) return;
  visible_ = visible;
  if (!visible) {
    ShowWindow(hwnd_, SW_HIDE);
    return;
  }
  const int how = state_ == wsMaximized ? SW_SHOWMAXIMIZED
                  : state_ == wsMinimized ? SW_SHOWMINIMIZED
                                          : SW_SHOWNORMAL;
  if (center_) {
    RECT r;
    GetWindowRect(hwnd_, &r);
    const int w = r.right - r.left, h = r.bottom - r.top;
    SetWindowPos(hwnd_, nullptr, (GetSystemMetrics(SM_CXSCREEN) - w) / 2,
                 (GetSystemMetrics(SM_CYSCREEN) - h) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  ShowWindow(hwnd_, how);
  SetForegroundWindow(hwnd_);
  UpdateWindow(hwnd_);
}

void Win32Peer::SetWindowState(TWindowState state) {
  state_ = state;
  if (!visible_) return;  // applied when shown
  ShowWindow(hwnd_, state == wsMaximized ? SW_MAXIMIZE : state == wsMinimized ? SW_MINIMIZE : SW_RESTORE);
}

void Win32Peer::ShowCursorNow() {
  POINT pt;
  if (GetCursorPos(&pt) && WindowFromPoint(pt) == hwnd_)
    SendMessageA(hwnd_, WM_SETCURSOR, reinterpret_cast<WPARAM>(hwnd_), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
}

void Win32Peer::SetCursor(TCursor cursor) {
  cursor_ = cursor;
  ShowCursorNow();
}

void Win32Peer::SetLook(const ControlLook& look) {
  DWORD style, ex;
  Win32Backend::FrameStyles(look.border_style, look.border_icons, &style, &ex);
  if (IsWindowVisible(hwnd_)) style |= WS_VISIBLE;
  SetWindowLongPtrA(hwnd_, GWL_STYLE, style);
  SetWindowLongPtrA(hwnd_, GWL_EXSTYLE, ex);
  RECT r{0, 0, look.client_width, look.client_height};
  AdjustWindowRectEx(&r, style, FALSE, ex);
  SetWindowPos(hwnd_, look.stay_on_top ? HWND_TOPMOST : HWND_NOTOPMOST, look.left, look.top, r.right - r.left,
               r.bottom - r.top, SWP_NOACTIVATE | SWP_FRAMECHANGED);
  center_ = look.center_on_screen;
}

void Win32Peer::Repaint() {
  InvalidateRect(hwnd_, nullptr, TRUE);
  UpdateWindow(hwnd_);
}

}  // namespace kit
