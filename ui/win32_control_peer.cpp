#include "ui/win32_control_peer.h"

#include <commctrl.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "ui/gdi_surface.h"
#include "ui/picture.h"

namespace kit {
namespace {

constexpr const char* kOwnClass = "KitControl";
constexpr const char* kPeerProp = "KitControlPeer";

bool OwnDrawn(WidgetKind kind) {
  return kind == WidgetKind::kPanel || kind == WidgetKind::kGroupBox || kind == WidgetKind::kImage ||
         kind == WidgetKind::kBevel || kind == WidgetKind::kRadioGroup || kind == WidgetKind::kTabControl ||
         kind == WidgetKind::kGraphic;
}

void EnsureClasses(WNDPROC own) {
  static bool done = false;
  if (done) return;
  done = true;
  InitCommonControls();  // every version of the library has it (the Ex call came later)
  WNDCLASSA wc{};
  wc.style = CS_HREDRAW | CS_VREDRAW;
  wc.lpfnWndProc = own;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  wc.lpszClassName = kOwnClass;
  RegisterClassA(&wc);
}

DWORD AlignStyle(int alignment) {
  return alignment == 1 ? SS_RIGHT : alignment == 2 ? SS_CENTER : SS_LEFT;
}

DWORD StylesFor(WidgetKind kind, const ControlLook& look, const char** cls) {
  DWORD style = WS_CHILD | WS_CLIPSIBLINGS;
  if (look.tab_stop) style |= WS_TABSTOP;
  switch (kind) {
    case WidgetKind::kLabel:
      *cls = "STATIC";
      return style | (look.word_wrap ? AlignStyle(look.alignment) : (look.alignment == 0 ? SS_LEFTNOWORDWRAP : AlignStyle(look.alignment)));
    case WidgetKind::kButton:
    case WidgetKind::kBitBtn:
    case WidgetKind::kSpeedButton:
      *cls = "BUTTON";
      return style | (look.is_default ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
    case WidgetKind::kCheckBox:
      *cls = "BUTTON";
      return style | BS_3STATE | (look.alignment == 0 ? BS_LEFTTEXT : 0);
    case WidgetKind::kRadioButton:
      *cls = "BUTTON";
      return style | BS_RADIOBUTTON;
    case WidgetKind::kEdit:
      *cls = "EDIT";
      return style | ES_AUTOHSCROLL | (look.read_only ? ES_READONLY : 0);
    case WidgetKind::kMemo:
      *cls = "EDIT";
      return style | ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL | (look.word_wrap ? 0 : ES_AUTOHSCROLL) |
             (look.read_only ? ES_READONLY : 0) | ((look.scroll_bars & 1) ? WS_HSCROLL : 0) |
             ((look.scroll_bars & 2) ? WS_VSCROLL : 0);
    case WidgetKind::kListBox:
      *cls = "LISTBOX";
      return style | WS_VSCROLL | LBS_NOTIFY | WS_BORDER;
    case WidgetKind::kProgressBar:
      *cls = PROGRESS_CLASSA;
      return style;
    default:
      *cls = kOwnClass;
      return style;
  }
}

// Bitmap bytes (a .bmp file) as a device-dependent bitmap.
HBITMAP BitmapFromFile(const std::vector<uint8_t>& data) {
  if (data.size() < 26) return nullptr;
  uint32_t offset;
  std::memcpy(&offset, data.data() + 10, 4);
  const auto* info = reinterpret_cast<const BITMAPINFO*>(data.data() + 14);
  HDC dc = GetDC(nullptr);
  HBITMAP bmp = CreateDIBitmap(dc, &info->bmiHeader, CBM_INIT, data.data() + offset, info, DIB_RGB_COLORS);
  ReleaseDC(nullptr, dc);
  return bmp;
}

// The windows of graphic controls, in the order they were made.
std::vector<Win32ControlPeer*>& GraphicPeers() {
  static std::vector<Win32ControlPeer*> peers;
  return peers;
}

bool Overlap(const ControlLook& a, const ControlLook& b) {
  return a.left < b.left + b.width && b.left < a.left + a.width && a.top < b.top + b.height &&
         b.top < a.top + a.height;
}

// The brush a window paints its background with.
HBRUSH BackgroundBrush(HWND hwnd, HBRUSH own) {
  if (own != nullptr) return own;
  auto brush = static_cast<ULONG_PTR>(GetClassLongPtrA(hwnd, GCLP_HBRBACKGROUND));
  if (brush != 0 && brush <= COLOR_MENUBAR + 1) return GetSysColorBrush(static_cast<int>(brush - 1));
  return brush != 0 ? reinterpret_cast<HBRUSH>(brush) : GetSysColorBrush(COLOR_BTNFACE);
}

}  // namespace

COLORREF Win32Color(TColor color) {
  const uint32_t c = static_cast<uint32_t>(color);
  if (c & 0x80000000u) return GetSysColor(static_cast<int>(c & 0xFF));
  return static_cast<COLORREF>(c & 0xFFFFFF);
}

Win32ControlPeer::Win32ControlPeer(PeerClient& client, WidgetKind kind, HWND parent, int id)
    : client_(client), kind_(kind), parent_(parent), id_(id) {
  EnsureClasses(&Win32ControlPeer::OwnProc);
}

Win32ControlPeer::~Win32ControlPeer() {
  auto& graphics = GraphicPeers();
  graphics.erase(std::remove(graphics.begin(), graphics.end(), this), graphics.end());
  if (hwnd_ != nullptr) {
    RemovePropA(hwnd_, kPeerProp);
    DestroyWindow(hwnd_);
  }
  if (font_ != nullptr) DeleteObject(font_);
  if (brush_ != nullptr) DeleteObject(brush_);
  if (bitmap_ != nullptr) DeleteObject(bitmap_);
}

Win32ControlPeer* Win32ControlPeer::FromHandle(HWND hwnd) {
  return hwnd != nullptr ? static_cast<Win32ControlPeer*>(GetPropA(hwnd, kPeerProp)) : nullptr;
}

void Win32ControlPeer::Create(const ControlLook& look) {
  const char* cls = kOwnClass;
  DWORD style = StylesFor(kind_, look, &cls);
  DWORD ex = 0;
  if (kind_ == WidgetKind::kEdit || kind_ == WidgetKind::kMemo) ex |= WS_EX_CLIENTEDGE;
  if (OwnDrawn(kind_)) ex |= WS_EX_CONTROLPARENT;
  hwnd_ = CreateWindowExA(ex, cls, "", style, look.left, look.top, look.width, look.height, parent_,
                          reinterpret_cast<HMENU>(static_cast<INT_PTR>(id_)), GetModuleHandleA(nullptr), nullptr);
  if (hwnd_ == nullptr) return;
  SetPropA(hwnd_, kPeerProp, this);
  if (kind_ == WidgetKind::kGraphic) GraphicPeers().push_back(this);
  KeepGraphicsBelow();
}

void Win32ControlPeer::KeepGraphicsBelow() {
  // Graphic controls lie beneath the windowed ones, the first made lowest.
  const auto& graphics = GraphicPeers();
  for (auto it = graphics.rbegin(); it != graphics.rend(); ++it) {
    if ((*it)->parent_ == parent_ && (*it)->hwnd_ != nullptr)
      SetWindowPos((*it)->hwnd_, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
}

void Win32ControlPeer::PaintBeneath(HDC dc) {
  RECT r{0, 0, look_.width, look_.height};
  Win32ControlPeer* container = FromHandle(parent_);
  FillRect(dc, &r, BackgroundBrush(parent_, container != nullptr ? container->brush_ : nullptr));
  for (Win32ControlPeer* below : GraphicPeers()) {
    if (below == this) break;
    if (below->parent_ != parent_ || !below->look_.visible || !Overlap(below->look_, look_)) continue;
    const int saved = SaveDC(dc);
    SetViewportOrgEx(dc, below->look_.left - look_.left, below->look_.top - look_.top, nullptr);
    if (!below->look_.transparent && below->brush_ != nullptr) {
      RECT b{0, 0, below->look_.width, below->look_.height};
      FillRect(dc, &b, below->brush_);
    }
    {
      GdiSurface surface(dc);
      below->client_.PaintPeer(surface);
    }
    RestoreDC(dc, saved);
  }
}

void Win32ControlPeer::InvalidateGraphicsAbove() {
  bool above = false;
  for (Win32ControlPeer* g : GraphicPeers()) {
    if (g == this) {
      above = true;
    } else if (above && g->parent_ == parent_ && g->hwnd_ != nullptr && Overlap(g->look_, look_)) {
      InvalidateRect(g->hwnd_, nullptr, FALSE);
    }
  }
}

void Win32ControlPeer::ApplyFont(const TFont& font) {
  LOGFONTA lf{};
  lf.lfHeight = font.Height();
  lf.lfWeight = (font.Style() & fs::kBold) ? FW_BOLD : FW_NORMAL;
  lf.lfItalic = (font.Style() & fs::kItalic) ? TRUE : FALSE;
  lf.lfUnderline = (font.Style() & fs::kUnderline) ? TRUE : FALSE;
  lf.lfStrikeOut = (font.Style() & fs::kStrikeOut) ? TRUE : FALSE;
  lf.lfCharSet = static_cast<BYTE>(font.Charset());
  lf.lfQuality = DEFAULT_QUALITY;
  lstrcpynA(lf.lfFaceName, font.Name().c_str(), LF_FACESIZE);
  HFONT f = CreateFontIndirectA(&lf);
  SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(f), TRUE);
  if (font_ != nullptr) DeleteObject(font_);
  font_ = f;
}

void Win32ControlPeer::ApplyPicture(const ControlLook& look) {
  if (bitmap_ != nullptr) DeleteObject(bitmap_);
  bitmap_ = nullptr;
  if (look.picture == nullptr) return;
  const auto& data = look.picture->Data();
  if (!data.empty())
    bitmap_ = BitmapFromFile(data);
  else if (!look.picture->ResourceName().empty())
    bitmap_ = static_cast<HBITMAP>(LoadImageA(GetModuleHandleA(nullptr), look.picture->ResourceName().c_str(),
                                              IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
}

void Win32ControlPeer::SetLook(const ControlLook& look) {
  const bool first = !have_look_;
  if (first) Create(look);
  if (hwnd_ == nullptr) return;
  const ControlLook old = look_;
  look_ = look;
  have_look_ = true;
  if (first || !(old.font == look.font)) ApplyFont(look.font);
  if (first || old.color != look.color) {
    if (brush_ != nullptr) DeleteObject(brush_);
    brush_ = CreateSolidBrush(Win32Color(look.color));
  }
  if (first || old.text != look.text) {
    if ((kind_ != WidgetKind::kEdit && kind_ != WidgetKind::kMemo) || CurrentText() != look.text) {
      setting_text_ = true;
      SetWindowTextA(hwnd_, look.text.c_str());
      setting_text_ = false;
    }
  }
  if (!first && (old.left != look.left || old.top != look.top || old.width != look.width || old.height != look.height))
    SetWindowPos(hwnd_, nullptr, look.left, look.top, look.width, look.height, SWP_NOZORDER | SWP_NOACTIVATE);
  if (first || old.enabled != look.enabled) EnableWindow(hwnd_, look.enabled);
  LONG_PTR style = GetWindowLongPtrA(hwnd_, GWL_STYLE);
  LONG_PTR want = look.tab_stop ? (style | WS_TABSTOP) : (style & ~WS_TABSTOP);
  if (kind_ == WidgetKind::kLabel) {
    const char* cls = nullptr;
    want = (want & ~0x1F) | (StylesFor(kind_, look, &cls) & 0x1F);
  }
  if (want != style) SetWindowLongPtrA(hwnd_, GWL_STYLE, want);
  switch (kind_) {
    case WidgetKind::kButton:
    case WidgetKind::kBitBtn:
    case WidgetKind::kSpeedButton:
      if (first || old.is_default != look.is_default)
        SendMessageA(hwnd_, BM_SETSTYLE, look.is_default ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
      break;
    case WidgetKind::kCheckBox:
    case WidgetKind::kRadioButton:
      SendMessageA(hwnd_, BM_SETCHECK, look.state == 2 ? BST_INDETERMINATE : look.state == 1 ? BST_CHECKED : BST_UNCHECKED, 0);
      break;
    case WidgetKind::kEdit:
    case WidgetKind::kMemo:
      if (first || old.read_only != look.read_only) SendMessageA(hwnd_, EM_SETREADONLY, look.read_only, 0);
      break;
    case WidgetKind::kProgressBar:
      SendMessageA(hwnd_, PBM_SETRANGE32, look.min, look.max);
      SendMessageA(hwnd_, PBM_SETPOS, look.position, 0);
      break;
    case WidgetKind::kImage:
      if (first || old.picture != look.picture) ApplyPicture(look);
      break;
    case WidgetKind::kListBox:
      if (first || old.items != look.items) {
        SendMessageA(hwnd_, LB_RESETCONTENT, 0, 0);
        for (const std::string& item : look.items)
          SendMessageA(hwnd_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
      }
      if (SendMessageA(hwnd_, LB_GETCURSEL, 0, 0) != look.item_index)
        SendMessageA(hwnd_, LB_SETCURSEL, static_cast<WPARAM>(look.item_index), 0);
      break;
    default:
      break;
  }
  if (first || old.visible != look.visible) ShowWindow(hwnd_, look.visible ? SW_SHOWNA : SW_HIDE);
  if (!first) InvalidateRect(hwnd_, nullptr, TRUE);
  if (kind_ == WidgetKind::kGraphic) InvalidateGraphicsAbove();
}

RECT Win32ControlPeer::TabRect(HDC dc, int index) const {
  int x = 2;
  RECT tab{};
  for (int i = 0; i <= index && i < static_cast<int>(look_.items.size()); ++i) {
    SIZE size{};
    GetTextExtentPoint32A(dc, look_.items[i].c_str(), static_cast<int>(look_.items[i].size()), &size);
    tab = RECT{x, 4, x + size.cx + 12, 22};
    x = tab.right;
  }
  return tab;
}

void Win32ControlPeer::ClickTab(int x, int y) {
  if (y >= 22) return;
  HDC dc = GetDC(hwnd_);
  HGDIOBJ old = SelectObject(dc, font_);
  for (int i = 0; i < static_cast<int>(look_.items.size()); ++i) {
    const RECT tab = TabRect(dc, i);
    if (x >= tab.left && x < tab.right) chosen_tab_ = i;
  }
  SelectObject(dc, old);
  ReleaseDC(hwnd_, dc);
  if (chosen_tab_ >= 0) client_.HandlePeerEvent(PeerEvent::kChange);
}

void Win32ControlPeer::Repaint() {
  if (hwnd_ == nullptr) return;
  if (kind_ == WidgetKind::kImage && look_.picture != nullptr) ApplyPicture(look_);
  InvalidateRect(hwnd_, nullptr, TRUE);
  UpdateWindow(hwnd_);
}

void Win32ControlPeer::Focus() {
  if (hwnd_ != nullptr) SetFocus(hwnd_);
}

bool Win32ControlPeer::Focused() const { return hwnd_ != nullptr && GetFocus() == hwnd_; }

int Win32ControlPeer::CurrentIndex() const {
  if (kind_ == WidgetKind::kTabControl) return chosen_tab_;
  if (hwnd_ == nullptr || kind_ != WidgetKind::kListBox) return -1;
  return static_cast<int>(SendMessageA(hwnd_, LB_GETCURSEL, 0, 0));
}

std::string Win32ControlPeer::CurrentText() const {
  if (hwnd_ == nullptr) return {};
  const int n = GetWindowTextLengthA(hwnd_);
  std::string s(static_cast<size_t>(n) + 1, '\0');
  GetWindowTextA(hwnd_, s.data(), n + 1);
  s.resize(static_cast<size_t>(n));
  return s;
}

bool Win32ControlPeer::ReflectFromParent(UINT msg, WPARAM wparam, LPARAM lparam, LRESULT* result) {
  switch (msg) {
    case WM_COMMAND: {
      Win32ControlPeer* peer = FromHandle(reinterpret_cast<HWND>(lparam));
      if (peer == nullptr) return false;
      const WORD code = HIWORD(wparam);
      if (code == BN_CLICKED)
        peer->client_.HandlePeerEvent(PeerEvent::kClick);
      else if (code == EN_CHANGE && !peer->setting_text_)
        peer->client_.HandlePeerEvent(PeerEvent::kChange);
      else if (code == LBN_SELCHANGE)
        peer->client_.HandlePeerEvent(PeerEvent::kChange);
      *result = 0;
      return true;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT: {
      Win32ControlPeer* peer = FromHandle(reinterpret_cast<HWND>(lparam));
      if (peer == nullptr || peer->brush_ == nullptr) return false;
      HDC dc = reinterpret_cast<HDC>(wparam);
      SetTextColor(dc, Win32Color(peer->look_.font.Color()));
      SetBkColor(dc, Win32Color(peer->look_.color));
      if (peer->look_.transparent) SetBkMode(dc, TRANSPARENT);
      *result = reinterpret_cast<LRESULT>(peer->brush_);
      return true;
    }
    default:
      return false;
  }
}

LRESULT Win32ControlPeer::Paint() {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd_, &ps);
  RECT r;
  GetClientRect(hwnd_, &r);
  if (kind_ == WidgetKind::kGraphic) {
    if (look_.transparent)
      PaintBeneath(dc);
    else if (brush_ != nullptr)
      FillRect(dc, &r, brush_);
    {
      GdiSurface surface(dc);
      client_.PaintPeer(surface);
    }
    EndPaint(hwnd_, &ps);
    return 0;
  }
  if (kind_ != WidgetKind::kBevel && brush_ != nullptr && !look_.transparent) FillRect(dc, &r, brush_);
  SelectObject(dc, font_);
  SetTextColor(dc, Win32Color(look_.font.Color()));
  SetBkMode(dc, TRANSPARENT);
  auto edge = [](int cut) { return cut == 1 ? BDR_SUNKENOUTER : cut == 2 ? BDR_RAISEDINNER : 0; };
  switch (kind_) {
    case WidgetKind::kPanel: {
      RECT inner = r;
      for (int i = 0; i < look_.bevel_width && look_.bevel_outer != 0; ++i) {
        DrawEdge(dc, &inner, look_.bevel_outer == 1 ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT | BF_ADJUST);
      }
      for (int i = 0; i < look_.bevel_width && look_.bevel_inner != 0; ++i) {
        DrawEdge(dc, &inner, edge(look_.bevel_inner), BF_RECT | BF_ADJUST);
      }
      const UINT align = look_.alignment == 1 ? DT_RIGHT : look_.alignment == 2 ? DT_CENTER : DT_LEFT;
      DrawTextA(dc, look_.text.c_str(), -1, &inner, align | DT_VCENTER | DT_SINGLELINE);
      break;
    }
    case WidgetKind::kGroupBox:
    case WidgetKind::kRadioGroup: {
      RECT frame = r;
      frame.top += 6;
      DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
      SetBkMode(dc, OPAQUE);
      SetBkColor(dc, Win32Color(look_.color));
      TextOutA(dc, 8, 0, (" " + look_.text + " ").c_str(), static_cast<int>(look_.text.size() + 2));
      break;
    }
    case WidgetKind::kTabControl: {
      RECT frame = r;
      frame.top = 22;
      DrawEdge(dc, &frame, EDGE_RAISED, BF_RECT);
      for (size_t i = 0; i < look_.items.size(); ++i) {
        RECT tab = TabRect(dc, static_cast<int>(i));
        if (static_cast<int>(i) == look_.item_index) tab.top -= 2;
        DrawEdge(dc, &tab, EDGE_RAISED, BF_LEFT | BF_TOP | BF_RIGHT);
        DrawTextA(dc, look_.items[i].c_str(), -1, &tab, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
      }
      break;
    }
    case WidgetKind::kBevel: {
      const UINT e = look_.style == 1 ? EDGE_BUMP : EDGE_ETCHED;
      UINT sides = BF_RECT;
      switch (look_.shape) {
        case 2: sides = BF_TOP; break;
        case 3: sides = BF_BOTTOM; break;
        case 4: sides = BF_LEFT; break;
        case 5: sides = BF_RIGHT; break;
        case 6: sides = 0; break;
        default: break;
      }
      if (look_.shape == 0) DrawEdge(dc, &r, look_.style == 1 ? BDR_RAISEDINNER : BDR_SUNKENOUTER, BF_RECT);
      else if (sides != 0) DrawEdge(dc, &r, e, sides);
      break;
    }
    case WidgetKind::kImage:
      if (bitmap_ != nullptr) {
        BITMAP bm{};
        GetObjectA(bitmap_, sizeof(bm), &bm);
        HDC mem = CreateCompatibleDC(dc);
        HGDIOBJ old = SelectObject(mem, bitmap_);
        if (look_.stretch) {
          StretchBlt(dc, 0, 0, r.right, r.bottom, mem, 0, 0, bm.bmWidth, bm.bmHeight, SRCCOPY);
        } else {
          const int x = look_.center ? (r.right - bm.bmWidth) / 2 : 0;
          const int y = look_.center ? (r.bottom - bm.bmHeight) / 2 : 0;
          BitBlt(dc, x, y, bm.bmWidth, bm.bmHeight, mem, 0, 0, SRCCOPY);
        }
        SelectObject(mem, old);
        DeleteDC(mem);
      }
      break;
    default:
      break;
  }
  EndPaint(hwnd_, &ps);
  return 0;
}

LRESULT CALLBACK Win32ControlPeer::OwnProc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) {
  LRESULT result = 0;
  if (ReflectFromParent(msg, wparam, lparam, &result)) return result;
  Win32ControlPeer* peer = FromHandle(hwnd);
  if (peer != nullptr) {
    switch (msg) {
      case WM_PAINT:
        return peer->Paint();
      case WM_ERASEBKGND:
        return 1;
      case WM_NCHITTEST:
        if (peer->kind_ == WidgetKind::kGraphic) return HTTRANSPARENT;
        break;
      case WM_LBUTTONUP:
        if (peer->kind_ == WidgetKind::kGraphic) break;
        if (peer->kind_ == WidgetKind::kTabControl) {
          peer->ClickTab(static_cast<short>(LOWORD(lparam)), static_cast<short>(HIWORD(lparam)));
          return 0;
        }
        peer->client_.HandlePeerEvent(PeerEvent::kClick);
        return 0;
      default:
        break;
    }
  }
  return DefWindowProcA(hwnd, msg, wparam, lparam);
}

}  // namespace kit
