#include "archive/compare_versions.h"

#include <gtest/gtest.h>

namespace kit {
namespace {

TEST(CompareVersions, FieldsCompareAsTextFromTheLeft) {
  EXPECT_EQ(CompareVersions("4.0.0.1", "4.0.0.0"), 1);
  EXPECT_EQ(CompareVersions("1.5", "2.0"), 2);
  EXPECT_EQ(CompareVersions("4.0", "4.0.1"), 2);
  EXPECT_EQ(CompareVersions("4.0.1", "4.0"), 1);
  EXPECT_EQ(CompareVersions("", ""), 0);
  EXPECT_EQ(CompareVersions("", "1"), 2);
  EXPECT_EQ(CompareVersions("3.1", "3.1"), 0);
  // Text, not numbers: 10 sorts before 9, 4 before 40.
  EXPECT_EQ(CompareVersions("10.0", "9.0"), 2);
  EXPECT_EQ(CompareVersions("4", "40"), 2);
}

TEST(CompareVersions, AnEmptyFieldEndsTheList) {
  EXPECT_EQ(CompareVersions("1..2", "1"), 0);
  EXPECT_EQ(CompareVersions("1..2", "1.0"), 2);
  EXPECT_EQ(CompareVersions(".5", ""), 0);
}

}  // namespace
}  // namespace kit
