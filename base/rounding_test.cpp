#include "base/rounding.h"

#include <gtest/gtest.h>

#include <cfenv>
#include <cmath>
#include <limits>

#include "base/exception.h"

namespace kit {
namespace {

TEST(Round, HalvesGoToTheEvenNeighbour) {
  EXPECT_EQ(Round(0.5), 0);
  EXPECT_EQ(Round(1.5), 2);
  EXPECT_EQ(Round(2.5), 2);
  EXPECT_EQ(Round(3.5), 4);
  EXPECT_EQ(Round(-0.5), 0);
  EXPECT_EQ(Round(-1.5), -2);
  EXPECT_EQ(Round(-2.5), -2);
  EXPECT_EQ(Round(62.5), 62);  // (100 + 150) / 400 * 100
}

TEST(Round, NonHalvesGoToTheNearest) {
  EXPECT_EQ(Round(0.49999999999999994), 0);
  EXPECT_EQ(Round(2.5000000000000004), 3);
  EXPECT_EQ(Round(-2.6), -3);
  EXPECT_EQ(Round(-0.2), 0);
  EXPECT_EQ(Round(99.9), 100);
}

TEST(Round, LargeValuesAndRangeLimits) {
  EXPECT_EQ(Round(4503599627370497.0), 4503599627370497);  // 2^52 + 1, already whole
  EXPECT_EQ(Round(4503599627370495.5), 4503599627370496);  // 2^52 - 0.5 -> even
  EXPECT_EQ(Round(-9223372036854775808.0), std::numeric_limits<int64_t>::min());
  EXPECT_THROW(Round(9223372036854775808.0), EInvalidOp);
  EXPECT_THROW(Round(std::nan("")), EInvalidOp);
  EXPECT_THROW(Round(std::numeric_limits<double>::infinity()), EInvalidOp);
  int64_t r = 7;
  EXPECT_FALSE(TryRound(-1e300, &r));
  EXPECT_EQ(r, 7);
}

TEST(Round, IgnoresTheCurrentRoundingMode) {
  int saved = std::fegetround();
  std::fesetround(FE_UPWARD);
  int64_t a = Round(2.5), b = Round(-1.2);
  std::fesetround(saved);
  EXPECT_EQ(a, 2);
  EXPECT_EQ(b, -1);
}

}  // namespace
}  // namespace kit
