#include "dialogs/label_style.h"

#include <gtest/gtest.h>

#include "dialogs/rotated_text_geometry.h"

namespace kit {
namespace {

class LabelStyleTest : public ::testing::Test {
 protected:
  void SetUp() override { style.OnChange = [this] { ++changes; }; }
  TLabelStyle style;
  int changes = 0;
};

TEST_F(LabelStyleTest, AngleOutOfRangeIsZero) {
  style.SetAngle(90);
  style.SetAngle(360);
  EXPECT_EQ(style.Angle(), 0);
  style.SetAngle(-90);
  EXPECT_EQ(style.Angle(), 0);
  EXPECT_EQ(changes, 2);
}

TEST_F(LabelStyleTest, LightShadeIsWhiteWhileFixed) {
  style.SetAShadeLeftTop(0x0000FF);
  EXPECT_EQ(style.AShadeLeftTop(), 16777215);
  EXPECT_EQ(changes, 0);
  style.SetAShadeLTSet(false);
  style.SetAShadeLeftTop(0x0000FF);
  EXPECT_EQ(style.AShadeLeftTop(), 0x0000FF);
  changes = 0;
  style.SetAShadeLTSet(true);  // raised, saved shade not white: repaint
  EXPECT_EQ(style.AShadeLeftTop(), 16777215);
  EXPECT_EQ(changes, 1);
  style.SetAShadeLTSet(false);
  EXPECT_EQ(style.AShadeLeftTop(), 0x0000FF);
}

TEST_F(LabelStyleTest, ShadowOffsetsRepaintOnlyWhenShadowed) {
  style.SetAHShadeOffSet(3);
  EXPECT_EQ(changes, 0);
  style.SetAStyle3D(A3dShadowed);
  style.SetAVShadeOffSet(-2);
  EXPECT_EQ(changes, 2);

  TLabelStyle copy;
  int copy_changes = 0;
  copy.OnChange = [&] { ++copy_changes; };
  copy.Assign(style);
  EXPECT_EQ(copy.AStyle3D(), A3dShadowed);
  EXPECT_EQ(copy.AHShadeOffSet(), 3);
  EXPECT_EQ(copy.AVShadeOffSet(), -2);
  EXPECT_GE(copy_changes, 1);
}

TEST_F(LabelStyleTest, GeometryCentresTheCaptionAndPlacesShades) {
  RotatedTextGeometry flat = ComputeRotatedText(style, 100, 20, 200, 60);
  EXPECT_EQ(flat.start, (IntPoint{50, 20}));
  EXPECT_EQ(flat.light, (IntPoint{-1, -1}));
  EXPECT_EQ(flat.dark, (IntPoint{1, 1}));
  EXPECT_EQ(flat.box[0], (IntPoint{45, 17}));
  EXPECT_EQ(flat.box[2], (IntPoint{155, 43}));

  style.SetAngle(90);
  style.SetAStyle3D(A3dShadowed);
  RotatedTextGeometry up = ComputeRotatedText(style, 100, 20, 200, 200);
  EXPECT_EQ(up.escapement, 900);
  EXPECT_EQ(up.start, (IntPoint{90, 150}));  // reads upwards from below the centre
  EXPECT_FALSE(up.light);
  EXPECT_EQ(up.dark, (IntPoint{5, -5}));  // right and up

  style.SetAStyle3D(A3dResit);
  RotatedTextGeometry sunk = ComputeRotatedText(style, 10, 10, 10, 10);
  EXPECT_EQ(sunk.light, (IntPoint{1, 1}));
  EXPECT_EQ(sunk.dark, (IntPoint{-1, -1}));
}

TEST_F(LabelStyleTest, AssignCopiesAFreeLightShade) {
  TLabelStyle source;
  source.SetAShadeLTSet(false);
  source.SetAShadeLeftTop(0x0000FF);
  source.SetAStyle3D(A3dShadowed);
  source.SetAHShadeOffSet(-2);
  style.Assign(source);
  EXPECT_FALSE(style.AShadeLTSet());
  EXPECT_EQ(style.AShadeLeftTop(), 0x0000FF);
  EXPECT_EQ(style.AHShadeOffSet(), -2);
  EXPECT_GE(changes, 1);
}

}  // namespace
}  // namespace kit
