// What the removal reports to the person watching it: the checklist of
// steps, the progress bar, the shared-file question and plain messages.
// The window implements it; tests and the terminal program script it.
#pragma once

#include <string>

namespace kit {

enum class RemovalStep { kAliases, kActiveX, kFiles, kIniFiles, kBde, kRegistry };

class RemovalView {
 public:
  virtual ~RemovalView() = default;
  virtual void EnableStart(bool enabled) = 0;
  virtual void ShowProgress(bool visible) = 0;
  virtual void SetProgress(int percent) = 0;
  virtual void CheckStep(RemovalStep step) = 0;
  // Repaints the window at the points where the removal lets it.
  virtual void Refresh() = 0;
  // A Yes/No confirmation; true for Yes.
  virtual bool Confirm(const std::string& text) = 0;
  // A plain message box with an OK button.
  virtual void Message(const std::string& text) = 0;
  // The standard error box; a plain message unless the view has one.
  virtual void Error(const std::string& text) { Message(text); }
};

}  // namespace kit
