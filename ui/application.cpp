#include "ui/application.h"

#include "base/paths.h"
#include "platform/current_platform.h"
#include "ui/form.h"
#include "ui/message_box.h"

namespace kit {

TApplication::TApplication() : TComponent(nullptr) {}

TApplication::~TApplication() { DestroyComponents(); }

void TApplication::DestroyComponents() {
  while (ComponentCount() > 0) delete Components(ComponentCount() - 1);
  main_form_ = nullptr;
}

void TApplication::Initialize(std::unique_ptr<WidgetBackend> backend) {
  DestroyComponents();
  if (backend_) retired_.push_back(std::move(backend_));
  backend_ = backend ? std::move(backend) : NewNativeBackend();
  terminated_ = false;
  title_.clear();
  on_exception_ = nullptr;
  screen_cursor_ = crDefault;
  creating_ = 0;
  when_created_.clear();
}

WidgetBackend& TApplication::Backend() {
  if (!backend_) backend_ = NewNativeBackend();
  return *backend_;
}

TForm* TApplication::CreateForm(const std::function<TForm*(TComponent* owner)>& make) {
  std::vector<std::function<void()>> outer;
  outer.swap(when_created_);
  ++creating_;
  TForm* form = nullptr;
  try {
    form = make(this);
  } catch (...) {
    --creating_;
    when_created_.swap(outer);
    throw;
  }
  --creating_;
  std::vector<std::function<void()>> actions;
  actions.swap(when_created_);
  when_created_.swap(outer);
  if (main_form_ == nullptr && form != nullptr) main_form_ = form;
  for (auto& action : actions) action();
  return form;
}

void TApplication::WhenCreated(std::function<void()> action) {
  if (creating_ > 0)
    when_created_.push_back(std::move(action));
  else
    action();
}

void TApplication::Run() {
  if (terminated_) return;
  if (main_form_ != nullptr) {
    try {
      main_form_->Show();
    } catch (...) {
      HandleException(main_form_);
    }
  }
  while (!terminated_) {
    LoopEnd end = LoopEnd::kDone;
    try {
      end = Backend().RunLoop([this] { return terminated_; });
    } catch (...) {
      HandleException(this);
      continue;
    }
    if (end != LoopEnd::kDone) terminated_ = true;
  }
}

void TApplication::Terminate() {
  if (terminated_) return;
  terminated_ = true;
  Backend().PostQuit();
}

void TApplication::ProcessMessages() {
  last_pump_ = std::chrono::steady_clock::now();
  if (!Backend().ProcessMessages()) terminated_ = true;
}

void TApplication::KeepResponsive() {
  if (std::chrono::steady_clock::now() - last_pump_ >= kResponsiveInterval) ProcessMessages();
}

const std::string& TApplication::Title() const {
  if (title_.empty() && HasCurrentPlatform())
    title_ = ChangeFileExt(ExtractFileName(CurrentPlatform().System().ExePath()), "");
  return title_;
}

void TApplication::ShowException(const Exception& e) {
  std::string text = e.Message();
  if (!text.empty() && static_cast<unsigned char>(text.back()) > '.') text += '.';
  ShowMessageBox(text, Title(), mb::kOk | mb::kIconStop);
}

void TApplication::HandleException(TComponent* sender, const Exception& e) {
  if (dynamic_cast<const EAbort*>(&e) != nullptr) return;
  try {
    if (on_exception_) {
      TExceptionEvent handler = on_exception_;  // it may replace itself
      handler(sender, e);
    } else {
      ShowException(e);
    }
  } catch (const Exception& second) {
    // The handler itself failed: that failure is shown, nothing escapes.
    if (dynamic_cast<const EAbort*>(&second) == nullptr) ShowException(second);
  } catch (const std::exception& second) {
    ShowException(Exception(second.what()));
  }
}

void TApplication::HandleException(TComponent* sender) {
  try {
    throw;
  } catch (const Exception& e) {
    HandleException(sender, e);
  } catch (const std::exception& e) {
    HandleException(sender, Exception(e.what()));
  } catch (...) {
    HandleException(sender, Exception("Unknown exception"));
  }
}

void TApplication::SetScreenCursor(TCursor cursor) {
  screen_cursor_ = cursor;
  Backend().SetScreenCursor(cursor);
}

void TApplication::FormDestroyed(TForm* form) {
  if (main_form_ == form) main_form_ = nullptr;
}

TApplication& Application() {
  // Never destroyed: forms of static lifetime may still report to it.
  static auto* app = new TApplication();
  return *app;
}

}  // namespace kit
