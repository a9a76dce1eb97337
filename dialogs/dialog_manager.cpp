#include "dialogs/dialog_manager.h"

#include <algorithm>

#include "base/format.h"
#include "base/text.h"
#include "files/file_status_parameter.h"
#include "files/install_file.h"
#include "model/disk_parameter.h"
#include "model/errors.h"
#include "model/install_driver.h"
#include "model/parameter_list.h"
#include "translation/translation.h"

namespace kit {

namespace {

DialogPresenter* g_presenter = nullptr;
TDialogManager* g_current_manager = nullptr;
// Every live manager, in creation order.
std::vector<TDialogManager*> g_managers;

const EnumType kManagerTypeIdents("TManagerType",
                                  {"dmBeforeInstall", "dmAfterGoodInstall", "dmAfterBadInstall",
                                   "dmDuringCopyFiles", "dmChangeDisk", "dmReboot"});

[[noreturn]] void Fail(const std::string& english, const std::string& name) {
  throw Exception(Format(TranslateMessage(english), {name}));
}

// Makes a manager the current one for a scope.
class CurrentManagerScope {
 public:
  explicit CurrentManagerScope(TDialogManager* manager) { g_current_manager = manager; }
  ~CurrentManagerScope() { g_current_manager = nullptr; }
};

}  // namespace

const EnumType& ManagerTypeIdents() { return kManagerTypeIdents; }

std::optional<TManagerType> ManagerTypeOfEvent(const std::string& event_name) {
  static const std::pair<const char*, TManagerType> kEvents[] = {
      {"eccBeginningDialogManager", dmBeforeInstall},
      {"eccGoodInstallDialogManager", dmAfterGoodInstall},
      {"eccBadInstallDialogManager", dmAfterBadInstall},
      {"CopyingFile", dmDuringCopyFiles},
      {"DoneCopyingFiles", dmDuringCopyFiles},
      {"ChangeDisk", dmChangeDisk},
      {"ShutDownDialog", dmReboot},
  };
  for (const auto& [name, type] : kEvents) {
    if (SameText(event_name, name)) return type;
  }
  return std::nullopt;
}

DialogPresenter* CurrentDialogPresenter() { return g_presenter; }
void SetDialogPresenter(DialogPresenter* presenter) { g_presenter = presenter; }
TDialogManager* CurrentDialogManager() { return g_current_manager; }

TDialogManager* FindDriverDialogManager(TManagerType type) {
  InstallDriver* driver = Driver();
  if (driver == nullptr) return nullptr;
  for (TDialogManager* m : g_managers) {
    if (m->ManagerType() == type && m->Container() == &driver->DriverComponent()) return m;
  }
  return nullptr;
}

TDialogManager::TDialogManager(TComponent* owner) : TBaseHelperComponent(owner, rank::kDialog) {
  HearSiblings();
  g_managers.push_back(this);
}

TDialogManager::~TDialogManager() {
  if (g_current_manager == this) g_current_manager = nullptr;
  g_managers.erase(std::remove(g_managers.begin(), g_managers.end(), this), g_managers.end());
}

const PropertyTable& TDialogManager::Properties() {
  static const PropertyTable table =
      PropertyTable::Make<TDialogManager, TBaseHelperComponent>([](auto& p) {
        p.Enum("ManagerType", &TDialogManager::SetManagerType, &TDialogManager::ManagerType,
               kManagerTypeIdents);
      });
  return table;
}

void TDialogManager::HandleInformationEvent(TInstallContainer* /*container*/,
                                            const std::string& event_name,
                                            TParameterObject* parameter) {
  const std::optional<TManagerType> type = ManagerTypeOfEvent(event_name);
  if (!type || *type != type_) return;
  switch (type_) {
    case dmDuringCopyFiles:
      if (SameText(event_name, "DoneCopyingFiles")) {
        DoneCopyingFiles();
      } else {
        CopyingFile(parameter);
      }
      break;
    case dmChangeDisk:
      ShowChangeDisk(parameter);
      break;
    default:
      ShowDialogs();
      break;
  }
}

void TDialogManager::ShowDialogs() {
  CurrentManagerScope scope(this);
  if (g_presenter == nullptr) return;
  if (g_presenter->RunWizard(*this) == DialogResult::kAbort) throw EAIUserAbort();
}

void TDialogManager::CopyingFile(TParameterObject* parameter) {
  if (parameter == nullptr) {
    Fail("Got a nil TFileStatusParameter object in the eccCopyingFile of DialogManager %s",
         Name());
  }
  auto* status = dynamic_cast<TFileStatusParameter*>(parameter);
  if (status == nullptr) {
    Fail("Got a non TFileStatusParameter object in the eccCopyingFile of DialogManager %s",
         Name());
  }
  if (g_presenter == nullptr) return;
  if (!progress_open_) progress_open_ = g_presenter->OpenProgressForms(*this) > 0;
  if (progress_open_) g_presenter->UpdateProgressForms(*this, *status);
}

void TDialogManager::DoneCopyingFiles() {
  if (progress_open_ && g_presenter != nullptr) g_presenter->CloseProgressForms(*this);
  progress_open_ = false;
}

void TDialogManager::ShowChangeDisk(TParameterObject* parameter) {
  CurrentManagerScope scope(this);
  if (parameter == nullptr) {
    throw Exception(TranslateMessage(
        "The ParameterObject is Nil in the TDialogManager. Cannot show the change disk form"));
  }
  auto* list = dynamic_cast<TParameterList*>(parameter);
  if (list == nullptr) throw Exception(TranslateMessage("TChangeDiskDlg--PO is not a TList object"));
  if (list->Count() < 2) {
    throw Exception(TranslateMessage("TChangeDiskDlg--Not engouh parameters for status event"));
  }
  auto* file = dynamic_cast<TInstallFile*>(list->Items(0));
  if (file == nullptr) throw Exception("TChangeDiskDlg says bad first parameter");
  auto* disk = dynamic_cast<TDiskParameter*>(list->Items(1));
  if (disk == nullptr) throw Exception("TChangeDiskDlg says bad second parameter");
  if (g_presenter == nullptr) return;
  // The prompt answers the disk change; the install file then does not ask
  // with a message of its own.
  const auto old_tag = file->Tag();
  file->SetTag(1);
  const DialogResult result = g_presenter->ShowChangeDisk(*this, *disk);
  // No prompt of this manager was shown: the file asks on its own.
  if (result == DialogResult::kNothingShown) file->SetTag(old_tag);
  if (result == DialogResult::kAbort) throw EAIUserAbort();
}

void TDialogManager::AddDialog(TComponent* dialog) {
  if (dialog == nullptr) Fail("Cannot add a NIL Dialog to the Dialog Manager %s", Name());
  if (std::find(dialogs_.begin(), dialogs_.end(), dialog) != dialogs_.end()) return;
  dialogs_.push_back(dialog);
  dialog->FreeNotification(this);
}

void TDialogManager::RemoveDialog(TComponent* dialog) {
  dialogs_.erase(std::remove(dialogs_.begin(), dialogs_.end(), dialog), dialogs_.end());
}

void TDialogManager::Notification(TComponent* component, Operation operation) {
  TBaseHelperComponent::Notification(component, operation);
  if (operation == Operation::kRemove) RemoveDialog(component);
}

}  // namespace kit
