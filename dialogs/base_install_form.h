// TBaseInstallForm: a wizard page. It belongs to the dialog manager of its
// type (found when it is created) and is shown in ascending Order inside a
// wizard frame, which it joins as a borderless child: its controls move
// into a host panel of the frame's display panel, while the page keeps
// owning them.
#pragma once

#include "translation/base_kobbelin_form.h"
#include "dialogs/dialog_manager.h"

namespace kit {

class TBaseFormContainer;
class TCustomBaseInstallDlg;
class TPanel;

class TBaseInstallForm : public TBaseKobbelinForm {
  KIT_COMPONENT_CLASS(TBaseInstallForm)

 public:
  // The page takes the first manager of `type` on the driver (none without).
  TBaseInstallForm(TComponent* owner, TManagerType type);
  ~TBaseInstallForm() override;
  static const PropertyTable& Properties();

  TCustomBaseInstallDlg* DC() const { return dc_; }
  void SetDC(TCustomBaseInstallDlg* dc);
  TDialogManager* DM() const { return dm_; }
  void SetDM(TDialogManager* dm);
  int Order() const { return order_; }
  void SetOrder(int order) { order_ = order; }

  // The page's place in its frame (false outside a frame).
  virtual bool IsFirstPage() const;
  virtual bool IsLastPage() const;
  virtual void LeavingPage() {}
  virtual void GoNext();
  virtual void GoBack();
  // The page comes to the front: updates its state.
  virtual void ActivatePage();
  virtual bool SkipPage() const { return false; }
  // Asks the driver; on yes ends the frame (or the page) with mrAbort.
  virtual void Cancel();

  // ---- inside a wizard frame
  TBaseFormContainer* Frame() const { return frame_; }
  // Becomes a child of the frame: hidden, at the display panel's place.
  void JoinFrame(TBaseFormContainer& frame);
  void SetPageBounds(int left, int top, int width, int height);
  void SetPageVisible(bool visible);
  // Shown in its frame, and the frame shown.
  bool PageShowing() const;
  // The panel that holds the page's controls in the frame, or null.
  TPanel* Host() const { return host_; }

 protected:
  void Notification(TComponent* component, Operation operation) override;
  void TranslatedFontApplied() override;

 private:
  TCustomBaseInstallDlg* dc_ = nullptr;
  TDialogManager* dm_ = nullptr;
  int order_ = 0;
  TBaseFormContainer* frame_ = nullptr;
  TPanel* host_ = nullptr;
};

}  // namespace kit
