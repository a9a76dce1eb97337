// The uninstall program: removes the product named by its arguments, asking
// and reporting through message boxes (natively on the terminal, inside an
// emulated machine).
#include <memory>
#include <string>

#include "base/codepage.h"
#include "platform/current_platform.h"
#include "platform/host.h"
#include "ui/application.h"
#include "ui/message_box.h"
#include "uninstall/uninstaller.h"

namespace {

// Questions and messages go through the application's message boxes: real
// ones on win32, the terminal natively.
class PromptView : public kit::RemovalView {
 public:
  explicit PromptView(std::string caption) : caption_(std::move(caption)) {}
  void SetCaption(std::string caption) { caption_ = std::move(caption); }
  void EnableStart(bool) override {}
  void ShowProgress(bool) override {}
  void SetProgress(int) override {}
  void CheckStep(kit::RemovalStep) override {}
  void Refresh() override {}
  // No is the default: unattended, a shared file stays.
  bool Confirm(const std::string& text) override {
    return kit::ShowMessageBox(text, caption_,
                               kit::mb::kYesNo | kit::mb::kIconQuestion | kit::mb::kDefButton2) ==
           kit::id::kYes;
  }
  void Message(const std::string& text) override {
    kit::ShowMessageBox(text, caption_, kit::mb::kOk);
  }
  void Error(const std::string& text) {
    kit::ShowMessageBox(text, caption_, kit::mb::kOk | kit::mb::kIconStop);
  }

 private:
  std::string caption_;
};

}  // namespace

int main(int argc, char** argv) {
  kit::Application().Initialize();
  PromptView view("Uninstall program");
  std::string error;
  std::unique_ptr<kit::Platform> platform = kit::OpenHostPlatform(argc, argv, &error);
  if (!platform) {
    view.Error(error);
    return 2;
  }
  kit::SetCurrentPlatform(platform.get());
  kit::SetAnsiCodePage(platform->System().AnsiCodePage());
  kit::SetOemCodePage(platform->System().OemCodePage());
  kit::Uninstaller uninstaller(*platform, view);
  int rc = 0;
  if (!uninstaller.Start(platform->System().Arguments())) {
    rc = 1;
  } else {
    view.SetCaption(uninstaller.Caption());
    try {
      uninstaller.Remove();
    } catch (const std::exception& e) {
      view.Error(e.what());
      rc = 1;
    }
  }
  kit::SetCurrentPlatform(nullptr);
  return rc;
}
