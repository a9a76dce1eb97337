// The uninstall program: shows its window for the product named by its
// arguments; Start removes it. Natively the window is printed on the
// terminal, inside an emulated machine; without a terminal to answer on,
// Start is pressed at once and every question takes its default answer.
// With /SILENT or /VERYSILENT before the product's name (or the mode in the
// environment, as the loading program passes it) no window is made at all:
// the removal runs, shared files are kept unless /REMOVESHARED is given,
// messages go to the /LOG=FILE log and the exit code tells the outcome.
#include <cstdio>
#include <memory>
#include <string>

#include "base/codepage.h"
#include "base/setup_log.h"
#include "base/unattended.h"
#include "platform/current_platform.h"
#include "platform/host.h"
#include "ui/application.h"
#include "ui/message_box.h"
#include "uninstall/removal_window.h"
#include "uninstall/silent_removal_view.h"
#include "uninstall/uninstaller.h"

#ifndef _WIN32
#include <unistd.h>

#include "ui/headless_backend.h"
#endif

namespace {

// Nobody is there to press Start: the removal runs unattended.
void PressStartWhenUnattended(kit::RemovalWindow& window) {
#ifndef _WIN32
  auto* headless = dynamic_cast<kit::HeadlessBackend*>(&kit::Application().Backend());
  if (headless == nullptr || (isatty(0) && isatty(2))) return;
  headless->Post([&window] { window.StartBtnClick(); });
#else
  (void)window;
#endif
}

// The removal without a window; the exit code of the outcome.
int RemoveUnattended(kit::Platform& platform, const std::vector<std::string>& args, bool remove_shared) {
  kit::SilentRemovalView view(remove_shared);
  kit::Uninstaller engine(platform, view);
  try {
    if (!engine.Start(args)) return kit::exitcode::kFailed;
    // The window would remove nothing and say so; unattended, that is a failure.
    if (!engine.IsLogged())
      throw kit::Exception("No installation of " + engine.ProductName() + " is logged: the key HKEY_LOCAL_MACHINE" +
                           engine.LogKey() + " does not exist");
    kit::LogStep("remove", "Removal of " + engine.ProductName() + " (" + engine.LogKey() + ")");
    engine.Remove();
    kit::LogStep("outcome", "0 removal complete");
    return kit::exitcode::kGood;
  } catch (const kit::Exception& e) {
    view.Error(e.Message());
  } catch (const std::exception& e) {
    view.Error(e.what());
  }
  kit::LogStep("outcome", std::to_string(kit::exitcode::kFailed) + " removal failed");
  return kit::exitcode::kFailed;
}

}  // namespace

int main(int argc, char** argv) {
  kit::TApplication& app = kit::Application();
  app.Initialize();
  std::string error;
  std::unique_ptr<kit::Platform> platform = kit::OpenHostPlatform(argc, argv, &error);
  if (!platform) {
    kit::ShowMessageBox(error, "Uninstall program", kit::mb::kOk | kit::mb::kIconStop);
    return 2;
  }
  kit::SetCurrentPlatform(platform.get());
  kit::SetAnsiCodePage(platform->System().AnsiCodePage());
  kit::SetOemCodePage(platform->System().OemCodePage());
  std::vector<std::string> args = platform->System().Arguments();
  kit::UnattendedOptions options = kit::Unattended::TakeSwitches(&args, false);
  const kit::UnattendedOptions inherited = kit::Unattended::ReadEnvironment();
  if (options.mode == kit::UnattendedMode::kOff) options.mode = inherited.mode;
  if (options.log_file.empty()) options.log_file = inherited.log_file;
  options.remove_shared = options.remove_shared || inherited.remove_shared;
  kit::Unattended::SetMode(options.mode);
  kit::Unattended::SetRemoveShared(options.remove_shared);
  if (!options.log_file.empty() && !kit::SetupLog::Open(platform->Files(), options.log_file, &error)) {
    if (kit::Unattended::Active()) {
      std::fprintf(stderr, "uninstall: %s\n", error.c_str());
      return kit::exitcode::kFailed;
    }
    kit::ShowMessageBox(error, "Uninstall program", kit::mb::kOk | kit::mb::kIconStop);
    return 2;
  }
  if (kit::Unattended::Active()) {
    const int code = RemoveUnattended(*platform, args, options.remove_shared);
    kit::SetupLog::Close();
    kit::SetCurrentPlatform(nullptr);
    return code;
  }
  int rc = 0;
  try {
    kit::RemovalWindow window(*platform);
    window.FormCreate(args);
    if (window.CanStart()) PressStartWhenUnattended(window);
    window.ShowModal();
    if (window.CurrentState() == kit::RemovalWindow::State::kFailed || window.Engine().ProductName().empty())
      rc = 1;
  } catch (const kit::Exception& e) {
    app.ShowException(e);
    rc = 1;
  } catch (const std::exception& e) {
    app.ShowException(kit::Exception(e.what()));
    rc = 1;
  }
  app.DestroyComponents();
  kit::SetupLog::Close();
  kit::SetCurrentPlatform(nullptr);
  return rc;
}
