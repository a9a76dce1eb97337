// The install program: opens its machine, builds its main form with the
// installation's components from the stored form compiled into it, and
// runs the message loop. The driver on the form does the rest.
#include <cstdio>
#include <memory>
#include <string>

#include "base/class_registry.h"
#include "base/codepage.h"
#include "base/text.h"
#include "base/form_reader.h"
#include "config/stored_forms.h"
#include "dialogs/pages/installer_pages.h"
#include "dialogs/pages/select_kbln_dir.h"
#include "dialogs/widget_dialog_presenter.h"
#include "driver/distribution_builder.h"
#include "driver/driver_classes.h"
#include "driver/restart_links.h"
#include "model/system_folders.h"
#include "platform/current_platform.h"
#include "platform/host.h"
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
  const kit::StoredForm stored = kit::MainFormStored();
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

  kit::TApplication& app = kit::Application();
  app.Initialize();
  int rc = 0;
  try {
    kit::ReadSystemDirectories();
    app.CreateForm(ReadMainForm);
    kit::CreateHiddenPageInstances();
    app.Run();
  } catch (const kit::Exception& e) {
    // A failure while the main form is made (or in its start-up mode).
    app.ShowException(e);
    rc = 1;
  } catch (const std::exception& e) {
    app.ShowException(kit::Exception(e.what()));
    rc = 1;
  }
  app.DestroyComponents();
  kit::SetDialogPresenter(nullptr);
  kit::StopVersionResources();
  kit::SetCurrentPlatform(nullptr);
  return rc;
}
