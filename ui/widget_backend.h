// The seam between the widget classes and a windowing system. A widget owns
// one peer made by the backend; the peer shows the widget's state and tells
// the widget what the user or the system did. Later widget kinds (panels,
// labels, buttons, progress bars ...) add a WidgetKind and the peer calls
// they need; the loop, message boxes and cursors stay as they are.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include <vector>

#include "ui/cursor.h"
#include "ui/font.h"
#include "ui/paint_surface.h"

namespace kit {

class TForm;

enum TWindowState { wsNormal = 0, wsMinimized = 1, wsMaximized = 2 };

enum class WidgetKind {
  kForm,
  kPanel,
  kLabel,
  kButton,
  kBitBtn,
  kSpeedButton,
  kCheckBox,
  kRadioButton,
  kEdit,
  kMemo,
  kImage,
  kBevel,
  kProgressBar,
  kGroupBox,
  kRadioGroup,
  kListBox,
  kTabControl,
  kGraphic,  // painted by the control itself (see PaintSurface); takes no input
};

class TPicture;

// Everything a peer shows of a control (or, for a form, its frame, font and
// colour). The control hands the whole look over after every change; the
// peer applies what differs.
struct ControlLook {
  std::string text;                // caption, edit text, memo lines joined by CR LF
  std::vector<std::string> items;  // list box, radio group, tab control
  int item_index = -1;
  int columns = 1;
  int left = 0, top = 0, width = 0, height = 0;
  bool visible = true;
  bool enabled = true;
  TFont font;
  TColor color = cl::kBtnFace;
  int alignment = 0;  // 0 left, 1 right, 2 centre
  bool word_wrap = false;
  bool transparent = false;
  bool read_only = false;
  int state = 0;        // check box: 0 unchecked, 1 checked, 2 greyed
  int scroll_bars = 0;  // 0 none, 1 horizontal, 2 vertical, 3 both
  int min = 0, max = 100, position = 0;
  int bevel_inner = 0, bevel_outer = 0, bevel_width = 1;  // panel: 0 none, 1 lowered, 2 raised
  int shape = 0, style = 0;                                // bevel
  bool is_default = false, is_cancel = false;
  bool tab_stop = false;
  int tab_order = 0;
  const TPicture* picture = nullptr;
  bool stretch = false, center = false;
  // Forms.
  int border_style = 0;  // 0 sizeable, 1 dialog, 2 single, 3 none
  bool center_on_screen = false;
  bool stay_on_top = false;
  unsigned border_icons = 7;  // system menu, minimize, maximize, help (bits 0..3)
  int client_width = 0, client_height = 0;
};

enum class PeerEvent {
  kActivate,      // the window became the active one
  kDeactivate,    // another window became active
  kCloseRequest,  // the user asked to close the window
  kClick,         // a button was pressed, a box ticked, an item chosen
  kChange,        // the user changed the text or the chosen item
  kDefaultKey,    // Enter where no button takes it: the default button
  kCancelKey,     // Esc: the cancel button
};

// The widget side of a peer.
class PeerClient {
 public:
  virtual ~PeerClient() = default;
  virtual void HandlePeerEvent(PeerEvent event) = 0;
  // A graphic control paints itself (WidgetKind::kGraphic).
  virtual void PaintPeer(PaintSurface& surface) {}
};

class WindowPeer {
 public:
  virtual ~WindowPeer() = default;
  virtual void SetText(const std::string& text) = 0;
  virtual void SetBounds(int left, int top, int width, int height) = 0;
  // Showing a top-level window makes it the active one, which its client
  // hears (kActivate) before this call returns.
  virtual void SetVisible(bool visible) = 0;
  virtual void SetWindowState(TWindowState state) = 0;
  virtual void SetCursor(TCursor cursor) = 0;
  virtual void Repaint() = 0;
  // Controls: the whole look (see ControlLook).
  virtual void SetLook(const ControlLook& look) {}
  virtual void Focus() {}
  virtual bool Focused() const { return false; }
  // What the user typed or chose.
  virtual std::string CurrentText() const { return {}; }
  virtual int CurrentIndex() const { return -1; }
};

// How a message loop ended.
enum class LoopEnd {
  kDone,  // the condition it waited for holds
  kQuit,  // the application was asked to quit (WM_QUIT)
  kIdle,  // nothing more can happen (headless: nobody is there to act)
};

class WidgetBackend {
 public:
  virtual ~WidgetBackend() = default;
  virtual std::unique_ptr<WindowPeer> CreatePeer(WidgetKind kind, PeerClient& client,
                                                 WindowPeer* parent) = 0;
  // Waits for and dispatches messages until done() holds.
  virtual LoopEnd RunLoop(const std::function<bool()>& done) = 0;
  // Dispatches the messages that are waiting; false when a quit request
  // was among them.
  virtual bool ProcessMessages() = 0;
  // Asks the loop to end (PostQuitMessage).
  virtual void PostQuit() = 0;
  virtual int AskMessageBox(const std::string& text, const std::string& caption, uint32_t flags) = 0;
  // The cursor shown over every window of the program; crDefault lets each
  // window show its own.
  virtual void SetScreenCursor(TCursor cursor) = 0;
  // The size of the text in the font, as a label shows it; with
  // wrap_width > 0 broken between words to fit that width.
  virtual TextSize MeasureText(const TFont& font, const std::string& text, int wrap_width) const;
  // A modal loop of the form is about to start.
  virtual void ModalLoopStarting(TForm& form) {}
  // The frame around a form's client area of that border style (0 sizeable,
  // 1 dialog, 2 single, 3 none): the width and height it adds.
  virtual void FrameExtent(int border_style, int* dx, int* dy) const {
    *dx = border_style == 3 ? 0 : border_style == 0 ? 8 : 6;
    *dy = border_style == 3 ? 0 : border_style == 0 ? 27 : 25;
  }
};

// The backend of the program's own target: real windows on win32, the
// headless one (answering on the terminal or with default answers) natively.
std::unique_ptr<WidgetBackend> NewNativeBackend();

}  // namespace kit
