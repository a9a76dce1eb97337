// The uninstall program: removes the product named by its arguments. On
// win32 it asks and reports through message boxes; natively (inside an
// emulated machine) it asks on the terminal, one "y" or "n" line per question.
#include <cstdio>
#include <iostream>
#include <memory>
#include <string>

#include "base/codepage.h"
#include "platform/current_platform.h"
#include "platform/host.h"
#include "uninstall/uninstaller.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

class PromptView : public kit::RemovalView {
 public:
  explicit PromptView(std::string caption) : caption_(std::move(caption)) {}
  void SetCaption(std::string caption) { caption_ = std::move(caption); }
  void EnableStart(bool) override {}
  void ShowProgress(bool) override {}
  void SetProgress(int) override {}
  void CheckStep(kit::RemovalStep) override {}
  void Refresh() override {}
  bool Confirm(const std::string& text) override {
#ifdef _WIN32
    return MessageBoxA(nullptr, text.c_str(), caption_.c_str(), MB_YESNO | MB_ICONQUESTION) ==
           IDYES;
#else
    std::printf("%s [y/n] ", text.c_str());
    std::fflush(stdout);
    std::string answer;
    if (!std::getline(std::cin, answer)) answer.clear();
    std::printf("%s\n", answer.c_str());
    return !answer.empty() && (answer[0] == 'y' || answer[0] == 'Y');
#endif
  }
  void Message(const std::string& text) override {
#ifdef _WIN32
    MessageBoxA(nullptr, text.c_str(), caption_.c_str(), MB_OK);
#else
    std::printf("%s\n", text.c_str());
#endif
  }
  void Error(const std::string& text) {
#ifdef _WIN32
    MessageBoxA(nullptr, text.c_str(), caption_.c_str(), MB_OK | MB_ICONSTOP);
#else
    std::fprintf(stderr, "uninstall: %s\n", text.c_str());
#endif
  }

 private:
  std::string caption_;
};

}  // namespace

int main(int argc, char** argv) {
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
