#include "files/install_engine.h"

#include <memory>

#include "platform/current_platform.h"
#include "ui/application.h"
#include "ui/message_box.h"

namespace kit {
namespace {

struct SharedEngine {
  unsigned long generation = 0;
  std::unique_ptr<TKblnCompress> engine;
  const void* handler_owner = nullptr;
};

SharedEngine& Shared() {
  static SharedEngine shared;
  return shared;
}

}  // namespace

TKblnCompress& InstallEngine() {
  SharedEngine& shared = Shared();
  Platform& platform = CurrentPlatform();
  if (!shared.engine || shared.generation != CurrentPlatformGeneration()) {
    KblnServices services;
    services.process_messages = [] { Application().KeepResponsive(); };
    services.show_message = [](const std::string& text) { ShowMessageBox(text, "", mb::kOk); };
    services.last_error = [] { return CurrentPlatform().LastError(); };
    shared.engine = std::make_unique<TKblnCompress>(nullptr, platform.Files(), std::move(services));
    shared.generation = CurrentPlatformGeneration();
  }
  return *shared.engine;
}

void ClaimInstallEngineHandlers(const void* owner) { Shared().handler_owner = owner; }

void ReleaseInstallEngineHandlers(const void* owner) {
  SharedEngine& shared = Shared();
  if (shared.handler_owner != owner) return;
  shared.handler_owner = nullptr;
  if (!shared.engine) return;
  shared.engine->OnAborted = nullptr;
  shared.engine->OnNewDisk = nullptr;
  shared.engine->OnReplace = nullptr;
  shared.engine->OnStatus = nullptr;
}

void ResetInstallEngine() {
  Shared().handler_owner = nullptr;
  Shared().engine.reset();
  Shared().generation = 0;
}

}  // namespace kit
