// The application object: the one per process that owns the forms, knows
// the main form, runs the message loop and handles every exception that
// leaves an event handler.
#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "base/component.h"
#include "base/exception.h"
#include "ui/cursor.h"
#include "ui/widget_backend.h"

namespace kit {

class TForm;

// An exception handler installed on the application (sender: the component
// whose event handler raised).
using TExceptionEvent = std::function<void(TComponent* sender, const Exception& e)>;

class TApplication : public TComponent {
  KIT_COMPONENT_CLASS(TApplication)

 public:
  TApplication();
  ~TApplication() override;

  // Starts afresh on the backend (the target's own when null): frees the
  // forms it owns and clears the main form, the handler, the cursor and
  // the terminated state.
  void Initialize(std::unique_ptr<WidgetBackend> backend = nullptr);
  WidgetBackend& Backend();

  // Creates a form through `make` (which gives it this application as
  // owner); the first form created so becomes the main form once it is
  // complete. Start-up work that the form's components deferred with
  // WhenCreated runs right after that.
  TForm* CreateForm(const std::function<TForm*(TComponent* owner)>& make);
  // Runs now, or, while CreateForm builds a form, as soon as it is built.
  void WhenCreated(std::function<void()> action);

  TForm* MainForm() const { return main_form_; }
  void SetMainForm(TForm* form) { main_form_ = form; }

  // Shows the main form and runs the message loop until Terminate. Returns
  // at once when already terminated.
  void Run();
  void Terminate();
  bool Terminated() const { return terminated_; }
  // Dispatches the messages that are waiting.
  void ProcessMessages();
  // For loops of many small steps: dispatches the waiting messages when
  // kResponsiveInterval has passed since they last were, otherwise nothing.
  void KeepResponsive();
  static constexpr std::chrono::milliseconds kResponsiveInterval{20};

  const std::string& Title() const;
  void SetTitle(const std::string& title) { title_ = title; }

  const TExceptionEvent& OnException() const { return on_exception_; }
  void SetOnException(TExceptionEvent handler) { on_exception_ = std::move(handler); }
  // The message in a box with the title as caption and the stop icon; a
  // period is added to a message that does not end in one.
  void ShowException(const Exception& e);
  // Called from a catch block: the exception being handled goes to
  // OnException (ShowException when none is set); EAbort is dropped.
  void HandleException(TComponent* sender);
  // The same for an exception in hand.
  void HandleException(TComponent* sender, const Exception& e);

  // The cursor over every window (crDefault: each window's own).
  TCursor ScreenCursor() const { return screen_cursor_; }
  void SetScreenCursor(TCursor cursor);

  // Frees the forms and other components it owns, last created first.
  void DestroyComponents();

  // ---- used by forms
  void FormDestroyed(TForm* form);

 private:
  std::unique_ptr<WidgetBackend> backend_;
  // Backends replaced by Initialize, kept for windows that outlive them.
  std::vector<std::unique_ptr<WidgetBackend>> retired_;
  TForm* main_form_ = nullptr;
  bool terminated_ = false;
  std::chrono::steady_clock::time_point last_pump_{};
  mutable std::string title_;
  TExceptionEvent on_exception_;
  TCursor screen_cursor_ = crDefault;
  int creating_ = 0;
  std::vector<std::function<void()>> when_created_;
};

// The application of the process.
TApplication& Application();

}  // namespace kit
