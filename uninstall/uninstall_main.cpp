// The uninstall program: shows its window for the product named by its
// arguments; Start removes it. Natively the window is printed on the
// terminal, inside an emulated machine; without a terminal to answer on,
// Start is pressed at once and every question takes its default answer.
#include <cstdio>
#include <memory>
#include <string>

#include "base/codepage.h"
#include "platform/current_platform.h"
#include "platform/host.h"
#include "ui/application.h"
#include "ui/message_box.h"
#include "uninstall/removal_window.h"

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
  int rc = 0;
  try {
    kit::RemovalWindow window(*platform);
    window.FormCreate(platform->System().Arguments());
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
  kit::SetCurrentPlatform(nullptr);
  return rc;
}
