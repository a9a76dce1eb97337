// The view of an unattended removal: nothing is shown. The shared-file
// question takes the run's documented answer (keep the file unless the run
// was told /REMOVESHARED), and every message, question and error goes to the
// diagnostic log.
#pragma once

#include <string>

#include "uninstall/removal_view.h"

namespace kit {

class SilentRemovalView : public RemovalView {
 public:
  explicit SilentRemovalView(bool remove_shared) : remove_shared_(remove_shared) {}

  void EnableStart(bool) override {}
  void ShowProgress(bool) override {}
  void SetProgress(int) override {}
  void CheckStep(RemovalStep step) override;
  void Refresh() override {}
  bool Confirm(const std::string& text) override;
  void Message(const std::string& text) override;
  void Error(const std::string& text) override;

  // The last message and error (the final message of a removal is its last message).
  const std::string& LastMessage() const { return last_message_; }
  const std::string& LastError() const { return last_error_; }

 private:
  bool remove_shared_;
  std::string last_message_, last_error_;
};

}  // namespace kit
