// A form: a top-level window with its caption, size, visibility, window
// state and cursor, an activation event, and a modal loop. Its window is
// made by the application's widget backend when first needed.
#pragma once

#include <memory>
#include <string>

#include "base/component.h"
#include "base/property.h"
#include "ui/control_parent.h"
#include "ui/cursor.h"
#include "ui/font.h"
#include "ui/handler_table.h"
#include "ui/notify_event.h"
#include "ui/widget_backend.h"

namespace kit {

// Modal results.
namespace mr {
constexpr int kNone = 0;
constexpr int kOk = 1;
constexpr int kCancel = 2;
constexpr int kAbort = 3;
constexpr int kRetry = 4;
constexpr int kIgnore = 5;
constexpr int kYes = 6;
constexpr int kNo = 7;
}  // namespace mr

class TControl;

enum TFormBorderStyle { bsSizeable = 0, bsDialog = 1, bsSingle = 2, bsNone = 3 };
enum TPosition { poDesigned = 0, poScreenCenter = 1 };
enum TFormStyle { fsNormal = 0, fsStayOnTop = 1 };
// Border icons (bits of TForm::BorderIcons).
namespace bi {
constexpr unsigned kSystemMenu = 1;
constexpr unsigned kMinimize = 2;
constexpr unsigned kMaximize = 4;
constexpr unsigned kHelp = 8;
}  // namespace bi

class TForm : public TComponent, public PeerClient, public TControlParent {
  KIT_COMPONENT_CLASS(TForm)

 public:
  explicit TForm(TComponent* owner);
  // Frees the components it owns first, while the form is still whole.
  ~TForm() override;
  static const PropertyTable& Properties();

  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption);
  int Left() const { return left_; }
  void SetLeft(int v) { SetBounds(v, top_, width_, height_); }
  int Top() const { return top_; }
  void SetTop(int v) { SetBounds(left_, v, width_, height_); }
  int Width() const { return width_; }
  void SetWidth(int v) { SetBounds(left_, top_, v, height_); }
  int Height() const { return height_; }
  void SetHeight(int v) { SetBounds(left_, top_, width_, v); }
  void SetBounds(int left, int top, int width, int height);
  // The inside of the frame; setting it sizes the frame around it.
  int ClientWidth() const override { return client_width_; }
  void SetClientWidth(int v);
  int ClientHeight() const override { return client_height_; }
  void SetClientHeight(int v);

  TFont& Font() { return font_; }
  const TFont& Font() const { return font_; }
  TColor Color() const { return color_; }
  void SetColor(TColor color);
  TFormBorderStyle BorderStyle() const { return border_style_; }
  void SetBorderStyle(TFormBorderStyle style);
  unsigned BorderIcons() const { return border_icons_; }
  void SetBorderIcons(unsigned icons);
  TPosition Position() const { return position_; }
  void SetPosition(TPosition position);
  TFormStyle FormStyle() const { return form_style_; }
  void SetFormStyle(TFormStyle style);

  // The control that has (or gets, when the form is shown) the focus.
  TControl* ActiveControl() const { return active_control_; }
  void SetActiveControl(TControl* control);
  // Enter and Esc: the default and the cancel button of the form, if any.
  TControl* DefaultButton() const;
  TControl* CancelButton() const;

  // TControlParent
  WindowPeer* ContainerPeer() override { return peer_.get(); }
  const TFont& ContainerFont() const override { return font_; }
  TColor ContainerColor() const override { return color_; }
  TComponent* ContainerComponent() override { return this; }

  // While loading, Visible only stores; afterwards it shows or hides.
  bool Visible() const { return visible_; }
  void SetVisible(bool visible);
  void Show();
  void Hide();
  // The main form's close ends the application; another form hides (a
  // modal one ends its loop with mrCancel).
  void Close();
  bool Active() const { return active_; }

  TWindowState WindowState() const { return window_state_; }
  void SetWindowState(TWindowState state);
  void Repaint();

  TCursor Cursor() const { return cursor_; }
  void SetCursor(TCursor cursor);

  const TNotifyEvent& OnActivate() const { return on_activate_; }
  void SetOnActivate(TNotifyEvent handler) { on_activate_ = std::move(handler); }
  const std::string& OnActivateName() const { return on_activate_name_; }
  void SetOnActivateName(const std::string& name);

  // Shows the form and runs a loop until ModalResult is set.
  int ShowModal();
  int ModalResult() const { return modal_result_; }
  void SetModalResult(int result) { modal_result_ = result; }
  // What an unanswered modal loop of the headless backend ends with once its
  // default button (pressed at most kMaxUnansweredPresses times) has not
  // ended it, or when the form has none.
  virtual int DefaultModalAnswer() const { return mr::kOk; }
  static constexpr int kMaxUnansweredPresses = 64;

  HandlerTable& Handlers() { return handlers_; }
  const HandlerTable& Handlers() const { return handlers_; }

  // True from the start of the destructor.
  bool Destroying() const { return destroying_; }
  WindowPeer& Peer();
  bool HasPeer() const { return peer_ != nullptr; }

  void Loaded() override;
  void HandlePeerEvent(PeerEvent event) override;

 protected:
  void Notification(TComponent* component, Operation operation) override;

  // The form became active: raises OnActivate.
  virtual void Activate();

 private:
  std::unique_ptr<WindowPeer> peer_;
  HandlerTable handlers_;
  std::string caption_;
  void ApplyLook();
  void FrameChanged();
  int left_ = 0, top_ = 0, width_ = 320, height_ = 240;
  int client_width_ = 312, client_height_ = 213;
  TFont font_;
  TColor color_ = cl::kBtnFace;
  TFormBorderStyle border_style_ = bsSizeable;
  unsigned border_icons_ = bi::kSystemMenu | bi::kMinimize | bi::kMaximize;
  TPosition position_ = poDesigned;
  TFormStyle form_style_ = fsNormal;
  TControl* active_control_ = nullptr;
  bool visible_ = false;
  bool active_ = false;
  bool destroying_ = false;
  bool modal_ = false;
  TWindowState window_state_ = wsNormal;
  TCursor cursor_ = crDefault;
  TNotifyEvent on_activate_;
  std::string on_activate_name_;
  int modal_result_ = mr::kNone;
};

// The enumeration types of the form's stored properties.
const EnumType& WindowStateType();
const EnumType& CursorIdents();
const EnumType& BorderStyleType();
const EnumType& PositionType();
const EnumType& FormStyleType();
const EnumType& BorderIconsType();

}  // namespace kit
