#include "ui/message_box.h"

#include <gtest/gtest.h>

#include "ui/testing/headless_app.h"

namespace kit {
namespace {

TEST(MessageBox, TheDefaultAnswerIsTheDefaultButton) {
  EXPECT_EQ(DefaultMessageBoxAnswer(mb::kOk), id::kOk);
  EXPECT_EQ(DefaultMessageBoxAnswer(mb::kOkCancel), id::kOk);
  EXPECT_EQ(DefaultMessageBoxAnswer(mb::kOkCancel | mb::kDefButton2), id::kCancel);
  EXPECT_EQ(DefaultMessageBoxAnswer(mb::kYesNoCancel | mb::kDefButton3 | mb::kIconQuestion), id::kCancel);
  EXPECT_EQ(DefaultMessageBoxAnswer(mb::kAbortRetryIgnore | mb::kDefButton2), id::kRetry);
  EXPECT_EQ(DefaultMessageBoxAnswer(mb::kYesNo | mb::kDefButton2), id::kNo);
  EXPECT_EQ(DefaultMessageBoxAnswer(mb::kRetryCancel), id::kRetry);
  // A default beyond the buttons falls back to the first.
  EXPECT_EQ(DefaultMessageBoxAnswer(mb::kYesNo | mb::kDefButton3), id::kYes);
  EXPECT_EQ(DefaultMessageBoxAnswer(mb::kOk | mb::kDefButton2), id::kOk);
}

TEST(MessageBox, HeadlessBoxesAreAnsweredByTheScriptAndRecorded) {
  testing::HeadlessApp app;
  app.backend().AnswerMessageBoxes({id::kNo, id::kCancel});
  EXPECT_EQ(ShowMessageBox("Replace?", "Setup", mb::kYesNo), id::kNo);
  EXPECT_EQ(ShowMessageBox("Insert disk 2", "Setup", mb::kOkCancel), id::kCancel);
  EXPECT_EQ(ShowMessageBox("Done", "Setup", mb::kOk), id::kOk);  // script used up
  app.backend().on_message_box = [](const ShownMessageBox& box) {
    return box.text == "Retry?" ? id::kRetry : id::kCancel;
  };
  EXPECT_EQ(ShowMessageBox("Retry?", "Setup", mb::kRetryCancel), id::kRetry);
  const auto& boxes = app.backend().MessageBoxes();
  ASSERT_EQ(boxes.size(), 4u);
  EXPECT_EQ(boxes[1].text, "Insert disk 2");
  EXPECT_EQ(boxes[1].flags, mb::kOkCancel);
  EXPECT_EQ(boxes[1].answer, id::kCancel);
  EXPECT_EQ(boxes[2].answer, id::kOk);
}

}  // namespace
}  // namespace kit
