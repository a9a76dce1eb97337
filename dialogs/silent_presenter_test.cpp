// The silent presenter: the pages of a manager are never shown (a page that
// would cancel cannot), progress is shown only in the silent mode, and the
// presenter it replaced comes back afterwards.
#include "dialogs/silent_presenter.h"

#include <gtest/gtest.h>

#include "base/component.h"
#include "files/file_status_parameter.h"
#include "model/disk_parameter.h"

namespace kit {
namespace {

// A presenter whose wizard would cancel.
class CancellingPresenter : public DialogPresenter {
 public:
  DialogResult RunWizard(TDialogManager&) override { return ++wizards, DialogResult::kAbort; }
  int OpenProgressForms(TDialogManager&) override { return ++opened, 1; }
  void UpdateProgressForms(TDialogManager&, TFileStatusParameter&) override { ++updates; }
  void CloseProgressForms(TDialogManager&) override {}
  DialogResult ShowChangeDisk(TDialogManager&, TDiskParameter&) override { return ++disks, DialogResult::kAbort; }
  int wizards = 0, opened = 0, updates = 0, disks = 0;
};

class SilentPresenterTest : public ::testing::Test {
 protected:
  SilentPresenterTest() {
    SetDialogPresenter(&inner);
    manager.SetName("WelcomeDM");
    manager.AddDialog(&page);
  }
  ~SilentPresenterTest() override { SetDialogPresenter(nullptr); }
  void CopyTwoFiles() {
    TFileStatusParameter status;
    copy.SetManagerType(dmDuringCopyFiles);
    copy.HandleInformationEvent(nullptr, "CopyingFile", &status);
    copy.HandleInformationEvent(nullptr, "CopyingFile", &status);
    copy.HandleInformationEvent(nullptr, "DoneCopyingFiles", nullptr);
  }
  CancellingPresenter inner;
  TComponent page{nullptr};
  TDialogManager manager{nullptr};
  TDialogManager copy{nullptr};
};

TEST_F(SilentPresenterTest, SilentRunsSkipThePagesAndKeepTheProgress) {
  {
    SilentPresenter::Scope silent(true);
    EXPECT_NO_THROW(manager.HandleInformationEvent(nullptr, "eccBeginningDialogManager", nullptr));
    EXPECT_EQ(inner.wizards, 0);
    CopyTwoFiles();
    EXPECT_EQ(inner.opened, 1);
    EXPECT_EQ(inner.updates, 2);
    TDiskParameter disk(2, "D:\\");
    EXPECT_EQ(CurrentDialogPresenter()->ShowChangeDisk(manager, disk), DialogResult::kOk);
    EXPECT_EQ(disk.Path(), "D:\\");
    EXPECT_EQ(inner.disks, 0);
  }
  EXPECT_EQ(CurrentDialogPresenter(), &inner);
}

TEST_F(SilentPresenterTest, VerySilentRunsShowNoProgressAndAttendedOnesAreUntouched) {
  {
    SilentPresenter::Scope very_silent(false);
    CopyTwoFiles();
    EXPECT_EQ(inner.opened, 0);
  }
  SilentPresenter::Scope attended(false, false);
  EXPECT_EQ(CurrentDialogPresenter(), &inner);
}

}  // namespace
}  // namespace kit
