#include "uninstall/removal_window.h"

#include "base/class_registry.h"
#include "base/exception.h"
#include "base/form_reader.h"
#include "ui/application.h"
#include "ui/controls/button.h"
#include "ui/controls/check_box.h"
#include "ui/controls/progress_bar.h"
#include "ui/message_box.h"
#include "ui/ui_classes.h"
#include "uninstall/removal_window_dfm.h"

namespace kit {
namespace {

constexpr const char kStoredName[] = "removal_window.dfm";

std::unique_ptr<TForm> ReadWindow() {
  ClassRegistry classes;
  RegisterUiClasses(classes);
  std::unique_ptr<TComponent> root(FormReader(classes).Read(RemovalWindow::StoredText(), kStoredName));
  auto* form = dynamic_cast<TForm*>(root.get());
  if (form == nullptr) throw Exception(std::string(kStoredName) + ": the stored window is not a form");
  root.release();
  return std::unique_ptr<TForm>(form);
}

const char* BoxOf(RemovalStep step) {
  switch (step) {
    case RemovalStep::kAliases: return "AliasesCB";
    case RemovalStep::kActiveX: return "ActiveXCB";
    case RemovalStep::kFiles: return "FilesCB";
    case RemovalStep::kIniFiles: return "INIFilesCB";
    case RemovalStep::kBde: return "BDECB";
    case RemovalStep::kRegistry: return "RegistryCB";
  }
  return "";
}

}  // namespace

std::string_view RemovalWindow::StoredText() {
  return {reinterpret_cast<const char*>(kRemovalWindowDfm), sizeof kRemovalWindowDfm};
}

RemovalWindow::RemovalWindow(Platform& platform)
    : form_(ReadWindow()),
      engine_(platform, *this),
      start_(&Control<TButton>("StartBtn")),
      bar_(&Control<TProgressBar>("ProgressBar1")) {
  start_->SetOnClick([this](TComponent*) { StartBtnClick(); });
  Control<TButton>("CloseBtn").SetOnClick([this](TComponent*) { CloseBtnClick(); });
}

RemovalWindow::~RemovalWindow() = default;

template <class T>
T& RemovalWindow::Control(const char* name) {
  T* c = dynamic_cast<T*>(form_->FindComponent(name));
  if (c == nullptr) throw Exception(std::string(kStoredName) + ": the window has no control " + name);
  return *c;
}

void RemovalWindow::FormCreate(const std::vector<std::string>& arguments) {
  // Without arguments the engine disables Start and says why; the caption stays.
  if (engine_.Start(arguments)) form_->SetCaption(engine_.Caption());
}

bool RemovalWindow::CanStart() const { return state_ == State::kWaiting && start_->Enabled(); }

void RemovalWindow::StartBtnClick() {
  if (!CanStart()) return;
  state_ = State::kRemoving;
  try {
    engine_.Remove();
    state_ = State::kEnded;
    form_->SetModalResult(mr::kOk);
  } catch (const Exception& e) {
    state_ = State::kFailed;
    Error(e.Message());
  } catch (const std::exception& e) {
    state_ = State::kFailed;
    Error(e.what());
  }
}

void RemovalWindow::CloseBtnClick() { form_->Close(); }

void RemovalWindow::ShowModal() { form_->ShowModal(); }

void RemovalWindow::EnableStart(bool enabled) { start_->SetEnabled(enabled); }

void RemovalWindow::ShowProgress(bool visible) { bar_->SetVisible(visible); }

void RemovalWindow::SetProgress(int percent) { bar_->SetPosition(percent); }

void RemovalWindow::CheckStep(RemovalStep step) { Control<TCheckBox>(BoxOf(step)).SetChecked(true); }

void RemovalWindow::Refresh() { form_->Repaint(); }

// No is the default: unattended, a shared file stays.
bool RemovalWindow::Confirm(const std::string& text) {
  return ShowMessageBox(text, form_->Caption(), mb::kYesNo | mb::kIconQuestion | mb::kDefButton2) == id::kYes;
}

void RemovalWindow::Message(const std::string& text) { ShowMessageBox(text, form_->Caption(), mb::kOk); }

void RemovalWindow::Error(const std::string& text) {
  ShowMessageBox(text, Application().Title(), mb::kOk | mb::kIconStop);
}

}  // namespace kit
