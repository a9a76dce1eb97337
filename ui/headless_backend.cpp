#include "ui/headless_backend.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

#include "base/codepage.h"
#include "ui/controls/button.h"
#include "ui/controls/check_box.h"
#include "ui/form.h"
#include "ui/message_box.h"

namespace kit {

namespace {

// One line of standard input without its line end; false at its end (the
// terminal went away) with nothing read.
bool ReadLine(std::string* line) {
  line->clear();
  int c;
  while ((c = std::getchar()) != EOF && c != '\n') line->push_back(static_cast<char>(c));
  return c != EOF || !line->empty();
}

}  // namespace

HeadlessBackend::HeadlessBackend(Console console) : console_(console) {}

HeadlessBackend::~HeadlessBackend() = default;

void HeadlessBackend::AnswerMessageBoxes(std::vector<int> answers) {
  answers_.insert(answers_.end(), answers.begin(), answers.end());
}

void HeadlessBackend::Post(std::function<void()> action) { posted_.push_back(std::move(action)); }

std::unique_ptr<WindowPeer> HeadlessBackend::CreatePeer(WidgetKind kind, PeerClient& client,
                                                        WindowPeer*) {
  return std::make_unique<HeadlessPeer>(*this, client, kind);
}

bool HeadlessBackend::RunPosted() {
  if (posted_.empty()) return false;
  auto action = std::move(posted_.front());
  posted_.pop_front();
  action();
  return true;
}

LoopEnd HeadlessBackend::RunLoop(const std::function<bool()>& done) {
  while (!done()) {
    if (quit_) {
      quit_ = false;
      return LoopEnd::kQuit;
    }
    if (RunPosted()) continue;
    if (!on_idle || !on_idle()) {
      if (done()) break;
      return LoopEnd::kIdle;
    }
  }
  return LoopEnd::kDone;
}

bool HeadlessBackend::ProcessMessages() {
  ++process_messages_calls_;
  // Only what is waiting now; actions posted meanwhile wait for the next call.
  for (size_t n = posted_.size(); n > 0 && !quit_; --n) RunPosted();
  if (quit_) {
    quit_ = false;
    return false;
  }
  return true;
}

void HeadlessBackend::PostQuit() { quit_ = true; }

int HeadlessBackend::AskMessageBox(const std::string& text, const std::string& caption,
                                uint32_t flags) {
  ShownMessageBox box{text, caption, flags, 0};
  if (on_message_box) {
    box.answer = on_message_box(box);
  } else if (!answers_.empty()) {
    box.answer = answers_.front();
    answers_.pop_front();
  } else if (console_ == Console::kInteractive) {
    box.answer = AskTerminal(box);
  } else {
    box.answer = DefaultMessageBoxAnswer(flags);
  }
  if (console_ == Console::kPrint) {
    std::fprintf(stderr, "[%s] %s -> %s\n", ToUtf8(caption, AnsiCodePage()).c_str(),
                 ToUtf8(text, AnsiCodePage()).c_str(),
                 MessageBoxButtonName(box.answer));
    std::fflush(stderr);
  }
  boxes_.push_back(box);
  return box.answer;
}

int HeadlessBackend::AskTerminal(const ShownMessageBox& box) {
  int ids[3];
  const int n = MessageBoxButtons(box.flags, ids);
  const int fallback = DefaultMessageBoxAnswer(box.flags);
  std::fprintf(stderr, "\n[%s]\n%s\n", ToUtf8(box.caption, AnsiCodePage()).c_str(),
               ToUtf8(box.text, AnsiCodePage()).c_str());
  for (;;) {
    for (int i = 0; i < n; ++i)
      std::fprintf(stderr, "  %d) %s%s\n", i + 1, MessageBoxButtonName(ids[i]),
                   ids[i] == fallback ? " (default)" : "");
    std::fprintf(stderr, "> ");
    std::fflush(stderr);
    std::string line;
    if (!ReadLine(&line)) return fallback;  // the terminal went away
    while (!line.empty() && std::isspace(static_cast<unsigned char>(line.back()))) line.pop_back();
    if (line.empty()) return fallback;
    if (line.size() == 1 && line[0] >= '1' && line[0] < '1' + n) return ids[line[0] - '1'];
    for (int i = 0; i < n; ++i) {
      std::string name = MessageBoxButtonName(ids[i]);
      if (line.size() <= name.size() &&
          std::equal(line.begin(), line.end(), name.begin(), [](char a, char b) {
            return std::tolower(static_cast<unsigned char>(a)) ==
                   std::tolower(static_cast<unsigned char>(b));
          }))
        return ids[i];
    }
  }
}

namespace {

// The texts and buttons of a page, in the order they stand.
void CollectPage(const TControlParent& parent, std::vector<std::string>* texts, std::vector<TButton*>* buttons) {
  for (int i = 0; i < parent.ControlCount(); ++i) {
    TControl* c = parent.Controls(i);
    if (!c->Visible()) continue;
    if (auto* b = dynamic_cast<TButton*>(c)) {
      if (b->Enabled()) buttons->push_back(b);
    } else if (auto* box = dynamic_cast<TCheckBox*>(c)) {
      texts->push_back(std::string(box->Checked() ? "[x] " : "[ ] ") + box->Caption());
    } else if (!c->Text().empty()) {
      texts->push_back(c->Text());
    }
    if (auto* inner = dynamic_cast<const TControlParent*>(c)) CollectPage(*inner, texts, buttons);
  }
}

std::string WithoutAccelerators(const std::string& s) {
  std::string out;
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] == '&' && i + 1 < s.size()) ++i;
    out += s[i];
  }
  return out;
}

}  // namespace

void HeadlessBackend::ModalLoopStarting(TForm& form) {
  if (on_modal) return on_modal(form);
  if (console_ == Console::kSilent) return;
  std::vector<std::string> texts;
  std::vector<TButton*> buttons;
  CollectPage(form, &texts, &buttons);
  // The terminal reads UTF-8; the form's texts are in its font's code page.
  const unsigned cp = CodePageOfCharset(form.Font().Charset());
  auto shown = [cp](const std::string& s) { return ToUtf8(s, cp); };
  std::fprintf(stderr, "\n[%s]\n", shown(form.Caption()).c_str());
  for (const auto& t : texts) std::fprintf(stderr, "%s\n", shown(t).c_str());
  if (buttons.empty()) return;
  for (size_t i = 0; i < buttons.size(); ++i)
    std::fprintf(stderr, "  %zu) %s%s\n", i + 1, shown(WithoutAccelerators(buttons[i]->Caption())).c_str(),
                 buttons[i]->Default() ? " (default)" : "");
  std::fflush(stderr);
  if (console_ != Console::kInteractive) return;  // the form's default answer
  for (;;) {
    std::fprintf(stderr, "> ");
    std::fflush(stderr);
    std::string line;
    if (!ReadLine(&line)) return;
    while (!line.empty() && std::isspace(static_cast<unsigned char>(line.back()))) line.pop_back();
    TButton* chosen = nullptr;
    if (line.empty()) {
      for (TButton* b : buttons)
        if (b->Default()) chosen = b;
      if (chosen == nullptr) return;
    } else if (std::all_of(line.begin(), line.end(), [](char ch) { return std::isdigit(static_cast<unsigned char>(ch)); })) {
      const size_t n = std::stoul(line);
      if (n >= 1 && n <= buttons.size()) chosen = buttons[n - 1];
    }
    if (chosen != nullptr) {
      // Posted, so that the press runs inside the loop like a real one.
      Post([chosen] { chosen->Click(); });
      return;
    }
  }
}

void HeadlessBackend::Activate(HeadlessPeer* peer) {
  if (peer == active_ || peer == nullptr || !peer->Visible()) return;
  HeadlessPeer* previous = active_;
  active_ = peer;
  shown_.erase(std::remove(shown_.begin(), shown_.end(), peer), shown_.end());
  shown_.push_back(peer);
  if (previous != nullptr) previous->Client().HandlePeerEvent(PeerEvent::kDeactivate);
  // The previous handler may have shown or activated another window.
  if (active_ == peer) peer->Client().HandlePeerEvent(PeerEvent::kActivate);
}

void HeadlessBackend::PeerShown(HeadlessPeer* peer) { Activate(peer); }

void HeadlessBackend::PeerHidden(HeadlessPeer* peer) {
  shown_.erase(std::remove(shown_.begin(), shown_.end(), peer), shown_.end());
  if (active_ != peer) return;
  active_ = nullptr;
  peer->Client().HandlePeerEvent(PeerEvent::kDeactivate);
  // The window shown last before it takes its place.
  if (!shown_.empty()) Activate(shown_.back());
}

void HeadlessBackend::PeerGone(HeadlessPeer* peer) {
  shown_.erase(std::remove(shown_.begin(), shown_.end(), peer), shown_.end());
  if (active_ == peer) active_ = nullptr;
  if (focused_ == peer) focused_ = nullptr;
}

void HeadlessPeer::Focus() { backend_.focused_ = this; }

bool HeadlessPeer::Focused() const { return backend_.focused_ == this; }

HeadlessPeer::HeadlessPeer(HeadlessBackend& backend, PeerClient& client, WidgetKind kind)
    : backend_(backend), client_(client), kind_(kind) {}

HeadlessPeer::~HeadlessPeer() { backend_.PeerGone(this); }

void HeadlessPeer::SetBounds(int left, int top, int width, int height) {
  left_ = left, top_ = top, width_ = width, height_ = height;
}

void HeadlessPeer::Repaint() {
  ++repaints_;
  PaintImage();
}

void HeadlessPeer::SetLook(const ControlLook& look) {
  look_ = look;
  PaintImage();
}

void HeadlessPeer::PaintImage() {
  if (kind_ != WidgetKind::kGraphic) return;
  image_ = std::make_unique<ImageSurface>(look_.width, look_.height, look_.color);
  ++paints_;
  client_.PaintPeer(*image_);
}

void HeadlessPeer::SetVisible(bool visible) {
  if (visible == visible_) return;
  visible_ = visible;
  if (visible)
    backend_.PeerShown(this);
  else
    backend_.PeerHidden(this);
}

}  // namespace kit
