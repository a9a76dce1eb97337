#include "ui/controls/label.h"

#include <gtest/gtest.h>

#include "ui/form.h"
#include "ui/testing/headless_app.h"

namespace kit {
namespace {

// Headless text: a character 7 pixels wide and a line 14 high at height -11,
// 13 wide and 29 high at -22.
class LabelAutoSizeTest : public ::testing::Test {
 protected:
  LabelAutoSizeTest() : form_(new TForm(&Application())), label_(new TLabel(form_)) {
    label_->SetParent(form_);
    label_->SetBounds(10, 20, 65, 13);
    form_->Show();
  }
  std::vector<int> Bounds() const { return {label_->Left(), label_->Top(), label_->Width(), label_->Height()}; }

  testing::HeadlessApp app_;
  TForm* form_;
  TLabel* label_;
};

TEST_F(LabelAutoSizeTest, TakesTheSizeOfItsTextAndFont) {
  label_->SetCaption("Abc");
  EXPECT_EQ(Bounds(), (std::vector<int>{10, 20, 21, 14}));
  label_->Font().SetHeight(-22);
  EXPECT_EQ(Bounds(), (std::vector<int>{10, 20, 39, 29}));
  label_->SetCaption("Two\r\nlines");
  EXPECT_EQ(Bounds(), (std::vector<int>{10, 20, 65, 58}));
  // The peer shows the new size too.
  EXPECT_EQ(dynamic_cast<HeadlessPeer&>(*label_->PeerIfMade()).Look().width, 65);
}

TEST_F(LabelAutoSizeTest, WrappedKeepsItsWidthRightAlignedItsRightEdge) {
  label_->SetAlignment(taRightJustify);
  label_->SetCaption("Abc");
  EXPECT_EQ(Bounds(), (std::vector<int>{54, 20, 21, 14}));  // right edge stays at 75
  label_->SetAlignment(taLeftJustify);
  label_->SetWidth(70);  // ten characters a line
  label_->SetWordWrap(true);
  label_->SetCaption("one two three four");
  EXPECT_EQ(Bounds(), (std::vector<int>{54, 20, 70, 28}));
}

TEST_F(LabelAutoSizeTest, OffKeepsItsBounds) {
  label_->SetAutoSize(false);
  label_->SetCaption("A much longer caption than the label");
  label_->Font().SetHeight(-30);
  EXPECT_EQ(Bounds(), (std::vector<int>{10, 20, 65, 13}));
  label_->SetAutoSize(true);
  EXPECT_EQ(label_->Width(), 36 * 18);
}

}  // namespace
}  // namespace kit
