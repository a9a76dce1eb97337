// TInstall: the installation driver. The root container of the component
// tree: it decides at start-up from the command line what this run does,
// runs the whole installation on the first activation of its form (or the
// completion after a reboot), keeps the unfinished-install list and ends in
// the good-install tail, the bad-install tail through its exception handler,
// or a reboot.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "base/exception.h"
#include "base/property.h"
#include "driver/install_information.h"
#include "files/file_container.h"
#include "model/install_driver.h"
#include "ui/notify_event.h"

namespace kit {

class TForm;
class TStringList;

// The information events of the run sequence.
namespace event {
inline constexpr const char* kBeforeReadArchiveInfo = "eccBeforeReadArchiveInfo";
inline constexpr const char* kAfterReadArchiveInfo = "eccAfterReadArchiveInfo";
inline constexpr const char* kStartingUp = "eccStartingUp";
inline constexpr const char* kLanguageDialog = "eccLanguageDialog";
inline constexpr const char* kWelcomeDialog = "eccWelcomeDialog";
inline constexpr const char* kLicenseAgreement = "eccLicenseAgreement";
inline constexpr const char* kReadmeDialog = "eccReadmeDialog";
inline constexpr const char* kBeginningDialogManager = "eccBeginningDialogManager";
inline constexpr const char* kShutDownDialog = "ShutDownDialog";
inline constexpr const char* kGoodInstallation = "GoodInstallation";
inline constexpr const char* kGoodInstallDialogManager = "eccGoodInstallDialogManager";
inline constexpr const char* kBadInstallation = "BadInstallation";
inline constexpr const char* kBadInstallDialogManager = "eccBadInstallDialogManager";
}  // namespace event

// The unfinished-install list: HKEY_LOCAL_MACHINE, one string value per
// entry, the value name its subject, the data its kind in decimal.
inline constexpr const char* kUnfinishedInstallKey = "\\SOFTWARE\\KOBBELININSTALLING";

namespace unfinished {
constexpr int kComponent = 0;           // the component's after-reboot work
constexpr int kDeleteFile = 1;          // delete the file
constexpr int kProgramManagerItem = 2;  // delete the item from the group "Startup"
}  // namespace unfinished

class TInstall;

// A hook with a flag that starts True; False skips the default action.
using TInstallFlagEvent = std::function<void(TInstall* install, bool& flag)>;

class TInstall : public TFileContainer, public InstallDriver {
  KIT_COMPONENT_CLASS(TInstall)

 public:
  // Fails with EAITwoInstallComponents when a driver exists, and when the
  // owner is neither a form nor a data module. Installs HandleException as
  // the application's exception handler.
  explicit TInstall(TComponent* owner);
  ~TInstall() override;
  static const PropertyTable& Properties();

  // ---- InstallDriver
  TInstallContainer& DriverComponent() override { return *this; }
  std::string ProductName() const override { return information_.ProductName(); }
  // The directory the loading program passed (ReadLoadingParameters).
  std::string SourceDirectory() const override { return source_directory_; }

  // ---- published properties
  bool AutoMaximizeWindow() const { return auto_maximize_window_; }
  void SetAutoMaximizeWindow(bool v) { auto_maximize_window_ = v; }
  TInstallInformation& Information() { return information_; }
  const TInstallInformation& Information() const { return information_; }
  const std::vector<std::string>& PresetupFiles() const { return presetup_files_; }
  // Keeps the lines that are not blank after trimming.
  void SetPresetupFiles(const std::vector<std::string>& lines);
  bool RunAutomatic() const { return run_automatic_; }
  void SetRunAutomatic(bool v) { run_automatic_ = v; }
  bool UseLoadingProgram() const { return use_loading_program_; }
  // Set True outside of loading, the archive becomes "\files.1" beside the
  // loading program.
  void SetUseLoadingProgram(bool v);
  // The archive of the installation and what its path is relative to.

  // ---- events
  TNotifyEvent on_before_read_archive_info;
  TNotifyEvent on_after_read_archive_info;
  TNotifyEvent on_start_install;
  TNotifyEvent on_show_good_install;
  TNotifyEvent on_show_bad_install;
  TInstallFlagEvent on_cleanup;             // Continue: delete the presetup files
  TInstallFlagEvent on_reboot_windows;      // Continue: reboot (RebootNeeded)
  TInstallFlagEvent on_user_abort;          // QuitOut: the user wants to cancel
  TInstallFlagEvent on_before_terminate_app;  // QuitOut: end the program

  // ---- operations
  void Loaded() override;
  // The run sequence of an installation.
  void RunInstallation();
  // The "*ABOOT" completion: the work of the unfinished-install list.
  void FinishAfterReboot() override;
  // The application's exception handler: failures of a run end in the
  // bad-install tail, a cancel in the aborted tail; anything else is shown.
  void HandleException(TComponent* sender, const Exception& e);
  // Asks OnUserAbort; True when the installation is to be cancelled. An
  // unattended run never asks and is not cancelled.
  bool QueryUserAbort() override;
  // The very silent run: the installation without showing the run form
  // (the one-shot modes have already run while the form was made).
  void RunUnshown();
  void AddUnfinishedEntry(const std::string& subject, int kind) override;
  // "name;data" per value of the list, in the registry's order.
  void ReadUnfinishedList(TStringList& list);
  void ClearUnfinishedList();
  void AddRestartLink();
  void ReadLoadingParameters();
  void DeletePresetupFiles();
  void ScheduleSelfDelete();
  void RebootWindows();
  // The build modes and the self-extract offset (shown and ended as the
  // build modes end).
  void BuildFromInfFile();
  void BuildToDisk();
  void FindSelfExtractOffset();

  // ---- run-time state
  bool Running() const { return running_; }
  int UnfinishedCount() const { return unfinished_count_; }
  bool SelfExtract() const { return self_extract_; }
  void SetSelfExtract(bool v) { self_extract_ = v; }
  TForm* RunForm() const { return run_form_; }
  // The installer's own executable.
  std::string ExePath() const;

  // The driver records no log entry of its own.
  void WriteUninstallLog(const std::string& key) override {}

 protected:
  void Notification(TComponent* component, Operation operation) override;

 private:
  struct Activation;
  struct ExceptionHook;
  struct UnfinishedEntry {
    std::string name;
    std::string data;
  };

  void FirstActivation(TComponent* sender);
  void GoodInstallTail();
  void CleanupAndTerminate();
  void Raise(const char* name);
  void Raise(const TNotifyEvent& e);
  void RunBuildMode(const std::function<void(TInstall&)>& work, const char* mode);
  std::vector<UnfinishedEntry> ReadUnfinishedEntries();
  void RestoreActivation();

  bool auto_maximize_window_ = true;
  TInstallInformation information_;
  std::vector<std::string> presetup_files_;
  bool run_automatic_ = true;
  bool use_loading_program_ = true;

  TForm* run_form_ = nullptr;
  TNotifyEvent saved_on_activate_;
  bool activation_hooked_ = false;
  bool first_activation_handled_ = false;
  bool running_ = false;
  bool self_extract_ = false;
  std::string source_directory_;
  int unfinished_count_ = 0;

  // Handler names of the events, as a stored form gives them.
  struct EventNames {
    std::string before_read_archive_info, after_read_archive_info, start_install, show_good_install,
        show_bad_install, cleanup, reboot_windows, user_abort, before_terminate_app, before_process,
        after_process, show_install_type_dlg;
  } event_names_;
};

}  // namespace kit
