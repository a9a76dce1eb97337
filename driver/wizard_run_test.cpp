// The driver's run with the installer's real pages: the wizards come up at
// their events, a cancel asks OnUserAbort, a corrupt archive ends on the
// bad-install page.
#include <algorithm>
#include <deque>
#include <functional>

#include "dialogs/base_form_container.h"
#include "dialogs/base_install_form.h"
#include "dialogs/dialog_manager.h"
#include "dialogs/pages/installer_pages.h"
#include "dialogs/widget_dialog_presenter.h"
#include "driver/install.h"
#include "driver/testing/driver_fixture.h"
#include "files/install_file.h"
#include "ui/controls/panel.h"

namespace kit {
namespace {

using testing::DriverTest;

class WizardRunTest : public DriverTest {
 protected:
  WizardRunTest() {
    RegisterInstallerPages();
    SetDialogPresenter(&presenter_);
    backend().on_modal = [this](TForm& form) {
      seen_.push_back(form.Caption());
      if (presses_.empty()) return;
      std::vector<const char*> names = presses_.front();
      presses_.pop_front();
      TForm* f = &form;
      backend().Post([f, names] {
        auto* frame = dynamic_cast<TBaseFormContainer*>(f);
        TBaseInstallForm* page = frame->CurrentPage();
        for (const char* name : names) {
          TControl* c = page->Host()->FindControl(name);
          dynamic_cast<HeadlessPeer&>(*c->PeerIfMade()).Press();
        }
      });
    };
  }
  ~WizardRunTest() override { SetDialogPresenter(nullptr); }

  // The driver with its six managers and, with an archive, one file in it.
  void MakeRun(const std::string& archive = "") {
    Make([&](TInstall& i, TForm& f) {
      for (int t = dmBeforeInstall; t <= dmReboot; ++t) {
        auto* m = new TDialogManager(&f);
        m->SetName("DialogManager" + std::to_string(t + 1));
        m->SetManagerType(static_cast<TManagerType>(t));
        m->SetContainer(&i);
      }
      i.SetDestDirType(ddAbsolute);
      i.SetDestDir(Dir() + "\\Dest");
      if (archive.empty()) return;
      i.SetArchiveFileType(ddAbsolute);
      i.SetArchiveFile(archive);
      auto* file = new TInstallFile(&f);
      file->SetName("InstallFile1");
      file->SetContainer(&i);
      file->SetFileName("TAVRIX.EXE");
      file->SetArchiveFileType(ddContainerArchiveFile);
      file->SetDestDirType(ddContainerDestDir);
    });
  }

  WidgetDialogPresenter presenter_;
  std::deque<std::vector<const char*>> presses_;
  std::vector<std::string> seen_;
};

TEST_F(WizardRunTest, ACorruptArchiveEndsOnTheBadInstallPage) {
  const std::string archive = Dir() + "\\files.1";
  {
    auto f = platform_.Files().Open(archive, FileAccess::kWrite, share::kAll, Disposition::kCreateAlways);
    uint32_t written = 0;
    ASSERT_TRUE(f && f->Write("this is no archive at all", 25, &written));
  }
  MakeRun(archive);
  presses_ = {{"FinishBtn"}};
  Application().Run();
  EXPECT_EQ(seen_, std::vector<std::string>{"Install Tamamlanamad\xFD"});
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0],
            "Could not read the file headers for the compressed file. The Archive file could possible be corrupt.");
  EXPECT_FALSE(install_->Running());
}

TEST_F(WizardRunTest, CancelOnTheWelcomePageAsksOnUserAbort) {
  // No: the page stays and the wizard goes on to the good ending.
  MakeRun();
  abort_answer_ = false;
  presses_ = {{"CancelBtn", "ProceedBtn"}, {"ProceedBtn"}, {"FinishBtn"}};
  Application().Run();
  ASSERT_EQ(seen_.size(), 3u);
  EXPECT_EQ(seen_[0], "Tavrix for Windows");
  EXPECT_EQ(seen_[1], "Software license agreement");
  EXPECT_EQ(seen_[2], "Install Tamamland\xFD");
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(WizardRunTest, CancelAnsweredYesEndsTheRunAsAbortedOnTheBadInstallPage) {
  MakeRun();
  abort_answer_ = true;
  presses_ = {{"CancelBtn"}, {"FinishBtn"}};
  Application().Run();
  EXPECT_EQ(seen_, (std::vector<std::string>{"Tavrix for Windows", "Install Tamamlanamad\xFD"}));
  EXPECT_TRUE(Boxes().empty());  // the abort message itself is not shown
  EXPECT_TRUE(Application().Terminated());
  EXPECT_NE(std::find(record_.begin(), record_.end(), "OnUserAbort True"), record_.end());
}

}  // namespace
}  // namespace kit
