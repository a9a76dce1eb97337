#include "ui/control.h"

#include "ui/application.h"
#include "ui/control_parent.h"
#include "ui/form.h"
#include "ui/handler_table.h"

namespace kit {

const EnumType& AlignType() {
  static const EnumType type("TAlign", {"alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient"});
  return type;
}

const EnumType& AlignmentType() {
  static const EnumType type("TAlignment", {"taLeftJustify", "taRightJustify", "taCenter"});
  return type;
}

const PropertyTable& TControl::Properties() {
  static const PropertyTable table = PropertyTable::Make<TControl, TComponent>([](auto& p) {
    p.Int("Left", &TControl::SetLeft, &TControl::Left);
    p.Int("Top", &TControl::SetTop, &TControl::Top);
    p.Int("Width", &TControl::SetWidth, &TControl::Width, 0, 65535);
    p.Int("Height", &TControl::SetHeight, &TControl::Height, 0, 65535);
    p.Enum("Align", &TControl::SetAlign, &TControl::Align, AlignType());
    p.Bool("Visible", &TControl::SetVisible, &TControl::Visible);
    p.Bool("Enabled", &TControl::SetEnabled, &TControl::Enabled);
    p.Int("Color", &TControl::SetColor, &TControl::Color, ColorIdents());
    p.Bool("ParentColor", &TControl::SetParentColor, &TControl::ParentColor);
    p.Object("Font", [](TControl* c) { return &c->Font(); });
    p.Bool("ParentFont", &TControl::SetParentFont, &TControl::ParentFont);
    p.Str("Hint", &TControl::SetHint, &TControl::Hint);
    p.Int("TabOrder", &TControl::SetTabOrder, &TControl::TabOrder, -1, 32767);
    p.Bool("TabStop", &TControl::SetTabStop, &TControl::TabStop);
    p.Event("OnClick", &TControl::SetOnClickName, &TControl::OnClickName);
  });
  return table;
}

TControl::TControl(TComponent* owner) : TComponent(owner) {
  font_.on_change = [this] {
    if (!inheriting_font_) parent_font_ = false;
    Changed();
    FontChanged();
  };
}

TControl::~TControl() {
  if (parent_ != nullptr) parent_->RemoveControl(this);
  parent_ = nullptr;
  peer_.reset();
}

void TControl::SetParent(TControlParent* parent) {
  if (parent == parent_) return;
  if (parent_ != nullptr) parent_->RemoveControl(this);
  FreePeer();
  parent_ = parent;
  if (parent_ == nullptr) return;
  parent_->InsertControl(this);
  InheritFont();
  if (parent_color_) color_ = parent_->ContainerColor();
  if (WindowPeer* pp = parent_->ContainerPeer()) MakePeer(pp);
  if (!IsLoading()) parent_->AlignControls();
}

void TControl::SetParentComponent(TComponent* parent) {
  auto* container = dynamic_cast<TControlParent*>(parent);
  if (container == nullptr && parent != nullptr)
    throw Exception("Control " + Name() + " cannot stand on " + parent->Name() + " (" +
                    parent->ClassName() + "), which holds no controls");
  SetParent(container);
}

TComponent* TControl::GetParentComponent() const {
  return parent_ != nullptr ? parent_->ContainerComponent() : nullptr;
}

TForm* TControl::ParentForm() const {
  TControlParent* p = parent_;
  while (p != nullptr) {
    TComponent* c = p->ContainerComponent();
    if (auto* form = dynamic_cast<TForm*>(c)) return form;
    auto* control = dynamic_cast<TControl*>(c);
    p = control != nullptr ? control->Parent() : nullptr;
  }
  return nullptr;
}

void TControl::SetBounds(int left, int top, int width, int height) {
  if (left == left_ && top == top_ && width == width_ && height == height_) return;
  left_ = left, top_ = top, width_ = width, height_ = height;
  Changed();
  if (auto* self = dynamic_cast<TControlParent*>(this)) self->AlignControls();
  if (parent_ != nullptr && align_ != alNone && !IsLoading()) parent_->AlignControls();
}

void TControl::SetAlign(TAlign align) {
  align_ = align;
  if (parent_ != nullptr && !IsLoading()) parent_->AlignControls();
}

void TControl::SetVisible(bool visible) {
  if (visible == visible_) return;
  visible_ = visible;
  Changed();
  if (parent_ != nullptr && align_ != alNone && !IsLoading()) parent_->AlignControls();
}

bool TControl::Showing() const {
  if (!visible_) return false;
  if (parent_ == nullptr) return false;
  TComponent* c = parent_->ContainerComponent();
  if (auto* form = dynamic_cast<TForm*>(c)) return form->Visible();
  auto* control = dynamic_cast<TControl*>(c);
  return control != nullptr && control->Showing();
}

void TControl::SetEnabled(bool enabled) {
  enabled_ = enabled;
  Changed();
}

void TControl::SetText(const std::string& text) {
  text_ = text;
  Changed();
}

void TControl::SetParentFont(bool on) {
  parent_font_ = on;
  if (on) InheritFont();
}

void TControl::InheritFont() {
  if (!parent_font_ || parent_ == nullptr) return;
  inheriting_font_ = true;
  font_.Assign(parent_->ContainerFont());
  inheriting_font_ = false;
  if (auto* self = dynamic_cast<TControlParent*>(this)) {
    for (int i = 0; i < self->ControlCount(); ++i) self->Controls(i)->InheritFont();
  }
}

void TControl::SetColor(TColor color) {
  color_ = color;
  parent_color_ = false;
  Changed();
}

void TControl::SetParentColor(bool on) {
  parent_color_ = on;
  if (on && parent_ != nullptr) {
    color_ = parent_->ContainerColor();
    Changed();
  }
}

void TControl::SetTabOrder(int order) {
  tab_order_ = order;
  Changed();
}

void TControl::SetTabStop(bool on) {
  tab_stop_ = on;
  Changed();
}

void TControl::SetOnClickName(const std::string& name) {
  BindHandler(*this, "OnClick", name, &on_click_, &on_click_name_);
}

void TControl::Click() {
  TNotifyEvent handler = on_click_;  // the handler may replace itself
  if (handler) handler(this);
}

bool TControl::CanFocus() const {
  for (const TControl* c = this; c != nullptr;) {
    if (!c->visible_ || !c->enabled_) return false;
    TControlParent* p = c->parent_;
    if (p == nullptr) return false;
    TComponent* pc = p->ContainerComponent();
    if (auto* form = dynamic_cast<TForm*>(pc)) return form->Visible();
    c = dynamic_cast<TControl*>(pc);
  }
  return false;
}

void TControl::SetFocus() {
  if (!CanFocus())
    throw Exception("Cannot focus " + Name() + ": it, or a window it stands in, is hidden or disabled");
  if (TForm* form = ParentForm()) form->SetActiveControl(this);
  if (peer_) peer_->Focus();
}

bool TControl::Focused() const {
  TForm* form = ParentForm();
  return form != nullptr && form->ActiveControl() == this;
}

void TControl::Repaint() {
  if (peer_) peer_->Repaint();
}

void TControl::Update() {
  if (peer_) peer_->Repaint();
}

void TControl::Invalidate() { Changed(); }

void TControl::Loaded() {
  TComponent::Loaded();
  if (parent_ != nullptr) parent_->AlignControls();
}

void TControl::FillLook(ControlLook& look) const {
  look.text = text_;
  look.left = left_, look.top = top_, look.width = width_, look.height = height_;
  look.visible = visible_;
  look.enabled = enabled_;
  look.font = font_;
  look.font.on_change = nullptr;
  look.color = color_;
  look.tab_stop = tab_stop_;
  look.tab_order = tab_order_;
}

void TControl::Changed() {
  if (!peer_) return;
  ControlLook look;
  FillLook(look);
  peer_->SetLook(look);
}

void TControl::MakePeer(WindowPeer* parent_peer) {
  if (peer_) return;
  peer_ = Application().Backend().CreatePeer(Kind(), *this, parent_peer);
  Changed();
  PeerCreated();
  if (auto* self = dynamic_cast<TControlParent*>(this)) self->CreateChildPeers();
}

void TControl::FreePeer() {
  if (auto* self = dynamic_cast<TControlParent*>(this)) {
    for (int i = 0; i < self->ControlCount(); ++i) self->Controls(i)->FreePeer();
  }
  peer_.reset();
}

void TControl::HandlePeerEvent(PeerEvent event) {
  try {
    switch (event) {
      case PeerEvent::kClick:
        if (enabled_) Click();
        break;
      case PeerEvent::kChange:
        PeerChanged();
        break;
      default:
        break;
    }
  } catch (...) {
    Application().HandleException(this);
  }
}

}  // namespace kit
