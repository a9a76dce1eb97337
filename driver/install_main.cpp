// The install program: opens its machine, builds its main form with the
// installation's components from the stored form compiled into it, and
// runs the message loop. The driver on the form does the rest. An
// unattended run (the mode and the log come from the environment the
// loading program set) shows no page and returns its outcome as exit code.
#include <cstdio>
#include <memory>
#include <string>

#include "base/class_registry.h"
#include "base/codepage.h"
#include "base/text.h"
#include "base/form_reader.h"
#include "base/setup_log.h"
#include "base/unattended.h"
#include "config/stored_forms.h"
#include "dialogs/pages/installer_pages.h"
#include "dialogs/pages/select_kbln_dir.h"
#include "dialogs/silent_presenter.h"
#include "dialogs/widget_dialog_presenter.h"
#include "driver/distribution_builder.h"
#include "driver/driver_classes.h"
#include "driver/install.h"
#include "driver/main_form.h"
#include "driver/restart_links.h"
#include "model/install_driver.h"
#include "model/system_folders.h"
#include "platform/current_platform.h"
#include "platform/host.h"
#include "archive/version_lookup.h"
#include "platform/version_source.h"
#include "ui/application.h"
#include "system/version_resource.h"
#include "ui/form.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

void ReportStartFailure(const std::string& text) {
#ifdef _WIN32
  MessageBoxA(nullptr, text.c_str(), "install", MB_OK | MB_ICONSTOP);
#else
  std::fprintf(stderr, "install: %s\n", text.c_str());
#endif
}

kit::TForm* ReadMainForm(kit::TComponent* owner) {
  // A form kitsetup appended to this program's file comes first.
  std::string appended;
  kit::Platform& platform = kit::CurrentPlatform();
  const kit::StoredForm stored =
      kit::ProgramMainForm(platform.Files(), platform.System().ExePath(), kit::MainFormStored(), &appended);
  kit::FormReader reader;
  kit::TComponent* root = reader.Read(stored.text, stored.name, owner);
  auto* form = dynamic_cast<kit::TForm*>(root);
  if (form == nullptr) {
    delete root;
    throw kit::Exception(stored.name + ": the stored main form is not a form");
  }
  return form;
}

}  // namespace

int main(int argc, char** argv) {
  std::string error;
  std::unique_ptr<kit::Platform> platform = kit::OpenHostPlatform(argc, argv, &error);
  if (!platform) {
    ReportStartFailure(error);
    return 2;
  }
  kit::SetCurrentPlatform(platform.get());
  kit::SetAnsiCodePage(platform->System().AnsiCodePage());
  kit::SetOemCodePage(platform->System().OemCodePage());
  kit::RegisterDriverClasses(kit::ClassRegistry::Global());
  kit::InstallRestartLinks();
  kit::DistributionBuilder::InstallSeams();
  kit::DistributionBuilder::SelectComponentDir() = [] {
    const std::string dir = kit::TSelectKblnDir::Ask();
    if (kit::Trim(dir).empty()) throw kit::Exception("No directory of the component kit was given");
    return dir;
  };
  // The pages the dialog managers show, and how they show them.
  kit::RegisterInstallerPages();
  kit::WidgetDialogPresenter presenter;
  kit::SetDialogPresenter(&presenter);
  std::unique_ptr<kit::VersionSource> versions = kit::OpenHostVersionSource(*platform);
  kit::StartVersionResources(versions.get(), platform->System().ExePath());
  kit::SetSharedVersionLookup(kit::ReaderFileVersion);

  kit::UnattendedOptions unattended = kit::Unattended::ReadEnvironment();
  // The run after the restart is started by the Startup link, without the
  // environment: it takes the mode the unattended run kept for it.
  const std::vector<std::string>& start_args = platform->System().Arguments();
  if (unattended.mode == kit::UnattendedMode::kOff && !start_args.empty() &&
      kit::UpperCase(start_args[0]) == "*ABOOT") {
    const kit::UnattendedOptions kept = kit::Unattended::ReadRestart(platform->Reg());
    if (kept.mode != kit::UnattendedMode::kOff) unattended = kept;
  }
  kit::Unattended::SetMode(unattended.mode);
  if (!unattended.log_file.empty() && !kit::SetupLog::Open(platform->Files(), unattended.log_file, &error)) {
    if (!kit::Unattended::Active()) ReportStartFailure(error);
#ifndef _WIN32
    else std::fprintf(stderr, "install: %s\n", error.c_str());
#endif
    kit::SetCurrentPlatform(nullptr);
    return kit::Unattended::Active() ? kit::exitcode::kFailed : 2;
  }
  if (kit::SetupLog::Active()) {
    std::string args;
    for (const std::string& a : platform->System().Arguments()) args += " " + a;
    kit::SetupLog::Write("install", platform->System().ExePath() + args +
                                        (kit::Unattended::Active()
                                             ? std::string(" (") + kit::UnattendedModeName(unattended.mode) + ")"
                                             : std::string()));
  }
  const kit::SilentPresenter::Scope silent(unattended.mode == kit::UnattendedMode::kSilent,
                                           kit::Unattended::Active());

  kit::TApplication& app = kit::Application();
  app.Initialize();
  int rc = 0;
  try {
    kit::ReadSystemDirectories();
    app.CreateForm(ReadMainForm);
    kit::CreateHiddenPageInstances();
    auto* install = dynamic_cast<kit::TInstall*>(kit::Driver());
    if (unattended.mode == kit::UnattendedMode::kVerySilent && install != nullptr)
      install->RunUnshown();
    else
      app.Run();
  } catch (const kit::Exception& e) {
    // A failure while the main form is made (or in its start-up mode).
    kit::Unattended::RecordOutcome(kit::exitcode::kFailed, e.Message());
    app.ShowException(e);
    rc = 1;
  } catch (const std::exception& e) {
    kit::Unattended::RecordOutcome(kit::exitcode::kFailed, e.what());
    app.ShowException(kit::Exception(e.what()));
    rc = 1;
  }
  if (kit::Unattended::Active()) {
    // A run that ended with no outcome (the form closed early) did not install.
    if (!kit::Unattended::OutcomeRecorded())
      kit::Unattended::RecordOutcome(kit::exitcode::kFailed, "the installer ended before the installation was done");
    rc = kit::Unattended::ExitCode();
  } else if (rc == 0 && kit::Unattended::OutcomeRecorded()) {
    // An attended run that ended on the bad-install page, or was cancelled,
    // tells its caller (the loading program passes it on) as well.
    rc = kit::Unattended::ExitCode();
  }
  app.DestroyComponents();
  kit::SetupLog::Close();
  kit::SetDialogPresenter(nullptr);
  kit::SetSharedVersionLookup(nullptr);
  kit::StopVersionResources();
  kit::SetCurrentPlatform(nullptr);
  return rc;
}
