// The headless widget backend: windows are state only. What a user would do
// comes from a driver: tests script message-box answers, modal answers and
// idle actions and read back what was shown; the native program takes the
// default answer of every box (printing it on stderr), or asks on the
// terminal when one is attached.
#pragma once

#include <deque>
#include <memory>
#include <functional>
#include <string>
#include <vector>

#include "ui/image_surface.h"
#include "ui/widget_backend.h"

namespace kit {

class HeadlessPeer;

struct ShownMessageBox {
  std::string text;
  std::string caption;
  uint32_t flags = 0;
  int answer = 0;
};

class HeadlessBackend : public WidgetBackend {
 public:
  enum class Console {
    kSilent,       // tests: nothing printed
    kPrint,        // print every box on stderr, take its default answer
    kInteractive,  // print and ask on the terminal
  };
  explicit HeadlessBackend(Console console = Console::kSilent);
  ~HeadlessBackend() override;

  // ---- the script
  // Answers of the next message boxes, in order; then the default answers.
  void AnswerMessageBoxes(std::vector<int> answers);
  // Answers a message box (when set, before the scripted list).
  std::function<int(const ShownMessageBox&)> on_message_box;
  // Called when a modal loop of a form starts; may set its ModalResult or
  // post actions. Unanswered, a modal form gets its default answer.
  std::function<void(TForm&)> on_modal;
  // Called when a loop has nothing to do; returns false when it has no
  // more to do either (the user has gone: the main form closes).
  std::function<bool()> on_idle;
  // Runs an action from the loop, as a message would.
  void Post(std::function<void()> action);

  // ---- what happened
  const std::vector<ShownMessageBox>& MessageBoxes() const { return boxes_; }
  TCursor ScreenCursor() const { return screen_cursor_; }
  int ProcessMessagesCalls() const { return process_messages_calls_; }
  HeadlessPeer* ActivePeer() const { return active_; }
  // The control peer that has the keyboard focus, or null.
  HeadlessPeer* FocusedPeer() const { return focused_; }
  // Makes a shown window the active one, as a click on it would.
  void Activate(HeadlessPeer* peer);

  // ---- WidgetBackend
  std::unique_ptr<WindowPeer> CreatePeer(WidgetKind kind, PeerClient& client,
                                         WindowPeer* parent) override;
  LoopEnd RunLoop(const std::function<bool()>& done) override;
  bool ProcessMessages() override;
  void PostQuit() override;
  int AskMessageBox(const std::string& text, const std::string& caption, uint32_t flags) override;
  void SetScreenCursor(TCursor cursor) override { screen_cursor_ = cursor; }
  void ModalLoopStarting(TForm& form) override;

 private:
  friend class HeadlessPeer;
  bool RunPosted();
  int AskTerminal(const ShownMessageBox& box);
  void PeerShown(HeadlessPeer* peer);
  void PeerHidden(HeadlessPeer* peer);
  void PeerGone(HeadlessPeer* peer);

  Console console_;
  std::vector<ShownMessageBox> boxes_;
  std::deque<int> answers_;
  std::deque<std::function<void()>> posted_;
  std::vector<HeadlessPeer*> shown_;  // visible peers, last activated last
  HeadlessPeer* active_ = nullptr;
  HeadlessPeer* focused_ = nullptr;
  TCursor screen_cursor_ = crDefault;
  int process_messages_calls_ = 0;
  bool quit_ = false;
};

// A window of the headless backend: what it would show.
class HeadlessPeer : public WindowPeer {
 public:
  HeadlessPeer(HeadlessBackend& backend, PeerClient& client, WidgetKind kind);
  ~HeadlessPeer() override;

  WidgetKind Kind() const { return kind_; }
  PeerClient& Client() { return client_; }
  const std::string& Text() const { return text_; }
  bool Visible() const { return visible_; }
  TWindowState WindowState() const { return state_; }
  TCursor Cursor() const { return cursor_; }
  int RepaintCount() const { return repaints_; }
  int Left() const { return left_; }
  int Top() const { return top_; }
  int Width() const { return width_; }
  int Height() const { return height_; }

  void SetText(const std::string& text) override { text_ = text; }
  void SetBounds(int left, int top, int width, int height) override;
  void SetVisible(bool visible) override;
  void SetWindowState(TWindowState state) override { state_ = state; }
  void SetCursor(TCursor cursor) override { cursor_ = cursor; }
  void Repaint() override;
  void SetLook(const ControlLook& look) override;
  void Focus() override;
  bool Focused() const override;
  std::string CurrentText() const override { return typed_; }

  // What the control shows.
  const ControlLook& Look() const { return look_; }
  // A graphic control's picture, painted again after every change of its
  // look and every repaint (null for other kinds), and how often it was.
  const ImageSurface* Image() const { return image_.get(); }
  int PaintCount() const { return paints_; }
  // The user's acts: a press (button, check box), typing into an edit
  // (the whole new text).
  void Press() { client_.HandlePeerEvent(PeerEvent::kClick); }
  void Type(const std::string& text) {
    typed_ = text;
    client_.HandlePeerEvent(PeerEvent::kChange);
  }
  // A click on an item of a list box (-1: none).
  void Choose(int index) {
    chosen_ = index;
    client_.HandlePeerEvent(PeerEvent::kChange);
  }
  int CurrentIndex() const override { return chosen_; }

 private:
  HeadlessBackend& backend_;
  PeerClient& client_;
  WidgetKind kind_;
  std::string text_;
  bool visible_ = false;
  TWindowState state_ = wsNormal;
  TCursor cursor_ = crDefault;
  int repaints_ = 0;
  int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
  ControlLook look_;
  std::string typed_;
  int chosen_ = -1;
  std::unique_ptr<ImageSurface> image_;
  int paints_ = 0;
  void PaintImage();
};

}  // namespace kit
