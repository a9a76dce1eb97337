#include "driver/install.h"

#include <algorithm>

#include "base/format.h"
#include "base/paths.h"
#include "base/setup_log.h"
#include "base/string_list.h"
#include "base/unattended.h"
#include "base/text.h"
#include "driver/driver_seams.h"
#include "driver/platform_class.h"
#include "files/install_engine.h"
#include "model/component_list.h"
#include "model/errors.h"
#include "model/reboot_needed.h"
#include "platform/current_platform.h"
#include "system/install_log.h"
#include "system/registry_routines.h"
#include "translation/translation.h"
#include "ui/application.h"
#include "ui/data_module.h"
#include "ui/form.h"
#include "ui/message_box.h"

namespace kit {

// The driver's own activation handler, told apart from any other by its type.
struct TInstall::Activation {
  TInstall* install;
  void operator()(TComponent* sender) const { install->FirstActivation(sender); }
};

// The driver's exception handler on the application.
struct TInstall::ExceptionHook {
  TInstall* install;
  void operator()(TComponent* sender, const Exception& e) const { install->HandleException(sender, e); }
};

const PropertyTable& TInstall::Properties() {
  static const PropertyTable table = PropertyTable::Make<TInstall, TFileContainer>([](auto& p) {
    p.Bool("AllowChangeDir", &TInstall::SetAllowChangeDir, &TInstall::AllowChangeDir);
    p.Bool("AutoMaximizeWindow", &TInstall::SetAutoMaximizeWindow, &TInstall::AutoMaximizeWindow);
    p.Strings("Description", &TInstall::SetDescription, &TInstall::Description);
    p.Str("GroupName", &TInstall::SetGroupName, &TInstall::GroupName);
    p.Object("Information", [](TInstall* i) -> TInstallInformation& { return i->Information(); });
    p.Strings("PresetupFiles", &TInstall::SetPresetupFiles, &TInstall::PresetupFiles);
    p.Bool("RunAutomatic", &TInstall::SetRunAutomatic, &TInstall::RunAutomatic);
    p.Bool("UseLoadingProgram", &TInstall::SetUseLoadingProgram, &TInstall::UseLoadingProgram);

    // Events name handlers of the form that holds the driver.
    auto publish = [&p](const char* name, auto slot, std::string EventNames::*field) {
      PublishEvent(p, name, slot, &TInstall::event_names_, field);
    };
    publish("OnAfterReadArchiveInfo", &TInstall::on_after_read_archive_info, &EventNames::after_read_archive_info);
    publish("OnBeforeReadArchiveInfo", &TInstall::on_before_read_archive_info, &EventNames::before_read_archive_info);
    publish("OnStartInstall", &TInstall::on_start_install, &EventNames::start_install);
    publish("OnShowGoodInstall", &TInstall::on_show_good_install, &EventNames::show_good_install);
    publish("OnShowBadInstall", &TInstall::on_show_bad_install, &EventNames::show_bad_install);
    publish("OnCleanup", &TInstall::on_cleanup, &EventNames::cleanup);
    publish("OnRebootWindows", &TInstall::on_reboot_windows, &EventNames::reboot_windows);
    publish("OnUserAbort", &TInstall::on_user_abort, &EventNames::user_abort);
    publish("OnBeforeTerminateApp", &TInstall::on_before_terminate_app, &EventNames::before_terminate_app);
    p.Event(
        "OnShowInstallTypeDlg",
        [](TInstall* i, const std::string& v) {
          TInstallContainerNotifyEvent handler;
          BindHandler(*i, "OnShowInstallTypeDlg", v, &handler, &i->event_names_.show_install_type_dlg);
          i->SetOnShowInstallTypeDlg(std::move(handler));
        },
        [](TInstall* i) { return i->event_names_.show_install_type_dlg; });
  });
  return table;
}

TInstall::TInstall(TComponent* owner) : TFileContainer(owner) {
  HearSiblings();
  if (Driver() != nullptr) throw EAITwoInstallComponents();
  if (dynamic_cast<TForm*>(owner) == nullptr && dynamic_cast<TDataModule*>(owner) == nullptr)
    throw Exception(TranslateMessage(
        "The Owner of the TInstall component must either be a class of type TForm or TDataModule"));
  SetAllowChoice(false);
  SetGroupName("Main");
  SetDestDir("\\MyApplication");
  StoreDestDirType(ddProgramFilesDir);
  SetArchiveFile("\\files.1");
  StoreArchiveFileType(ddLoading);
  SetDriver(this);
  Application().SetOnException(ExceptionHook{this});
}

TInstall::~TInstall() {
  RestoreActivation();
  const auto* hook = Application().OnException().target<ExceptionHook>();
  if (hook != nullptr && hook->install == this) Application().SetOnException(nullptr);
  // ~InstallDriver clears the driver reference.
}

void TInstall::Notification(TComponent* component, Operation operation) {
  TFileContainer::Notification(component, operation);
  if (operation == Operation::kRemove && component == run_form_) {
    run_form_ = nullptr;
    activation_hooked_ = false;
  }
}

void TInstall::RestoreActivation() {
  if (run_form_ == nullptr || !activation_hooked_) return;
  activation_hooked_ = false;
  if (run_form_->Destroying()) return;
  const auto* current = run_form_->OnActivate().target<Activation>();
  if (current != nullptr && current->install == this) run_form_->SetOnActivate(saved_on_activate_);
}

void TInstall::SetPresetupFiles(const std::vector<std::string>& lines) {
  presetup_files_.clear();
  for (const auto& line : lines)
    if (!Trim(line).empty()) presetup_files_.push_back(line);
}

void TInstall::SetUseLoadingProgram(bool v) {
  use_loading_program_ = v;
  if (v && !IsLoading()) {
    StoreArchiveFileType(ddLoading);
    SetArchiveFile("\\files.1");
  }
}

std::string TInstall::ExePath() const { return CurrentPlatform().System().ExePath(); }

// ---------------------------------------------------------------- start-up

void TInstall::Loaded() {
  TFileContainer::Loaded();

  if (Application().MainForm() != nullptr)
    run_form_ = Application().MainForm();
  else if (auto* form = dynamic_cast<TForm*>(Owner()))
    run_form_ = form;
  else if (run_automatic_)
    throw Exception(TranslateMessage(
        "Application.MainForm is undefined and the TInstall is not on a form. Therefore, the "
        "TInstall can't run the installation automatically"));
  if (run_form_ != nullptr) run_form_->FreeNotification(this);

  SetCurrentInstallType(itAlways);
  for (TInstallType t : {itDefault, itCompact, itFull, itCustom}) {
    if (InstallTypes().Contains(t)) {
      SetCurrentInstallType(t);
      break;
    }
  }

  const std::vector<std::string> args = CurrentPlatform().System().Arguments();
  if (!args.empty() && args[0].size() > 1 && args[0][0] == '*') {
    const std::string mode = UpperCase(args[0].substr(1));
    // The one-shot modes run once every component of the form is complete.
    if (mode == "BUILD") {
      Application().WhenCreated([this] { BuildFromInfFile(); });
      return;
    }
    if (mode == "TODISK") {
      Application().WhenCreated([this] { BuildToDisk(); });
      return;
    }
    if (mode == "ABOOT") {
      Application().WhenCreated([this] { FinishAfterReboot(); });
      return;
    }
    if (mode == "SELFEXTRACT") self_extract_ = true;
  }

  if (run_form_ != nullptr) {
    saved_on_activate_ = run_form_->OnActivate();
    run_form_->SetOnActivate(Activation{this});
    activation_hooked_ = true;
  }
}

void TInstall::FirstActivation(TComponent* sender) {
  if (first_activation_handled_) return;
  if (saved_on_activate_) {
    TNotifyEvent saved = saved_on_activate_;
    saved(run_form_ != nullptr ? run_form_ : sender);
  }
  first_activation_handled_ = true;
  if (run_form_ == nullptr) return;
  if (auto_maximize_window_) {
    run_form_->SetWindowState(wsMaximized);
    run_form_->Repaint();
  }
  if (!run_automatic_) return;
  if (saved_on_activate_) RestoreActivation();
  RunInstallation();
}

// ---------------------------------------------------------------- the run

void TInstall::Raise(const char* name) { NotifyDialogs(this, name, nullptr); }

void TInstall::Raise(const TNotifyEvent& e) {
  if (!e) return;
  TNotifyEvent handler = e;
  handler(this);
}

void TInstall::RunUnshown() {
  if (Application().Terminated()) return;
  RestoreActivation();
  first_activation_handled_ = true;
  try {
    RunInstallation();
  } catch (...) {
    Application().HandleException(this);
  }
}

void TInstall::RunInstallation() {
  unfinished_count_ = 0;
  running_ = true;
  ReadLoadingParameters();
  LogStep("install", "Installation of " + ProductName() + " from " + source_directory_);
  ClearUnfinishedList();
  Raise(on_before_read_archive_info);
  Raise(event::kBeforeReadArchiveInfo);
  if (run_form_ == nullptr)
    throw Exception(TranslateMessage("The MainForm for this application is NIL. You must have a MainForm"));
  {
    // The form's cursor comes back also when reading fails.
    struct Hourglass {
      TForm* form;
      TCursor previous;
      explicit Hourglass(TForm* f) : form(f), previous(f->Cursor()) { form->SetCursor(crHourGlass); }
      ~Hourglass() { form->SetCursor(previous); }
    } hourglass(run_form_);
    if (self_extract_) FindSelfExtractOffset();
    ReadArchiveInfo();
  }
  Raise(on_after_read_archive_info);
  Raise(event::kAfterReadArchiveInfo);
  Raise(on_start_install);
  for (const char* name : {event::kStartingUp, event::kLanguageDialog, event::kWelcomeDialog,
                           event::kLicenseAgreement, event::kReadmeDialog,
                           event::kBeginningDialogManager})
    Raise(name);

  {
    // Extraction keeps the archive open from file to file, and the log its
    // section's key; not beyond.
    struct ArchiveRelease {
      ~ArchiveRelease() { InstallEngine().ReleaseArchive(); }
    } archive_release;
    InstallLogSession log_session;
    try {
      Process();
    } catch (const EAbort&) {
      // Ends the processing quietly; the run goes on.
    }
  }

  if (unfinished_count_ > 0) AddRestartLink();

  if (RebootNeeded() && Unattended::Active()) {
    // Nobody to ask and nobody to lose work: the restart is left to whoever
    // started the run, the exit code tells them.
    Raise(event::kShutDownDialog);
    LogStep("restart", "Windows must be restarted to finish the installation (" +
                           std::to_string(unfinished_count_) + " unfinished entries); not restarted by an unattended run");
    Unattended::RecordOutcome(exitcode::kRebootNeeded, "restart needed");
    Application().Terminate();
    return;
  }

  if (RebootNeeded()) {
    Raise(event::kShutDownDialog);
    bool reboot = RebootNeeded();
    if (on_reboot_windows) {
      TInstallFlagEvent handler = on_reboot_windows;
      handler(this, reboot);
    }
    SetRebootNeeded(reboot);
    if (RebootNeeded()) RebootWindows();
    Application().Terminate();
    return;  // Running stays set: the run ends by the reboot
  }

  GoodInstallTail();
  running_ = false;
}

void TInstall::GoodInstallTail() {
  Raise(on_show_good_install);
  Raise(event::kGoodInstallation);
  Raise(event::kGoodInstallDialogManager);
  ScheduleSelfDelete();
  Unattended::RecordOutcome(exitcode::kGood, "installation complete");
  CleanupAndTerminate();
}

void TInstall::CleanupAndTerminate() {
  bool cleanup = true;
  if (on_cleanup) {
    TInstallFlagEvent handler = on_cleanup;
    handler(this, cleanup);
  }
  if (cleanup) DeletePresetupFiles();
  if (!run_automatic_) return;
  bool quit = true;
  if (on_before_terminate_app) {
    TInstallFlagEvent handler = on_before_terminate_app;
    handler(this, quit);
  }
  if (quit) Application().Terminate();
}

void TInstall::HandleException(TComponent* sender, const Exception& e) {
  if (!running_) {
    Application().ShowException(e);
    return;
  }
  running_ = false;
  if (dynamic_cast<const EAIUserAbort*>(&e) == nullptr) {
    // A failure: the bad-install pages, then the message. The program stays
    // (an unattended one ends with the failure's exit code).
    Unattended::RecordOutcome(exitcode::kFailed, "installation failed: " + e.Message());
    try {
      Raise(on_show_bad_install);
      Raise(event::kBadInstallation);
      Raise(event::kBadInstallDialogManager);
    } catch (const EAIUserAbort&) {
      // The bad-install pages were cancelled.
    } catch (const EAbort&) {
    } catch (const Exception& page_failure) {
      Application().ShowException(page_failure);
    }
    Application().ShowException(e);
    if (Unattended::Active()) Application().Terminate();
    return;
  }
  Unattended::RecordOutcome(exitcode::kCancelled, "installation cancelled");
  // The user cancelled: the bad-install pages, clean-up and the end, without
  // the abort message.
  try {
    Raise(on_show_bad_install);
    Raise(event::kBadInstallation);
    Raise(event::kBadInstallDialogManager);
    CleanupAndTerminate();
  } catch (...) {
    if (run_automatic_) Application().Terminate();
  }
}

bool TInstall::QueryUserAbort() {
  if (Unattended::Active()) {
    LogStep("abort", "cancel not asked in an unattended run; the installation goes on");
    return false;
  }
  bool quit = true;
  if (on_user_abort) {
    TInstallFlagEvent handler = on_user_abort;
    handler(this, quit);
  }
  return quit;
}

void TInstall::ReadLoadingParameters() {
  SystemInfo& sys = CurrentPlatform().System();
  if (!use_loading_program_) {
    source_directory_ = ExcludeTrailingBackslash(ExtractFilePath(sys.ExePath()));
    return;
  }
  const std::vector<std::string> args = sys.Arguments();
  const size_t count = args.size();  // parameter n is args[n - 1]
  size_t first = 1;
  if (self_extract_) {
    if (count < 2)
      throw Exception(TranslateMessage(
          "Cannot read the name of the loading program. It was not passed from the loading program"));
    SetArchiveFile("\\" + args[1]);
    first = 3;
  }
  if (count < first)
    throw Exception(TranslateMessage(
        "Cannot read the SourceDirectory. It was not passed from the setup.exe program"));
  std::string dir;
  for (size_t i = first; i <= count; ++i) {
    if (i > first) dir += ' ';
    dir += args[i - 1];
  }
  source_directory_ = dir;
}

// ---------------------------------------------------------------- unfinished-install list

void TInstall::AddUnfinishedEntry(const std::string& subject, int kind) {
  ++unfinished_count_;
  WriteRegistryString(rootcode::kLocalMachine, kUnfinishedInstallKey, subject,
                      std::to_string(kind));
}

std::vector<TInstall::UnfinishedEntry> TInstall::ReadUnfinishedEntries() {
  std::vector<UnfinishedEntry> entries;
  auto key = CurrentPlatform().Reg().Open(RegRoot::kLocalMachine, kUnfinishedInstallKey,
                                          RegAccess::kRead, false);
  if (!key) return entries;
  std::vector<std::string> names;
  if (!key->ValueNames(&names)) return entries;
  for (const auto& name : names) {
    UnfinishedEntry entry{name, std::string()};
    RegValue value;
    if (key->Query(name, &value)) {
      if (auto text = value.AsString())
        entry.data = *text;
      else if (auto number = value.AsDword())
        entry.data = std::to_string(*number);
    }
    entries.push_back(std::move(entry));
  }
  return entries;
}

void TInstall::ReadUnfinishedList(TStringList& list) {
  list.Clear();
  for (const auto& entry : ReadUnfinishedEntries()) list.Add(entry.name + ";" + entry.data);
}

void TInstall::ClearUnfinishedList() {
  DeleteRegistryKey(rootcode::kLocalMachine, kUnfinishedInstallKey);
}

void TInstall::FinishAfterReboot() {
  running_ = true;
  const std::vector<UnfinishedEntry> entries = ReadUnfinishedEntries();
  ClearUnfinishedList();  // entries that fail below are not kept
  Unattended::ForgetRestart(CurrentPlatform().Reg());
  for (const auto& entry : entries) {
    // The subject is the whole value name (a path may hold a ";"); the kind
    // is the data up to its first ";".
    const std::string kind_text = entry.data.substr(0, entry.data.find(';'));
    int32_t kind = 0;
    if (!TryStrToInt(kind_text, &kind))
      throw Exception(Format(TranslateMessage("There is an invalid entry for the unfinished install list %s"),
                             {entry.name + ";" + entry.data}));
    switch (kind) {
      case unfinished::kComponent: {
        const std::vector<TInstallContainer*> all = ComponentList::All();
        for (TInstallContainer* c : all) {
          if (c == this || !SameText(c->Name(), entry.name)) continue;
          const auto& now = ComponentList::All();
          if (std::find(now.begin(), now.end(), c) == now.end()) continue;  // freed meanwhile
          c->FinishAfterReboot();
        }
        break;
      }
      case unfinished::kDeleteFile:
        CurrentPlatform().Files().RemoveFile(entry.name);  // a failure is ignored
        break;
      case unfinished::kProgramManagerItem:
        try {
          if (Seams().delete_program_manager_item)
            Seams().delete_program_manager_item("Startup", entry.name);
        } catch (const Exception&) {
          // A failure is ignored.
        }
        break;
      default:
        break;
    }
  }
  GoodInstallTail();
  running_ = false;
}

void TInstall::AddRestartLink() {
  if (!Seams().make_shell_link)
    throw Exception(TranslateMessage(
        "Cannot create the link that finishes the installation after the reboot: shell links are "
        "not available in this build"));
  std::unique_ptr<TemporaryShellLink> link =
      Seams().make_shell_link(*this, "KobbelinAddLink", ExePath(), "*ABOOT");
  const int cls = CurrentPlatformClass();
  if (cls == platform_class::kWindows95 || cls == platform_class::kWindowsNT) {
    link->SetDestination(ddStartUpMenuDir, std::string());
    AddUnfinishedEntry(link->DestinationFolder() + "\\" + link->LinkName(), unfinished::kDeleteFile);
  } else {
    link->SetDestination(ddProgramMenuDir, "Startup");
    AddUnfinishedEntry(ChangeFileExt(link->LinkName(), ""), unfinished::kProgramManagerItem);
  }
  link->Create();
  if (Unattended::Active()) {
    UnattendedOptions kept;
    kept.mode = Unattended::Mode();
    kept.log_file = SetupLog::Path();
    Unattended::KeepForRestart(CurrentPlatform().Reg(), kept);
  } else {
    Unattended::ForgetRestart(CurrentPlatform().Reg());  // one left by an earlier run
  }
}

// ---------------------------------------------------------------- clean-up and reboot

void TInstall::DeletePresetupFiles() {
  const std::string dir = ExtractFilePath(ExePath());
  FileSystem& fs = CurrentPlatform().Files();
  for (const auto& line : presetup_files_) {
    const std::string name = ExtractFileName(Trim(line));
    if (!name.empty()) fs.RemoveFile(dir + name);  // failures are ignored
  }
}

void TInstall::ScheduleSelfDelete() {
  Platform& p = CurrentPlatform();
  const std::string exe = ExePath();
  if (CurrentPlatformClass() == platform_class::kWindows95) {
    std::string short_path;
    if (!p.Files().ShortPath(exe, &short_path)) short_path = exe;
    std::string windows;
    if (!p.System().WindowsDirectory(&windows)) return;
    p.Ini().Write(IncludeTrailingBackslash(windows) + "WININIT.INI", "Rename", "nul", short_path);
  } else {
    p.Files().MoveEx(exe, std::string(), movefile::kReplaceExisting | movefile::kDelayUntilReboot);
  }
}

void TInstall::RebootWindows() {
  Restart& restart = CurrentPlatform().Reboot();
  bool done = false;
  switch (CurrentPlatformClass()) {
    case platform_class::kWindows95:
      done = restart.ExitSystem(ewx::kReboot);
      break;
    case platform_class::kWindowsNT:
      done = restart.EnableShutdownPrivilege() && restart.ExitSystem(ewx::kReboot);
      break;
    default:
      break;
  }
  if (!done)
    ShowMessageBox(TranslateMessage("Could not reboot windows. Please manually reboot windows."),
                   Application().Title(), mb::kOk);
}

// ---------------------------------------------------------------- build modes

void TInstall::RunBuildMode(const std::function<void(TInstall&)>& work, const char* mode) {
  try {
    if (!work)
      throw Exception(Format(TranslateMessage("The %s mode is not available in this build"), {mode}));
    work(*this);
    Unattended::RecordOutcome(exitcode::kGood, std::string(mode) + " complete");
  } catch (const Exception& e) {
    Unattended::RecordOutcome(exitcode::kFailed, std::string(mode) + " failed: " + e.Message());
    ShowMessageBox(e.Message(), Application().Title(), mb::kOk);
  }
  Application().Terminate();
}

void TInstall::BuildFromInfFile() { RunBuildMode(Seams().build_from_inf_file, "*BUILD"); }

void TInstall::BuildToDisk() { RunBuildMode(Seams().build_to_disk, "*TODISK"); }

void TInstall::FindSelfExtractOffset() {
  if (!Seams().find_self_extract_offset)
    throw Exception(TranslateMessage("The self-extracting mode is not available in this build"));
  Seams().find_self_extract_offset(*this);
}

}  // namespace kit
