// The wizard driven headless as a person would: pages come up in their
// frame, buttons are pressed through their peers, cancels ask the driver.
#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <optional>

#include "dialogs/base_during_copy_form.h"
#include "dialogs/base_form_container.h"
#include "dialogs/base_install_form.h"
#include "dialogs/pages/open_folder_dialog.h"
#include "dialogs/pages/wizard_test_support.h"
#include "files/file_status_parameter.h"
#include "files/install_engine.h"
#include "files/install_file.h"
#include "model/disk_parameter.h"
#include "model/errors.h"
#include "model/parameter_list.h"
#include "platform/current_platform.h"
#include "platform/fault_platform.h"
#include "platform/testing/test_machine.h"
#include "ui/controls/panel.h"
#include "ui/controls/progress_bar.h"
#include "ui/testing/headless_app.h"

namespace kit {
namespace {

using testing::Tr;

HeadlessPeer& PeerOf(TControl& c) { return dynamic_cast<HeadlessPeer&>(*c.PeerIfMade()); }

// The control of the page in front (or of a plain form).
TControl& Find(TForm& form, const char* name) {
  TControlParent* where = &form;
  if (auto* frame = dynamic_cast<TBaseFormContainer*>(&form)) where = frame->CurrentPage()->Host();
  TControl* c = where->FindControl(name);
  if (c == nullptr) throw Exception(std::string("no control ") + name + " on " + form.Caption());
  return *c;
}

// Whatever comes up modally (a wizard page, a prompt) gets the next step.
class User {
 public:
  explicit User(HeadlessBackend& backend) : backend_(backend) {
    backend.on_modal = [this](TForm& form) {
      seen.push_back(form.Caption());
      if (steps.empty()) return;
      auto step = std::move(steps.front());
      steps.pop_front();
      TForm* f = &form;
      backend_.Post([step, f] { step(*f); });
    };
  }
  void Then(std::function<void(TForm&)> step) { steps.push_back(std::move(step)); }
  void Press(const char* name) {
    Then([name](TForm& f) { PeerOf(Find(f, name)).Press(); });
  }

  std::deque<std::function<void(TForm&)>> steps;
  std::vector<std::string> seen;

 private:
  HeadlessBackend& backend_;
};

class WizardFlowTest : public ::testing::Test {
 protected:
  WizardFlowTest()
      : machine_(testing::NewTestMachine()), faults_(machine_->platform()), scope_(faults_), user_(app_.backend()) {}
  ~WizardFlowTest() override { ResetInstallEngine(); }

  testing::HeadlessApp app_;
  std::unique_ptr<testing::TestMachine> machine_;
  FaultPlatform faults_;
  ScopedPlatform scope_;
  testing::WizardSetup setup_;
  User user_;
};

TEST_F(WizardFlowTest, WelcomeLicenceCopyingAndGoodInstallStartingTheProgram) {
  std::vector<std::string> states;
  auto note = [&](TForm& f) {
    states.push_back(Find(f, "BackBtn").Visible() ? "back" : "no back");
    EXPECT_TRUE(PeerOf(Find(f, "ProceedBtn")).Focused()) << f.Caption();
  };
  user_.Then([&](TForm& f) { note(f); PeerOf(Find(f, "ProceedBtn")).Press(); });
  user_.Then([&](TForm& f) { note(f); PeerOf(Find(f, "BackBtn")).Press(); });
  user_.Then([&](TForm& f) { PeerOf(Find(f, "ProceedBtn")).Press(); });
  user_.Then([&](TForm& f) { PeerOf(Find(f, "ProceedBtn")).Press(); });
  setup_.Raise("eccBeginningDialogManager");
  EXPECT_EQ(user_.seen, (std::vector<std::string>{"Tavrix for Windows", "Software license agreement",
                                                  "Tavrix for Windows", "Software license agreement"}));
  EXPECT_EQ(states, (std::vector<std::string>{"no back", "back"}));
  EXPECT_EQ(ActiveWizardFrame(), nullptr);

  // Copying: one progress form, its bars and file name following the reports.
  std::vector<std::string> shown;
  for (int i = 1; i <= 3; ++i) {
    TFileStatusParameter status;
    status.FileName = "TAVRIX" + std::to_string(i) + ".DLL";
    status.FilePercentDone = 100;
    status.TotalPercentDone = i * 33;
    setup_.Raise("CopyingFile", &status);
    auto& open = setup_.presenter.OpenForms(*setup_.managers[dmDuringCopyFiles]);
    ASSERT_EQ(open.size(), 1u);
    TForm& form = *open[0];
    EXPECT_TRUE(form.Visible());
    shown.push_back(Find(form, "lblCopyingFile").Text() + " " +
                    std::to_string(PeerOf(Find(form, "ProgressBar2")).Look().position));
  }
  EXPECT_EQ(shown, (std::vector<std::string>{"TAVRIX1.DLL 33", "TAVRIX2.DLL 66", "TAVRIX3.DLL 99"}));
  setup_.Raise("DoneCopyingFiles");
  EXPECT_TRUE(setup_.presenter.OpenForms(*setup_.managers[dmDuringCopyFiles]).empty());

  // The good-install page: Finish alone, focused; it starts the program.
  user_.Then([&](TForm& f) {
    EXPECT_FALSE(Find(f, "BackBtn").Visible());
    EXPECT_FALSE(Find(f, "ProceedBtn").Visible());
    EXPECT_TRUE(PeerOf(Find(f, "FinishBtn")).Focused());
    EXPECT_EQ(Find(f, "FinishBtn").Text(), "Devam");
    PeerOf(Find(f, "FinishBtn")).Press();
  });
  setup_.Raise("eccGoodInstallDialogManager");
  EXPECT_EQ(user_.seen.back(), Tr("Install Tamamlandı"));
  EXPECT_EQ(faults_.Calls("Procs.RunAndWait"), 1);
}

TEST_F(WizardFlowTest, AProgramThatCannotStartIsPassedOver) {
  faults_.FailNth("Procs.RunAndWait", 1, 2);
  user_.Press("FinishBtn");
  setup_.Raise("eccGoodInstallDialogManager");
  EXPECT_EQ(user_.seen.size(), 1u);
  EXPECT_EQ(faults_.Calls("Procs.RunAndWait"), 1);
}

TEST_F(WizardFlowTest, CancelAsksTheDriverAndEndsTheWizardOnlyOnYes) {
  setup_.driver.abort_answer = false;
  user_.Then([&](TForm& f) {
    PeerOf(Find(f, "CancelBtn")).Press();
    EXPECT_EQ(f.ModalResult(), mr::kNone);
    setup_.driver.abort_answer = true;
    PeerOf(Find(f, "CancelBtn")).Press();
  });
  EXPECT_THROW(setup_.Raise("eccBeginningDialogManager"), EAIUserAbort);
  EXPECT_EQ(setup_.driver.abort_questions, 2);

  // The progress form: its result is cancel whatever the answer; the
  // engine stops only on yes.
  TFileStatusParameter status;
  setup_.Raise("CopyingFile", &status);
  TForm& copy = *setup_.presenter.OpenForms(*setup_.managers[dmDuringCopyFiles])[0];
  setup_.driver.abort_answer = false;
  InstallEngine().SetAbort(false);
  PeerOf(Find(copy, "CancelBtn")).Press();
  EXPECT_EQ(copy.ModalResult(), mr::kCancel);
  EXPECT_FALSE(InstallEngine().Abort());
  setup_.driver.abort_answer = true;
  PeerOf(Find(copy, "CancelBtn")).Press();
  EXPECT_TRUE(InstallEngine().Abort());
  InstallEngine().SetAbort(false);
}

TEST_F(WizardFlowTest, ChangeDiskPromptBrowsesAndGoesOnOrCancels) {
  TInstallFile file(nullptr);
  TDiskParameter disk(2, "A:");
  TParameterList list{&file, &disk};
  TOpenFolderDialog::SetScript([] { return std::optional<std::string>("C:\\DISK2"); });
  user_.Then([&](TForm& f) {
    EXPECT_EQ(Find(f, "PromptDiskLabel").Text(), Tr("Lütfen 2 Numaralı Disketi Takın!"));
    EXPECT_EQ(Find(f, "PathEdit").Text(), "A:");
    EXPECT_TRUE(PeerOf(Find(f, "InstallBtn")).Focused());
    PeerOf(Find(f, "BrowseBtn")).Press();
    EXPECT_EQ(Find(f, "PathEdit").Text(), "C:\\DISK2");
    PeerOf(Find(f, "InstallBtn")).Press();
  });
  setup_.Raise("ChangeDisk", &list);
  EXPECT_EQ(user_.seen, std::vector<std::string>{"Tavrix for Windows"});
  EXPECT_EQ(disk.Path(), "C:\\DISK2");
  EXPECT_EQ(file.Tag(), 1);

  // A cancelled browser leaves the path; Vazgeç ends the installation.
  TOpenFolderDialog::SetScript([] { return std::nullopt; });
  user_.Then([&](TForm& f) {
    PeerOf(Find(f, "BrowseBtn")).Press();
    EXPECT_EQ(Find(f, "PathEdit").Text(), "C:\\DISK2");
    PeerOf(Find(f, "CancelBtn")).Press();
  });
  EXPECT_THROW(setup_.Raise("ChangeDisk", &list), EAIUserAbort);
  EXPECT_EQ(disk.Path(), "C:\\DISK2");
  TOpenFolderDialog::SetScript(nullptr);
}

TEST_F(WizardFlowTest, BadInstallPageEndsWithBitirAndRebootShowsNothing) {
  user_.Then([&](TForm& f) {
    EXPECT_EQ(Find(f, "TopLabel").Text(), Tr("Tavrix Yükleme İşlemi Tamamlanamadı!"));
    EXPECT_EQ(Find(f, "FinishBtn").Text(), "Bitir");
    PeerOf(Find(f, "FinishBtn")).Press();
  });
  setup_.Raise("eccBadInstallDialogManager");
  setup_.Raise("ShutDownDialog");
  EXPECT_EQ(user_.seen, std::vector<std::string>{Tr("Install Tamamlanamadı")});
}

}  // namespace
}  // namespace kit
