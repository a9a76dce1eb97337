#include "dialogs/backdrop.h"

#include <gtest/gtest.h>

#include "base/class_registry.h"
#include "base/form_reader.h"
#include "base/form_writer.h"
#include "dialogs/backdrop_controls.h"
#include "ui/form.h"
#include "ui/testing/headless_app.h"
#include "ui/ui_classes.h"

namespace kit {
namespace {

constexpr TColor kBlack = 0x000000, kBlueRgb = 0xFF0000;  // 0x00BBGGRR

class BackdropTest : public ::testing::Test {
 protected:
  BackdropTest() {
    RegisterUiClasses(classes_);
    RegisterBackdropControls(classes_);
  }
  // A form of the given client size holding one backdrop.
  TBackdrop& Make(int width, int height, const std::string& props) {
    const std::string text = "object F: TForm\n  ClientWidth = " + std::to_string(width) +
                             "\n  ClientHeight = " + std::to_string(height) +
                             "\n  object Back: TBackdrop\n" + props + "  end\nend\n";
    form_.reset(dynamic_cast<TForm*>(FormReader(classes_).Read(text, "back.dfm").release()));
    form_->Show();
    return *dynamic_cast<TBackdrop*>(form_->FindControl("Back"));
  }
  static HeadlessPeer& PeerOf(TControl& c) { return dynamic_cast<HeadlessPeer&>(*c.PeerIfMade()); }
  static const ImageSurface& ImageOf(TControl& c) { return *PeerOf(c).Image(); }

  testing::HeadlessApp app_;
  ClassRegistry classes_;
  std::unique_ptr<TForm> form_;
};

TEST_F(BackdropTest, DownFillsTheFormBlackAtTopToBlueAtBottom) {
  TBackdrop& back = Make(120, 256, "    Direction = bdDown\n");
  EXPECT_EQ((std::vector<int>{back.Left(), back.Top(), back.Width(), back.Height()}),
            (std::vector<int>{0, 0, 120, 256}));
  const ImageSurface& image = ImageOf(back);
  ASSERT_EQ(image.Width(), 120);
  ASSERT_EQ(image.Height(), 256);
  EXPECT_EQ(image.Pixel(0, 0), kBlack);
  EXPECT_EQ(image.Pixel(119, 255), kBlueRgb);
  // Row n holds band n: blue 255 * n / 255, rounded, the same across the row.
  EXPECT_EQ(image.Pixel(0, 100), 100 << 16);
  EXPECT_EQ(image.Pixel(119, 100), 100 << 16);
}

TEST_F(BackdropTest, MirroredDirectionsPutStartAtBothEdges) {
  TBackdrop& back = Make(40, 256, "    Direction = bdHorzOut\n");
  const ImageSurface& image = ImageOf(back);
  EXPECT_EQ(image.Pixel(5, 0), kBlueRgb);
  EXPECT_EQ(image.Pixel(5, 255), kBlueRgb);
  EXPECT_EQ(image.Pixel(5, 127), kBlack);
  EXPECT_EQ(image.Pixel(5, 128), kBlack);

  back.SetDirection(bdVertIn);  // columns, the start colour at both edges
  back.SetStartColor(bcRed);
  back.SetEndColor(bcWhite);
  form_->SetClientWidth(256);
  const ImageSurface& vertical = ImageOf(back);
  EXPECT_EQ(vertical.Pixel(0, 10), 0x0000FF);
  EXPECT_EQ(vertical.Pixel(255, 10), 0x0000FF);
  EXPECT_EQ(vertical.Pixel(127, 10), 0xFFFFFF);
}

TEST_F(BackdropTest, OnePixelHighControlStillPaintsItsRow) {
  TBackdrop& back = Make(30, 1, "");
  // Only band 127 is not empty: blue 255 + (0 - 255) * 127 / 255 = 128.
  EXPECT_EQ(ImageOf(back).Pixel(0, 0), 128 << 16);
  EXPECT_EQ(ImageOf(back).Pixel(29, 0), 128 << 16);
  form_->SetClientHeight(0);
  EXPECT_EQ(ImageOf(back).Height(), 0);
}

TEST_F(BackdropTest, RepaintsOnlyWhenAValueChanges) {
  TBackdrop& back = Make(10, 256, "");
  const int before = PeerOf(back).PaintCount();
  back.SetDirection(bdUp);
  back.SetStartColor(bcBlue);
  back.SetEndColor(bcBlack);
  EXPECT_EQ(PeerOf(back).PaintCount(), before);
  back.SetEndColor(bcYellow);
  EXPECT_EQ(PeerOf(back).PaintCount(), before + 1);
  EXPECT_EQ(ImageOf(back).Pixel(0, 255), 0x00FFFF);
}

TEST_F(BackdropTest, StoredFormWritesBackAndRejectsUnknownColours) {
  Make(50, 50, "    Direction = bdLeft\n    StartColor = bcAqua\n    EndColor = bcFuchsia\n");
  const std::string written = FormWriter(classes_).Write(form_.get());
  EXPECT_NE(written.find("Direction = bdLeft"), std::string::npos) << written;
  EXPECT_NE(written.find("StartColor = bcAqua"), std::string::npos) << written;
  auto again = FormReader(classes_).Read(written, "again.dfm");
  EXPECT_EQ(FormWriter(classes_).Write(again.get()), written);
  try {
    Make(50, 50, "    StartColor = bcPurple\n");
    FAIL() << "an unknown colour was taken";
  } catch (const std::exception& e) {
    EXPECT_NE(std::string(e.what()).find("StartColor"), std::string::npos) << e.what();
  }
}

}  // namespace
}  // namespace kit
