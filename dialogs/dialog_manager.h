// TDialogManager: listens to the information events of its container and,
// when the event of its type arrives, shows its wizard pages, its progress
// forms or the change-disk prompt. How pages and forms are shown is the
// DialogPresenter's business; the manager decides when, checks the events'
// parameters and turns a cancel into EAIUserAbort.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "model/base_helper_component.h"

namespace kit {

class TDiskParameter;
class TFileStatusParameter;
class TDialogManager;

enum TManagerType {
  dmBeforeInstall,
  dmAfterGoodInstall,
  dmAfterBadInstall,
  dmDuringCopyFiles,
  dmChangeDisk,
  dmReboot,
};
const EnumType& ManagerTypeIdents();

// The type of manager that answers an information event (ignoring case);
// none for any other event. "DoneCopyingFiles" belongs to dmDuringCopyFiles.
std::optional<TManagerType> ManagerTypeOfEvent(const std::string& event_name);

enum class DialogResult { kNothingShown, kOk, kAbort };

// Shows the pages and forms of a manager.
class DialogPresenter {
 public:
  virtual ~DialogPresenter() = default;
  // The wizard frame with the pages registered for the manager.
  virtual DialogResult RunWizard(TDialogManager& manager) = 0;
  // Opens the progress forms registered for the manager; returns how many.
  virtual int OpenProgressForms(TDialogManager& manager) = 0;
  virtual void UpdateProgressForms(TDialogManager& manager, TFileStatusParameter& status) = 0;
  virtual void CloseProgressForms(TDialogManager& manager) = 0;
  // The change-disk prompt; the form may change the path in `disk`.
  virtual DialogResult ShowChangeDisk(TDialogManager& manager, TDiskParameter& disk) = 0;
};

// The presenter every manager uses (null: managers show nothing).
DialogPresenter* CurrentDialogPresenter();
void SetDialogPresenter(DialogPresenter* presenter);

// The manager showing pages right now, or null.
TDialogManager* CurrentDialogManager();

// The first manager of the type, in creation order, whose Container is the
// driver; null with no driver or no such manager. Pages find theirs so.
TDialogManager* FindDriverDialogManager(TManagerType type);

class TDialogManager : public TBaseHelperComponent {
  KIT_COMPONENT_CLASS(TDialogManager)

 public:
  explicit TDialogManager(TComponent* owner);
  ~TDialogManager() override;
  static const PropertyTable& Properties();

  TManagerType ManagerType() const { return type_; }
  void SetManagerType(TManagerType type) { type_ = type; }

  void HandleInformationEvent(TInstallContainer* container, const std::string& event_name,
                              TParameterObject* parameter) override;

  // The wizard run (types other than progress and change disk).
  void ShowDialogs();
  // The change-disk prompt for the parameter list (install file, disk).
  void ShowChangeDisk(TParameterObject* parameter);

  // Dialog components attached to this manager (not owned).
  void AddDialog(TComponent* dialog);
  void RemoveDialog(TComponent* dialog);
  const std::vector<TComponent*>& Dialogs() const { return dialogs_; }
  bool ProgressOpen() const { return progress_open_; }

 protected:
  void Notification(TComponent* component, Operation operation) override;

 private:
  void CopyingFile(TParameterObject* parameter);
  void DoneCopyingFiles();

  TManagerType type_ = dmBeforeInstall;
  std::vector<TComponent*> dialogs_;
  bool progress_open_ = false;
};

}  // namespace kit
