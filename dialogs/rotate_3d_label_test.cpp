#include "dialogs/rotate_3d_label.h"

#include <gtest/gtest.h>

#include "base/class_registry.h"
#include "base/form_reader.h"
#include "base/form_writer.h"
#include "dialogs/backdrop_controls.h"
#include "ui/form.h"
#include "ui/headless_metrics.h"
#include "ui/testing/headless_app.h"
#include "ui/ui_classes.h"

namespace kit {
namespace {

// The caption of the shipped main form, as it is stored.
constexpr const char kMainForm[] = R"(object Form1: TForm
  ClientWidth = 576
  ClientHeight = 400
  Caption = 'Tavrix for Windows'
  object Backdrop1: TBackdrop
    Direction = bdDown
  end
  object Title: TRotate3DLabel
    Left = 8
    Top = 8
    Width = 420
    Height = 60
    Caption = 'Tavrix for Windows Ver 1.1'
    Font.Charset = TURKISH_CHARSET
    Font.Color = clRed
    Font.Height = -27
    Font.Name = 'Arial'
    Font.Style = [fsBold]
    LabelStyle.AStyle3D = A3dResit
    LabelStyle.AShadeLTSet = False
    LabelStyle.AHShadeOffSet = -2
    LabelStyle.AVShadeOffSet = 2
  end
end
)";

class Rotate3DLabelTest : public ::testing::Test {
 protected:
  Rotate3DLabelTest() {
    RegisterUiClasses(classes_);
    RegisterBackdropControls(classes_);
    form_.reset(dynamic_cast<TForm*>(FormReader(classes_).Read(kMainForm, "main.dfm").release()));
    label_ = dynamic_cast<TRotate3DLabel*>(form_->FindControl("Title"));
    form_->Show();
  }
  const ImageSurface& Image() { return *dynamic_cast<HeadlessPeer&>(*label_->PeerIfMade()).Image(); }
  const std::vector<DrawnText>& Texts() { return Image().Texts(); }
  TextSize Measured() { return HeadlessTextSize(label_->Font(), label_->Caption()); }

  testing::HeadlessApp app_;
  ClassRegistry classes_;
  std::unique_ptr<TForm> form_;
  TRotate3DLabel* label_ = nullptr;
};

TEST_F(Rotate3DLabelTest, StoredSunkenCaptionIsCentredWithBothShades) {
  EXPECT_EQ(label_->LabelStyle().AStyle3D(), A3dResit);
  EXPECT_FALSE(label_->LabelStyle().AShadeLTSet());
  EXPECT_EQ(label_->LabelStyle().AHShadeOffSet(), -2);
  const TextSize size = Measured();
  const int x = 210 - size.width / 2, y = 30 - size.height / 2;
  const auto& texts = Texts();
  ASSERT_EQ(texts.size(), 3u);
  // Light shade down right, dark shade up left, then the caption in red.
  EXPECT_EQ((std::vector<int>{texts[0].x, texts[0].y, texts[0].color}), (std::vector<int>{x + 1, y + 1, 0xFFFFFF}));
  EXPECT_EQ((std::vector<int>{texts[1].x, texts[1].y, texts[1].color}), (std::vector<int>{x - 1, y - 1, 0x808080}));
  EXPECT_EQ((std::vector<int>{texts[2].x, texts[2].y, texts[2].color}), (std::vector<int>{x, y, 0x0000FF}));
  EXPECT_EQ(texts[2].text, "Tavrix for Windows Ver 1.1");
  EXPECT_EQ(texts[2].face, "Arial");
  EXPECT_EQ(texts[2].height, -27);
  EXPECT_EQ(texts[2].escapement, 0);

  // Raised swaps the shades.
  label_->LabelStyle().SetAStyle3D(A3dRaised);
  ASSERT_EQ(Texts().size(), 3u);
  EXPECT_EQ(Texts()[0].x, x - 1);
  EXPECT_EQ(Texts()[1].x, x + 1);
}

TEST_F(Rotate3DLabelTest, ShadowIsCastFiveRightAndFiveUp) {
  TLabelStyle shadowed;
  shadowed.SetAStyle3D(A3dShadowed);
  label_->SetLabelStyle(shadowed);
  EXPECT_EQ(label_->LabelStyle().AHShadeOffSet(), 5);
  EXPECT_EQ(label_->LabelStyle().AVShadeOffSet(), -5);
  const auto& texts = Texts();
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(texts[0].color, 0x808080);
  EXPECT_EQ(texts[0].x, texts[1].x + 5);
  EXPECT_EQ(texts[0].y, texts[1].y - 5);
  // A new offset shows at once while shadowed.
  label_->LabelStyle().SetAVShadeOffSet(3);
  EXPECT_EQ(Texts()[0].y, Texts()[1].y + 3);
}

TEST_F(Rotate3DLabelTest, TurnedCaptionStaysCentred) {
  label_->SetBounds(0, 0, 200, 300);
  label_->LabelStyle().SetAngle(90);
  const TextSize size = Measured();
  const DrawnText& text = Texts().back();
  EXPECT_EQ(text.escapement, 900);
  // Turned up: it starts left of the centre by half its height and runs
  // upwards from half its width below it.
  EXPECT_EQ(text.x, 100 - size.height / 2);
  EXPECT_EQ(text.y, 150 + size.width / 2);
  EXPECT_NEAR(label_->AngleCos(), 0.0, 1e-12);
  EXPECT_NEAR(label_->AngleSin(), 1.0, 1e-12);
}

TEST_F(Rotate3DLabelTest, OpaqueLabelPaintsATurnedBoxAndDropsTheEffectForGood) {
  label_->SetBounds(0, 0, 600, 60);  // wider than the caption and its box
  label_->SetColor(0x00FFFF);
  label_->SetMyTransparent(false);
  EXPECT_EQ(label_->LabelStyle().AStyle3D(), A3dNormal);
  ASSERT_EQ(Texts().size(), 1u);
  const ImageSurface& image = Image();
  EXPECT_EQ(image.Pixel(300, 30), 0x00FFFF);  // the box at the centre
  const TextSize size = Measured();
  // The box reaches 5 pixels beyond the caption on either side, no further.
  EXPECT_EQ(image.Pixel(300 - size.width / 2 - 4, 30), 0x00FFFF);
  EXPECT_NE(image.Pixel(300 - size.width / 2 - 7, 30), 0x00FFFF);
  EXPECT_EQ(image.Pixel(300 + size.width / 2 + 4, 30), 0x00FFFF);
  EXPECT_NE(image.Pixel(300 + size.width / 2 + 7, 30), 0x00FFFF);
  EXPECT_NE(image.Pixel(0, 0), 0x00FFFF);  // outside it: transparent
  label_->SetMyTransparent(true);
  EXPECT_EQ(label_->LabelStyle().AStyle3D(), A3dNormal);
}

TEST_F(Rotate3DLabelTest, FormWritesBackUnchanged) {
  const std::string written = FormWriter(classes_).Write(form_.get());
  EXPECT_NE(written.find("LabelStyle.AShadeLTSet = False"), std::string::npos) << written;
  auto again = FormReader(classes_).Read(written, "again.dfm");
  EXPECT_EQ(FormWriter(classes_).Write(again.get()), written);
}

}  // namespace
}  // namespace kit
