// The uninstall program's window: a checklist of the removal's steps, a
// progress bar and the Start and Close buttons, read from the stored form
// compiled into the program. It shows the removal engine's progress; the
// questions and messages stay message boxes.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/platform.h"
#include "ui/form.h"
#include "uninstall/removal_view.h"
#include "uninstall/uninstaller.h"

namespace kit {

class TButton;
class TCheckBox;
class TProgressBar;

class RemovalWindow : public RemovalView {
 public:
  enum class State { kWaiting, kRemoving, kEnded, kFailed };

  explicit RemovalWindow(Platform& platform);
  ~RemovalWindow() override;

  // The stored window, as compiled into the program.
  static std::string_view StoredText();

  // Start-up with the program's arguments (without its own path).
  void FormCreate(const std::vector<std::string>& arguments);
  // Runs the removal; ends the window when it is through. A failure shows
  // its message and leaves the window open with Start disabled.
  void StartBtnClick();
  void CloseBtnClick();
  // Shows the window until it is closed or the removal has ended.
  void ShowModal();

  TForm& Form() { return *form_; }
  Uninstaller& Engine() { return engine_; }
  State CurrentState() const { return state_; }
  // Waiting, with Start enabled.
  bool CanStart() const;

  // RemovalView
  void EnableStart(bool enabled) override;
  void ShowProgress(bool visible) override;
  void SetProgress(int percent) override;
  void CheckStep(RemovalStep step) override;
  void Refresh() override;
  bool Confirm(const std::string& text) override;
  void Message(const std::string& text) override;
  void Error(const std::string& text) override;

 private:
  template <class T>
  T& Control(const char* name);

  std::unique_ptr<TForm> form_;
  Uninstaller engine_;
  TButton* start_;
  TProgressBar* bar_;
  State state_ = State::kWaiting;
};

}  // namespace kit
