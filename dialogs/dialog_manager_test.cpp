#include "dialogs/dialog_manager.h"

#include <gtest/gtest.h>

#include <memory>

#include "files/file_status_parameter.h"
#include "files/install_file.h"
#include "model/disk_parameter.h"
#include "model/errors.h"
#include "model/parameter_list.h"

namespace kit {
namespace {

class RecordingPresenter : public DialogPresenter {
 public:
  DialogResult RunWizard(TDialogManager& m) override {
    ++wizards;
    seen_current = CurrentDialogManager() == &m;
    return wizard_result;
  }
  int OpenProgressForms(TDialogManager&) override { return ++opened, 1; }
  void UpdateProgressForms(TDialogManager&, TFileStatusParameter&) override { ++updates; }
  void CloseProgressForms(TDialogManager&) override { ++closed; }
  DialogResult ShowChangeDisk(TDialogManager&, TDiskParameter& disk) override {
    disk.SetPath("B:\\");
    return disk_result;
  }
  DialogResult wizard_result = DialogResult::kOk;
  DialogResult disk_result = DialogResult::kOk;
  int wizards = 0, opened = 0, updates = 0, closed = 0;
  bool seen_current = false;
};

class DialogManagerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetDialogPresenter(&presenter);
    manager.SetName("GoodDM");
  }
  void TearDown() override { SetDialogPresenter(nullptr); }
  std::string Error(const std::string& event, TParameterObject* parameter) {
    try {
      manager.HandleInformationEvent(nullptr, event, parameter);
    } catch (const Exception& e) {
      return e.Message();
    }
    return "";
  }
  RecordingPresenter presenter;
  TDialogManager manager{nullptr};
};

TEST_F(DialogManagerTest, AnswersOnlyTheEventOfItsType) {
  manager.SetManagerType(dmAfterGoodInstall);
  manager.HandleInformationEvent(nullptr, "eccBeginningDialogManager", nullptr);
  manager.HandleInformationEvent(nullptr, "SomethingElse", nullptr);
  EXPECT_EQ(presenter.wizards, 0);
  manager.HandleInformationEvent(nullptr, "ECCGOODINSTALLDIALOGMANAGER", nullptr);
  EXPECT_EQ(presenter.wizards, 1);
  EXPECT_TRUE(presenter.seen_current);
  EXPECT_EQ(CurrentDialogManager(), nullptr);

  presenter.wizard_result = DialogResult::kAbort;
  EXPECT_THROW(manager.HandleInformationEvent(nullptr, "eccGoodInstallDialogManager", nullptr),
               EAIUserAbort);
  EXPECT_EQ(CurrentDialogManager(), nullptr);
  presenter.wizard_result = DialogResult::kNothingShown;
  manager.SetManagerType(dmReboot);
  EXPECT_NO_THROW(manager.HandleInformationEvent(nullptr, "ShutDownDialog", nullptr));
}

TEST_F(DialogManagerTest, ProgressFormsOpenOncePerCopyRun) {
  manager.SetManagerType(dmDuringCopyFiles);
  TFileStatusParameter status;
  manager.HandleInformationEvent(nullptr, "CopyingFile", &status);
  manager.HandleInformationEvent(nullptr, "CopyingFile", &status);
  EXPECT_EQ(presenter.opened, 1);
  EXPECT_EQ(presenter.updates, 2);
  manager.HandleInformationEvent(nullptr, "DoneCopyingFiles", nullptr);
  EXPECT_EQ(presenter.closed, 1);
  manager.HandleInformationEvent(nullptr, "CopyingFile", &status);
  EXPECT_EQ(presenter.opened, 2);

  TDiskParameter wrong;
  EXPECT_EQ(Error("CopyingFile", nullptr),
            "Got a nil TFileStatusParameter object in the eccCopyingFile of DialogManager GoodDM");
  EXPECT_EQ(Error("CopyingFile", &wrong),
            "Got a non TFileStatusParameter object in the eccCopyingFile of DialogManager GoodDM");
}

TEST_F(DialogManagerTest, ChangeDiskChecksItsParametersAndMarksTheFile) {
  manager.SetManagerType(dmChangeDisk);
  TInstallFile file(nullptr);
  TDiskParameter disk(2, "A:\\");
  TParameterList good{&file, &disk};
  manager.HandleInformationEvent(nullptr, "ChangeDisk", &good);
  EXPECT_EQ(file.Tag(), 1);
  EXPECT_EQ(disk.Path(), "B:\\");

  presenter.disk_result = DialogResult::kAbort;
  EXPECT_THROW(manager.HandleInformationEvent(nullptr, "ChangeDisk", &good), EAIUserAbort);
  EXPECT_EQ(CurrentDialogManager(), nullptr);

  TParameterList short_list{&file};
  TParameterList swapped{&disk, &file};
  TParameterList bad_second{&file, &file};
  EXPECT_EQ(Error("ChangeDisk", nullptr),
            "The ParameterObject is Nil in the TDialogManager. Cannot show the change disk form");
  EXPECT_EQ(Error("ChangeDisk", &disk), "TChangeDiskDlg--PO is not a TList object");
  EXPECT_EQ(Error("ChangeDisk", &short_list),
            "TChangeDiskDlg--Not engouh parameters for status event");
  EXPECT_EQ(Error("ChangeDisk", &swapped), "TChangeDiskDlg says bad first parameter");
  EXPECT_EQ(Error("ChangeDisk", &bad_second), "TChangeDiskDlg says bad second parameter");
}

TEST_F(DialogManagerTest, AttachedDialogsLeaveWhenDestroyed) {
  EXPECT_THROW(manager.AddDialog(nullptr), Exception);
  try {
    manager.AddDialog(nullptr);
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "Cannot add a NIL Dialog to the Dialog Manager GoodDM");
  }
  auto dialog = std::make_unique<TComponent>(nullptr);
  manager.AddDialog(dialog.get());
  manager.AddDialog(dialog.get());
  EXPECT_EQ(manager.Dialogs().size(), 1u);
  dialog.reset();
  EXPECT_TRUE(manager.Dialogs().empty());
}

}  // namespace
}  // namespace kit
