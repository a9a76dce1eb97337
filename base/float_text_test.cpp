#include "base/float_text.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cstdint>
#include <cstring>
#include <random>

namespace kit {
namespace {

std::string ToChars(double v) {
  char buf[64];
  auto r = std::to_chars(buf, buf + sizeof buf, v);
  return std::string(buf, r.ptr);
}

// The text is the standard library's shortest form, character for character.
TEST(FloatTextTest, WritesWhatToCharsWrites) {
  for (double v : {0.0, -0.0, 1.0, -1.5, 0.1, 100000.0, 0.0001, 1e-5, 1e20, 1e22, 1e23, 123456789012345678.0,
                   5e-324, 1.7976931348623157e308, 2.2250738585072014e-308, 0.3, 2.0 / 3, 1234.5678, 9007199254740993.0,
                   4.35, 1e16, 1e15, 12345e-10})
    EXPECT_EQ(ShortestFloatText(v), ToChars(v)) << v;
  std::mt19937_64 random(19);
  for (int i = 0; i < 20000; ++i) {
    uint64_t bits = random();
    double v;
    std::memcpy(&v, &bits, sizeof v);
    if (!std::isfinite(v)) continue;
    ASSERT_EQ(ShortestFloatText(v), ToChars(v)) << bits;
    const double scaled = static_cast<double>(random() % 2000000) / 1000.0;
    ASSERT_EQ(ShortestFloatText(scaled), ToChars(scaled));
  }
}

TEST(FloatTextTest, ReadsWholeDecimalNumbersInRange) {
  double v = 0;
  EXPECT_TRUE(ParseFloatText("-1.5", &v));
  EXPECT_EQ(v, -1.5);
  EXPECT_TRUE(ParseFloatText("2e10", &v));
  EXPECT_EQ(v, 2e10);
  EXPECT_TRUE(ParseFloatText("0.1", &v));
  EXPECT_EQ(v, 0.1);
  for (const char* bad : {"", "1e400", "1e-400", "1.5x", "0x10", "inf", "nan", " 1"})
    EXPECT_FALSE(ParseFloatText(bad, &v)) << bad;
}

}  // namespace
}  // namespace kit
