#include "ui/form.h"

#include <algorithm>

#include "ui/application.h"
#include "ui/control.h"
#include "ui/controls/button.h"

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

const EnumType& BorderStyleType() {
  static const EnumType type("TFormBorderStyle", {"bsSizeable", "bsDialog", "bsSingle", "bsNone"});
  return type;
}

const EnumType& PositionType() {
  static const EnumType type("TPosition", {"poDesigned", "poScreenCenter"});
  return type;
}

const EnumType& FormStyleType() {
  static const EnumType type("TFormStyle", {"fsNormal", "fsStayOnTop"});
  return type;
}

const EnumType& BorderIconsType() {
  static const EnumType type("TBorderIcons", {"biSystemMenu", "biMinimize", "biMaximize", "biHelp"});
  return type;
}

const PropertyTable& TForm::Properties() {
  static const PropertyTable table = PropertyTable::Make<TForm, TComponent>([](auto& p) {
    p.Str("Caption", &TForm::SetCaption, &TForm::Caption);
    p.Int("Left", &TForm::SetLeft, &TForm::Left);
    p.Int("Top", &TForm::SetTop, &TForm::Top);
    p.Int("Width", &TForm::SetWidth, &TForm::Width, 0, 65535);
    p.Int("Height", &TForm::SetHeight, &TForm::Height, 0, 65535);
    p.Enum("BorderStyle", &TForm::SetBorderStyle, &TForm::BorderStyle, BorderStyleType());
    p.Set("BorderIcons", &TForm::SetBorderIcons, &TForm::BorderIcons, BorderIconsType());
    p.Int("ClientWidth", &TForm::SetClientWidth, &TForm::ClientWidth, 0, 65535);
    p.Int("ClientHeight", &TForm::SetClientHeight, &TForm::ClientHeight, 0, 65535);
    p.Int("Color", &TForm::SetColor, &TForm::Color, ColorIdents());
    p.Object("Font", [](TForm* f) { return &f->Font(); });
    p.Enum("FormStyle", &TForm::SetFormStyle, &TForm::FormStyle, FormStyleType());
    p.Enum("Position", &TForm::SetPosition, &TForm::Position, PositionType());
    p.Bool("Visible", &TForm::SetVisible, &TForm::Visible);
    p.Enum("WindowState", &TForm::SetWindowState, &TForm::WindowState, WindowStateType());
    p.Int("Cursor", [](TForm* f, int v) { f->SetCursor(static_cast<TCursor>(v)); },
          [](TForm* f) { return static_cast<int>(f->Cursor()); }, CursorIdents());
    p.Event("OnActivate", &TForm::SetOnActivateName, &TForm::OnActivateName);
  });
  return table;
}

TForm::TForm(TComponent* owner) : TComponent(owner) {
  HearSiblings();
  font_.on_change = [this] {
    ParentFontChanged();
    ApplyLook();
  };
}

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
    ApplyLook();
    CreateChildPeers();
  }
  return *peer_;
}

void TForm::SetCaption(const std::string& caption) {
  caption_ = caption;
  if (peer_) peer_->SetText(caption);
}

void TForm::SetBounds(int left, int top, int width, int height) {
  left_ = left, top_ = top, width_ = width, height_ = height;
  int dx = 0, dy = 0;
  Application().Backend().FrameExtent(border_style_, &dx, &dy);
  client_width_ = std::max(0, width - dx);
  client_height_ = std::max(0, height - dy);
  if (peer_) peer_->SetBounds(left, top, width, height);
  AlignControls();
}

void TForm::SetClientWidth(int v) {
  int dx = 0, dy = 0;
  Application().Backend().FrameExtent(border_style_, &dx, &dy);
  SetBounds(left_, top_, v + dx, height_);
}

void TForm::SetClientHeight(int v) {
  int dx = 0, dy = 0;
  Application().Backend().FrameExtent(border_style_, &dx, &dy);
  SetBounds(left_, top_, width_, v + dy);
}

// A new frame keeps the client area.
void TForm::FrameChanged() {
  int dx = 0, dy = 0;
  Application().Backend().FrameExtent(border_style_, &dx, &dy);
  width_ = client_width_ + dx;
  height_ = client_height_ + dy;
  ApplyLook();
  if (peer_) peer_->SetBounds(left_, top_, width_, height_);
}

void TForm::SetColor(TColor color) {
  color_ = color;
  ParentColorChanged();
  ApplyLook();
}

void TForm::SetBorderStyle(TFormBorderStyle style) {
  border_style_ = style;
  FrameChanged();
}

void TForm::SetBorderIcons(unsigned icons) {
  border_icons_ = icons;
  ApplyLook();
}

void TForm::SetPosition(TPosition position) {
  position_ = position;
  ApplyLook();
}

void TForm::SetFormStyle(TFormStyle style) {
  form_style_ = style;
  ApplyLook();
}

void TForm::ApplyLook() {
  if (!peer_) return;
  ControlLook look;
  look.text = caption_;
  look.left = left_, look.top = top_, look.width = width_, look.height = height_;
  look.client_width = client_width_, look.client_height = client_height_;
  look.visible = visible_;
  look.font = font_;
  look.font.on_change = nullptr;
  look.color = color_;
  look.border_style = border_style_;
  look.border_icons = border_icons_;
  look.center_on_screen = position_ == poScreenCenter;
  look.stay_on_top = form_style_ == fsStayOnTop;
  peer_->SetLook(look);
}

void TForm::SetActiveControl(TControl* control) {
  if (active_control_ == control) return;
  if (active_control_ != nullptr) active_control_->RemoveFreeNotification(this);
  active_control_ = control;
  if (control != nullptr) control->FreeNotification(this);
}

void TForm::Notification(TComponent* component, Operation operation) {
  TComponent::Notification(component, operation);
  if (operation == Operation::kRemove && component == active_control_) active_control_ = nullptr;
}

namespace {
TControl* FindButton(const TControlParent& parent, bool cancel) {
  for (int i = 0; i < parent.ControlCount(); ++i) {
    TControl* c = parent.Controls(i);
    if (!c->Visible() || !c->Enabled()) continue;
    if (auto* b = dynamic_cast<TButton*>(c); b != nullptr && (cancel ? b->Cancel() : b->Default()))
      return b;
    if (auto* inner = dynamic_cast<TControlParent*>(c)) {
      if (TControl* found = FindButton(*inner, cancel)) return found;
    }
  }
  return nullptr;
}
}  // namespace

TControl* TForm::DefaultButton() const { return FindButton(*this, false); }
TControl* TForm::CancelButton() const { return FindButton(*this, true); }

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
  if (active_control_ != nullptr && active_control_->CanFocus()) {
    if (WindowPeer* p = active_control_->PeerIfMade()) p->Focus();
  }
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
  auto ended = [this] { return modal_result_ != mr::kNone || Application().Terminated(); };
  LoopEnd end = Application().Backend().RunLoop(ended);
  // Nobody is there to act: press the visible default button, as the Enter
  // key would, a bounded number of times so that a page whose button leads
  // nowhere cannot keep the loop going.
  for (int presses = 0; end == LoopEnd::kIdle && modal_result_ == mr::kNone && presses < kMaxUnansweredPresses;
       ++presses) {
    TControl* button = DefaultButton();
    if (button == nullptr) break;
    button->HandlePeerEvent(PeerEvent::kClick);  // as a real press: errors reported
    end = ended() ? LoopEnd::kDone : Application().Backend().RunLoop(ended);
  }
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
      case PeerEvent::kDefaultKey:
        if (TControl* b = DefaultButton()) b->Click();
        break;
      case PeerEvent::kCancelKey:
        if (TControl* b = CancelButton()) b->Click();
        break;
      default:
        break;
    }
  } catch (...) {
    Application().HandleException(this);
  }
}

}  // namespace kit
