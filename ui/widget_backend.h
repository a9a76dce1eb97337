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

#include "ui/cursor.h"

namespace kit {

class TForm;

enum TWindowState { wsNormal = 0, wsMinimized = 1, wsMaximized = 2 };

enum class WidgetKind { kForm };

enum class PeerEvent {
  kActivate,      // the window became the active one
  kDeactivate,    // another window became active
  kCloseRequest,  // the user asked to close the window
};

// The widget side of a peer.
class PeerClient {
 public:
  virtual ~PeerClient() = default;
  virtual void HandlePeerEvent(PeerEvent event) = 0;
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
  // A modal loop of the form is about to start.
  virtual void ModalLoopStarting(TForm& form) {}
};

// The backend of the program's own target: real windows on win32, the
// headless one (answering on the terminal or with default answers) natively.
std::unique_ptr<WidgetBackend> NewNativeBackend();

}  // namespace kit
