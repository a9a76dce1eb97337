#include "uninstall/silent_removal_view.h"

#include "base/setup_log.h"

namespace kit {

void SilentRemovalView::CheckStep(RemovalStep step) {
  static const char* const kSteps[] = {"aliases", "ActiveX servers", "files", "INI entries",
                                       "database engine use", "registry entries"};
  LogStep("remove", std::string(kSteps[static_cast<int>(step)]) + " done");
}

bool SilentRemovalView::Confirm(const std::string& text) {
  LogStep("question", text + (remove_shared_ ? " -> Yes (/REMOVESHARED)" : " -> No (shared files are kept)"));
  return remove_shared_;
}

void SilentRemovalView::Message(const std::string& text) {
  last_message_ = text;
  LogStep("message", text);
}

void SilentRemovalView::Error(const std::string& text) {
  last_error_ = text;
  LogStep("error", text);
}

}  // namespace kit
