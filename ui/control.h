// The base of every control: a component with a parent (a form or a
// container control), bounds, alignment, visibility, enabling, caption or
// text, font, colour, tab order and a click event. Its peer, made by the
// application's backend once the parent has one, shows its look.
#pragma once

#include <memory>
#include <string>

#include "base/component.h"
#include "base/property.h"
#include "ui/font.h"
#include "ui/notify_event.h"
#include "ui/widget_backend.h"

namespace kit {

class TControlParent;
class TForm;

enum TAlign { alNone = 0, alTop = 1, alBottom = 2, alLeft = 3, alRight = 4, alClient = 5 };
enum TAlignment { taLeftJustify = 0, taRightJustify = 1, taCenter = 2 };
const EnumType& AlignType();
const EnumType& AlignmentType();

class TControl : public TComponent, public PeerClient {
  KIT_COMPONENT_CLASS(TControl)

 public:
  explicit TControl(TComponent* owner);
  ~TControl() override;
  static const PropertyTable& Properties();

  TControlParent* Parent() const { return parent_; }
  void SetParent(TControlParent* parent);
  // The stored-form reader's and writer's view of the parent.
  void SetParentComponent(TComponent* parent);
  TComponent* GetParentComponent() const;
  // The form this control stands on (through its parents), or null.
  TForm* ParentForm() const;

  int Left() const { return left_; }
  void SetLeft(int v) { SetBounds(v, top_, width_, height_); }
  int Top() const { return top_; }
  void SetTop(int v) { SetBounds(left_, v, width_, height_); }
  int Width() const { return width_; }
  void SetWidth(int v) { SetBounds(left_, top_, v, height_); }
  int Height() const { return height_; }
  void SetHeight(int v) { SetBounds(left_, top_, width_, v); }
  virtual void SetBounds(int left, int top, int width, int height);
  TAlign Align() const { return align_; }
  void SetAlign(TAlign align);

  bool Visible() const { return visible_; }
  void SetVisible(bool visible);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  // Visible here and in every parent.
  bool Showing() const;
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);

  // Caption and Text are one string (a label's caption, an edit's text).
  const std::string& Caption() const { return text_; }
  void SetCaption(const std::string& caption) { SetText(caption); }
  virtual const std::string& Text() const { return text_; }
  virtual void SetText(const std::string& text);
  const std::string& Hint() const { return hint_; }
  void SetHint(const std::string& hint) { hint_ = hint; }

  TFont& Font() { return font_; }
  const TFont& Font() const { return font_; }
  bool ParentFont() const { return parent_font_; }
  void SetParentFont(bool on);
  TColor Color() const { return color_; }
  void SetColor(TColor color);
  bool ParentColor() const { return parent_color_; }
  void SetParentColor(bool on);

  int TabOrder() const { return tab_order_; }
  void SetTabOrder(int order);
  bool TabStop() const { return tab_stop_; }
  void SetTabStop(bool on);

  const TNotifyEvent& OnClick() const { return on_click_; }
  void SetOnClick(TNotifyEvent handler) { on_click_ = std::move(handler); }
  const std::string& OnClickName() const { return on_click_name_; }
  void SetOnClickName(const std::string& name);

  // What a press, tick or choice by the user does.
  virtual void Click();
  void SetFocus();
  bool Focused() const;
  bool CanFocus() const;
  void Repaint();
  void Refresh() { Repaint(); }
  void Update();
  void Invalidate();

  WindowPeer* PeerIfMade() const { return peer_.get(); }
  virtual WidgetKind Kind() const { return WidgetKind::kLabel; }
  void Loaded() override;
  void HandlePeerEvent(PeerEvent event) override;

 protected:
  // Adds what this kind of control shows to the look.
  virtual void FillLook(ControlLook& look) const;
  // Hands the look to the peer again.
  void Changed();
  // The user changed the peer's text or choice.
  virtual void PeerChanged() {}
  // The peer was just made.
  virtual void PeerCreated() {}
  // The font changed (set or inherited).
  virtual void FontChanged() {}
  void SetTextFromPeer(const std::string& text) { text_ = text; }

 private:
  friend class TControlParent;
  void MakePeer(WindowPeer* parent_peer);
  void FreePeer();
  void InheritFont();

  std::unique_ptr<WindowPeer> peer_;
  TControlParent* parent_ = nullptr;
  int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
  TAlign align_ = alNone;
  bool visible_ = true;
  bool enabled_ = true;
  std::string text_;
  std::string hint_;
  TFont font_;
  bool parent_font_ = true;
  bool inheriting_font_ = false;
  TColor color_ = cl::kBtnFace;
  bool parent_color_ = true;
  int tab_order_ = -1;
  bool tab_stop_ = false;
  TNotifyEvent on_click_;
  std::string on_click_name_;
};

}  // namespace kit
