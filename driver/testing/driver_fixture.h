// The setting of the driver's tests: a driver platform made current, a
// headless application, and a main form carrying a TInstall with a
// recording dialog of rank 9000 among its helpers. Every hook of the driver
// writes into the same record as the dialog, so a test reads one sequence.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "driver/driver_seams.h"
#include "driver/install.h"
#include "driver/testing/driver_platform.h"
#include "model/reboot_needed.h"
#include "model/testing/test_components.h"
#include "platform/current_platform.h"
#include "ui/form.h"
#include "ui/testing/headless_app.h"

namespace kit::testing {

// The link the restart-link seam makes in the tests.
class RecordingLink : public TemporaryShellLink {
 public:
  RecordingLink(Record* record, std::string folder) : record_(record), folder_(std::move(folder)) {}
  void SetDestination(TPathSpecifiers type, const std::string& dir) override {
    record_->push_back("link destination " + std::to_string(type) + " '" + dir + "'");
  }
  std::string DestinationFolder() override { return folder_; }
  std::string LinkName() override { return "INSTALL.LNK"; }
  void Create() override { record_->push_back("link created"); }

 private:
  Record* record_;
  std::string folder_;
};

class DriverTest : public ::testing::Test {
 protected:
  DriverTest() : scoped_(platform_) {
    platform_.arguments = {"C:\\Source"};
    SetRebootNeeded(false);
    Seams() = DriverSeams();
    platform_.Reg().DeleteKeyTree(RegRoot::kLocalMachine, kUnfinishedInstallKey);
    platform_.Files().MakeDirectories(Dir());
    Touch(platform_.exe_path);
  }
  ~DriverTest() override {
    Application().DestroyComponents();
    platform_.Reg().DeleteKeyTree(RegRoot::kLocalMachine, kUnfinishedInstallKey);
    Seams() = DriverSeams();
    SetRebootNeeded(false);
  }

  // The installer's directory.
  std::string Dir() { return platform_.Scratch() + "\\Setup Temp"; }
  void Touch(const std::string& path) {
    auto f = platform_.Files().Open(path, FileAccess::kWrite, share::kAll, Disposition::kCreateAlways);
    ASSERT_TRUE(f) << path;
  }
  bool Exists(const std::string& path) { return platform_.Files().Exists(path); }

  // Makes the main form with the driver (named Install1, product "Tavrix
  // for Windows") and a recording dialog; `configure` runs while loading.
  void Make(const std::function<void(TInstall&, TForm&)>& configure = nullptr) {
    Application().CreateForm([&](TComponent* owner) {
      form_ = new TForm(owner);
      form_->SetName("Form1");
      install_ = new TInstall(form_);
      install_->SetLoading(true);
      install_->SetName("Install1");
      install_->Information().SetProductName("Tavrix for Windows");
      dialog_ = new TRecordingDialog(form_, "Dlg", &record_);
      dialog_->SetContainer(install_);
      Hook(*install_);
      if (configure) configure(*install_, *form_);
      install_->Loaded();
      return form_;
    });
  }
  // Every hook of the driver notes itself.
  void Hook(TInstall& i) {
    auto note = [this](const char* what) { return [this, what](TComponent*) { record_.push_back(what); }; };
    i.on_before_read_archive_info = note("OnBeforeReadArchiveInfo");
    i.on_after_read_archive_info = note("OnAfterReadArchiveInfo");
    i.on_start_install = note("OnStartInstall");
    i.on_show_good_install = note("OnShowGoodInstall");
    i.on_show_bad_install = note("OnShowBadInstall");
    i.SetOnBeforeProcess([this](TInstallContainer*) { record_.push_back("OnBeforeProcess"); });
    i.SetOnAfterProcess([this](TInstallContainer*) { record_.push_back("OnAfterProcess"); });
    i.SetOnShowInstallTypeDlg([this](TInstallContainer*) { record_.push_back("OnShowInstallTypeDlg"); });
    auto flag = [this](const char* what, bool* answer) {
      return [this, what, answer](TInstall*, bool& f) {
        record_.push_back(std::string(what) + (f ? " True" : " False"));
        f = *answer;
      };
    };
    i.on_cleanup = flag("OnCleanup", &cleanup_answer_);
    i.on_reboot_windows = flag("OnRebootWindows", &reboot_answer_);
    i.on_before_terminate_app = flag("OnBeforeTerminateApp", &terminate_answer_);
    i.on_user_abort = flag("OnUserAbort", &abort_answer_);
  }
  // The record without the dialog's "from Install1".
  std::vector<std::string> Events() const {
    std::vector<std::string> out;
    const std::string tail = " from Install1";
    for (std::string line : record_) {
      if (line.size() > tail.size() && line.compare(line.size() - tail.size(), tail.size(), tail) == 0)
        line.erase(line.size() - tail.size());
      out.push_back(line);
    }
    return out;
  }
  void UseRecordingLinks(const std::string& folder = "C:\\Startup Folder") {
    Seams().make_shell_link = [this, folder](TInstall& owner, const std::string& name,
                                             const std::string& target, const std::string& parameters) {
      record_.push_back("link " + name + " -> " + target + " " + parameters + " owned by " + owner.Name());
      return std::make_unique<RecordingLink>(&record_, folder);
    };
  }
  HeadlessBackend& backend() { return app_.backend(); }
  std::vector<std::string> Boxes() {
    std::vector<std::string> out;
    for (const auto& b : backend().MessageBoxes()) out.push_back(b.text);
    return out;
  }
  std::vector<std::pair<std::string, std::string>> UnfinishedValues() {
    std::vector<std::pair<std::string, std::string>> out;
    auto key = platform_.Reg().Open(RegRoot::kLocalMachine, kUnfinishedInstallKey, RegAccess::kRead, false);
    if (!key) return out;
    std::vector<std::string> names;
    key->ValueNames(&names);
    for (const auto& n : names) {
      RegValue v;
      key->Query(n, &v);
      out.emplace_back(n, v.AsString().value_or("?"));
    }
    return out;
  }

  DriverPlatform platform_;
  ScopedPlatform scoped_;
  HeadlessApp app_;
  Record record_;
  TForm* form_ = nullptr;
  TInstall* install_ = nullptr;
  TRecordingDialog* dialog_ = nullptr;
  bool cleanup_answer_ = true, reboot_answer_ = true, terminate_answer_ = true, abort_answer_ = true;
};

// The information events and hooks of a run up to the tree processing.
inline std::vector<std::string> RunStart() {
  return {"OnBeforeReadArchiveInfo",
          "Dlg hears eccBeforeReadArchiveInfo",
          "OnAfterReadArchiveInfo",
          "Dlg hears eccAfterReadArchiveInfo",
          "OnStartInstall",
          "Dlg hears eccStartingUp",
          "Dlg hears eccLanguageDialog",
          "Dlg hears eccWelcomeDialog",
          "Dlg hears eccLicenseAgreement",
          "Dlg hears eccReadmeDialog",
          "Dlg hears eccBeginningDialogManager",
          "OnBeforeProcess",
          "Dlg hears eccBeforeProcess",
          "OnShowInstallTypeDlg",
          "Dlg hears InstallTypeDialog",
          "Dlg hears eccBeforeInstallFileGroup"};
}

inline std::vector<std::string> operator+(std::vector<std::string> a, const std::vector<std::string>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

}  // namespace kit::testing
