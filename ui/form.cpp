#include "ui/form.h"

#include "ui/application.h"

namespace kit {

const EnumType& WindowStateType() {
  static const EnumType type("TWindowState", {"wsNormal", "wsMinimized", "wsMaximized"});
  return type;
}

const EnumType& CursorIdents() {
  static const EnumType type(
      "TCursor", {{"crDefault", crDefault},   {"crNone", crNone},         {"crArrow", crArrow},
                  {"crCross", crCross},       {"crIBeam", crIBeam},       {"crSizeNESW", crSizeNESW},
                  {"crSizeNS", crSizeNS},     {"crSizeNWSE", crSizeNWSE}, {"crSizeWE", crSizeWE},
                  {"crUpArrow", crUpArrow},   {"crHourGlass", crHourGlass}, {"crNo", crNo},
                  {"crAppStart", crAppStart}, {"crHelp", crHelp},         {"crHandPoint", crHandPoint},
                  {"crSizeAll", crSizeAll}});
  return type;
}

const PropertyTable& TForm::Properties() {
  static const PropertyTable table = PropertyTable::Make<TForm, TComponent>([](auto& p) {
    p.Str("Caption", &TForm::SetCaption, &TForm::Caption);
    p.Int("Left", &TForm::SetLeft, &TForm::Left);
    p.Int("Top", &TForm::SetTop, &TForm::Top);
    p.Int("Width", &TForm::SetWidth, &TForm::Width, 0, 65535);
    p.Int("Height", &TForm::SetHeight, &TForm::Height, 0, 65535);
    p.Bool("Visible", &TForm::SetVisible, &TForm::Visible);
    p.Enum("WindowState", &TForm::SetWindowState, &TForm::WindowState, WindowStateType());
    p.Int("Cursor", [](TForm* f, int v) { f->SetCursor(static_cast<TCursor>(v)); },
          [](TForm* f) { return static_cast<int>(f->Cursor()); }, CursorIdents());
    p.Event("OnActivate", &TForm::SetOnActivateName, &TForm::OnActivateName);
  });
  return table;
}

TForm::TForm(TComponent* owner) : TComponent(owner) {}

TForm::~TForm() {
  destroying_ = true;
  // The owned components go while this form is still a form: they may
  // give back handlers they installed on it.
  while (ComponentCount() > 0) delete Components(ComponentCount() - 1);
  peer_.reset();
  Application().FormDestroyed(this);
}

WindowPeer& TForm::Peer() {
  if (!peer_) {
    peer_ = Application().Backend().CreatePeer(WidgetKind::kForm, *this, nullptr);
    peer_->SetText(caption_);
    peer_->SetBounds(left_, top_, width_, height_);
    peer_->SetCursor(cursor_);
    peer_->SetWindowState(window_state_);
  }
  return *peer_;
}

void TForm::SetCaption(const std::string& caption) {
  caption_ = caption;
  if (peer_) peer_->SetText(caption);
}

void TForm::SetBounds(int left, int top, int width, int height) {
  left_ = left, top_ = top, width_ = width, height_ = height;
  if (peer_) peer_->SetBounds(left, top, width, height);
}

void TForm::SetVisible(bool visible) {
  if (IsLoading()) {
    visible_ = visible;
    return;
  }
  if (visible)
    Show();
  else
    Hide();
}

void TForm::Loaded() {
  TComponent::Loaded();
  // A stored visible form is shown once it is complete, as the application
  // shows the main form when it runs.
  if (visible_ && this != Application().MainForm()) {
    visible_ = false;
    Application().WhenCreated([this] { Show(); });
  }
}

void TForm::Show() {
  visible_ = true;
  Peer().SetVisible(true);
}

void TForm::Hide() {
  visible_ = false;
  if (peer_) peer_->SetVisible(false);
}

void TForm::Close() {
  if (modal_) {
    modal_result_ = mr::kCancel;
    return;
  }
  if (Application().MainForm() == this)
    Application().Terminate();
  else
    Hide();
}

void TForm::SetWindowState(TWindowState state) {
  window_state_ = state;
  if (peer_) peer_->SetWindowState(state);
}

void TForm::Repaint() {
  if (peer_) peer_->Repaint();
}

void TForm::SetCursor(TCursor cursor) {
  cursor_ = cursor;
  if (peer_) peer_->SetCursor(cursor);
}

void TForm::SetOnActivateName(const std::string& name) {
  BindHandler(*this, "OnActivate", name, &on_activate_, &on_activate_name_);
}

int TForm::ShowModal() {
  modal_result_ = mr::kNone;
  modal_ = true;
  struct Reset {
    TForm* form;
    ~Reset() { form->modal_ = false; }
  } reset{this};
  Show();
  Application().Backend().ModalLoopStarting(*this);
  const LoopEnd end = Application().Backend().RunLoop(
      [this] { return modal_result_ != mr::kNone || Application().Terminated(); });
  if (end == LoopEnd::kIdle && modal_result_ == mr::kNone) modal_result_ = DefaultModalAnswer();
  if (end == LoopEnd::kQuit) Application().Terminate();
  if (modal_result_ == mr::kNone) modal_result_ = mr::kCancel;
  Hide();
  return modal_result_;
}

void TForm::Activate() {
  TNotifyEvent handler = on_activate_;  // the handler may replace itself
  if (handler) handler(this);
}

void TForm::HandlePeerEvent(PeerEvent event) {
  try {
    switch (event) {
      case PeerEvent::kActivate:
        active_ = true;
        Activate();
        break;
      case PeerEvent::kDeactivate:
        active_ = false;
        break;
      case PeerEvent::kCloseRequest:
        Close();
        break;
    }
  } catch (...) {
    Application().HandleException(this);
  }
}

}  // namespace kit
