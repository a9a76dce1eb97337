// TBaseFormContainer: the wizard frame. A dialog-bordered form without
// border icons, centred, 478 by 395 pixels, whose display panel holds the
// pages of the current dialog manager one at a time; Back and Next move
// between them, and Next past the last page closes it with mrOk.
#pragma once

#include <vector>

#include "ui/form.h"

namespace kit {

class TBaseInstallForm;
class TPanel;

class TBaseFormContainer : public TForm {
  KIT_COMPONENT_CLASS(TBaseFormContainer)

 public:
  enum Direction { kForward = 0, kBackward = 1 };

  explicit TBaseFormContainer(TComponent* owner);
  ~TBaseFormContainer() override;

  TPanel& DisplayPanel() { return *display_panel_; }
  // The index of the page shown (the hidden tabs' index); -1 before any.
  int TabIndex() const { return tab_index_; }
  int PageCount() const { return static_cast<int>(pages_.size()); }
  const std::vector<TBaseInstallForm*>& Pages() const { return pages_; }
  TBaseInstallForm* CurrentPage() const;

  // Creates the pages of the current dialog manager from the BIF list,
  // sorted by Order; returns how many. Fails without a current manager.
  int FillPages();
  // Shows the page at index (skipping pages that ask so, in the
  // direction); an index outside the pages does nothing.
  void ShowPage(int index, Direction direction);
  virtual void Back();
  virtual void Next();

 protected:
  // Shown for the first time: the first page.
  void Activate() override;

 private:
  void SelectTab(int index);

  TPanel* display_panel_;
  std::vector<TBaseInstallForm*> pages_;
  int tab_index_ = -1;
  bool first_page_shown_ = false;
};

// The wizard frame shown right now (from its first activation until it is
// freed or another is shown), or null.
TBaseFormContainer* ActiveWizardFrame();

}  // namespace kit
