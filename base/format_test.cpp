#include "base/format.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

#include "base/exception.h"

namespace kit {
namespace {

TEST(Format, FillsPlaceholdersInOrder) {
  std::string name = "InstallFile1";
  EXPECT_EQ(Format("Tried to reference a helper component in the following component: %s. "
                   "The following index was used: %d",
                   {name, -3}),
            "Tried to reference a helper component in the following component: InstallFile1. "
            "The following index was used: -3");
  EXPECT_EQ(Format("100%% of %s", {"C:\\X"}), "100% of C:\\X");
  EXPECT_EQ(Format("no placeholders", {}), "no placeholders");
  EXPECT_EQ(Format("%d", {static_cast<long long>(INT64_MIN)}), "-9223372036854775808");
}

TEST(Format, WidthPrecisionAndOtherKinds) {
  EXPECT_EQ(Format("[%5d][%-4s][%.2s][%.3d]", {42, "ab", "xyz", 7}), "[   42][ab  ][xy][007]");
  EXPECT_EQ(Format("%x %u", {255, -1}), "FF 4294967295");
  EXPECT_EQ(Format("%.4X|%4X", {0x409, 0x409}), "0409| 409");  // width pads with blanks
  EXPECT_EQ(IntToHex(0x4E4, 4), "04E4");
}

TEST(Format, MismatchedOrMissingArgumentsRaise) {
  EXPECT_THROW(Format("%s", {}), EConvertError);
  EXPECT_THROW(Format("%d and %d", {1}), EConvertError);
  EXPECT_THROW(Format("%d", {"text"}), EConvertError);
  EXPECT_THROW(Format("%s", {5}), EConvertError);
  EXPECT_THROW(Format("%q", {5}), EConvertError);
  EXPECT_THROW(Format("50%", {}), EConvertError);
  EXPECT_THROW(Format("%99999d", {1}), EConvertError);
  try {
    Format("Disk %d", {"two"});
    FAIL();
  } catch (const EConvertError& e) {
    EXPECT_NE(e.Message().find("'Disk %d'"), std::string::npos) << e.Message();
  }
  // Arguments left over are ignored.
  EXPECT_EQ(Format("%s", {"a", "b"}), "a");
}

TEST(StrToInt, AcceptsOnlySignAndDigits) {
  EXPECT_EQ(StrToInt("12"), 12);
  EXPECT_EQ(StrToInt("-3"), -3);
  EXPECT_EQ(StrToInt("+7"), 7);
  EXPECT_EQ(StrToInt("2147483647"), 2147483647);
  EXPECT_EQ(StrToInt("-2147483648"), INT32_MIN);
  for (const char* bad : {"", "-", "12 ", " 12", "1x", "abc", "2147483648", "0x10", "$10",
                          "99999999999999999999"}) {
    EXPECT_THROW(StrToInt(bad), EConvertError) << bad;
    EXPECT_EQ(StrToIntDef(bad, -99), -99) << bad;
  }
  EXPECT_EQ(StrToInt64("-9223372036854775808"), INT64_MIN);
  EXPECT_THROW(StrToInt64("9223372036854775808"), EConvertError);
  try {
    StrToInt("abc");
    FAIL();
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), "'abc' is not a valid integer value");
  }
  EXPECT_EQ(IntToStr(-45), "-45");
}

TEST(Format, FixedFloatTextWritesWhatPrintfWritesForMessageNumbers) {
  for (double v : {0.0, -0.0, 1.5, -0.25, 693594.5, 2958466.0, -693594.999999, 0.0000004, 0.0000005001,
                   123456789012.3456, 1e17}) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.6f", v);
    EXPECT_EQ(FixedFloatText(v, 6), buf) << buf;
  }
  EXPECT_EQ(FixedFloatText(1e300, 6), "1.000000e+300");
  EXPECT_EQ(FixedFloatText(std::nan(""), 6), "nan");
  EXPECT_EQ(FixedFloatText(-1.0 / 0.0, 6), "-inf");
}

}  // namespace
}  // namespace kit
