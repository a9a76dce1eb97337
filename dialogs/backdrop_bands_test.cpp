#include "dialogs/backdrop_bands.h"

#include <gtest/gtest.h>

namespace kit {
namespace {

const Rgb kBlue{0, 0, 255};
const Rgb kBlack{0, 0, 0};

TEST(BackdropTest, MulDivRoundsHalfAwayFromZero) {
  EXPECT_EQ(MulDiv(1, 3, 2), 2);
  EXPECT_EQ(MulDiv(-1, 3, 2), -2);
  EXPECT_EQ(MulDiv(255, 600, 256), 598);
  EXPECT_EQ(MulDiv(5, 5, 0), -1);
}

TEST(BackdropTest, PlainGradientsRunFromEdgeToEdge) {
  RgbImage up = PaintBackdrop(bdUp, bcBlue, bcBlack, 40, 600);
  EXPECT_EQ(up.At(0, 0), kBlue);
  EXPECT_EQ(up.At(39, 599), kBlack);
  EXPECT_EQ(up.At(20, 300).b, 127);  // the middle band: 255 - MulDiv(255, 128, 255)

  RgbImage down = PaintBackdrop(bdDown, bcBlue, bcBlack, 40, 600);
  EXPECT_EQ(down.At(0, 0), kBlack);
  EXPECT_EQ(down.At(0, 599), kBlue);

  RgbImage right = PaintBackdrop(bdRight, bcRed, bcYellow, 512, 3);
  EXPECT_EQ(right.At(0, 2), (Rgb{255, 255, 0}));
  EXPECT_EQ(right.At(511, 0), (Rgb{255, 0, 0}));
  EXPECT_EQ(right.At(2, 1), right.At(3, 1));  // two columns a band
}

TEST(BackdropTest, MirroredGradientsMeetInTheMiddle) {
  RgbImage out = PaintBackdrop(bdHorzOut, bcBlue, bcBlack, 10, 512);
  EXPECT_EQ(out.At(0, 0), kBlue);
  EXPECT_EQ(out.At(0, 511), kBlue);
  EXPECT_EQ(out.At(0, 255), kBlack);
  EXPECT_EQ(out.At(0, 256), kBlack);

  RgbImage vert_out = PaintBackdrop(bdVertOut, bcWhite, bcAqua, 256, 2);
  EXPECT_EQ(vert_out.At(0, 0), (Rgb{0, 255, 255}));
  EXPECT_EQ(vert_out.At(128, 1), (Rgb{255, 255, 255}));
}

TEST(BackdropTest, TinyControlStillGetsEveryBand) {
  BackdropBands bands = ComputeBackdropBands(bdUp, bcBlue, bcBlack, 100, 1);
  ASSERT_EQ(bands.bands.size(), 256u);
  int covered = 0;
  for (const auto& b : bands.bands) covered += b.to - b.from;
  EXPECT_EQ(covered, 1);
  EXPECT_EQ(ComputeBackdropBands(bdVertIn, bcRed, bcLime, 1, 100).bands.size(), 256u);
  EXPECT_TRUE(PaintBackdrop(bdLeft, bcRed, bcLime, 0, 0).pixels.empty());
}

}  // namespace
}  // namespace kit
