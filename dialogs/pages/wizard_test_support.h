// What the page tests share: a driver whose OnUserAbort answer a test sets,
// the six dialog managers on it, and Turkish texts spelled in UTF-8.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "base/codepage.h"
#include "dialogs/dialog_manager.h"
#include "dialogs/pages/installer_pages.h"
#include "dialogs/widget_dialog_presenter.h"
#include "model/testing/test_components.h"

namespace kit::testing {

// A text of the pages as they hold it: code page 1254.
inline std::string Tr(const std::string& utf8) { return FromUtf8(utf8, 1254); }

class TAbortDriver : public TTestDriver {
 public:
  TAbortDriver() : TTestDriver(nullptr, "Install1") {}
  bool QueryUserAbort() override {
    ++abort_questions;
    return abort_answer;
  }
  bool abort_answer = true;
  int abort_questions = 0;
};

// The driver, its six managers (one per type, in type order) and the
// widget presenter, installed for the test's life.
class WizardSetup {
 public:
  WizardSetup() {
    RegisterInstallerPages();
    SetDialogPresenter(&presenter);
    for (int t = dmBeforeInstall; t <= dmReboot; ++t) {
      auto m = std::make_unique<TDialogManager>(nullptr);
      m->SetName("DialogManager" + std::to_string(t + 1));
      m->SetManagerType(static_cast<TManagerType>(t));
      m->SetContainer(&driver);
      managers.push_back(std::move(m));
    }
  }
  ~WizardSetup() {
    SetDialogPresenter(nullptr);
    managers.clear();
  }
  void Raise(const std::string& event, TParameterObject* parameter = nullptr) {
    driver.NotifyDialogs(&driver, event, parameter);
  }

  TAbortDriver driver;
  WidgetDialogPresenter presenter;
  std::vector<std::unique_ptr<TDialogManager>> managers;
};

}  // namespace kit::testing
