#include "model/path_specifiers.h"

#include <gtest/gtest.h>

namespace kit {
namespace {

TEST(PathSpecifiers, TrailingBackslashHelpersChangeExactlyOne) {
  EXPECT_EQ(RemoveTrailingBackslash("C:\\"), "C:");
  EXPECT_EQ(RemoveTrailingBackslash("C:\\Dir\\\\"), "C:\\Dir\\");
  EXPECT_EQ(RemoveTrailingBackslash("C:\\Dir"), "C:\\Dir");
  EXPECT_EQ(RemoveTrailingBackslash("\\"), "");
  EXPECT_EQ(RemoveTrailingBackslash(""), "");
  EXPECT_EQ(AddTrailingBackslash("C:"), "C:\\");
  EXPECT_EQ(AddTrailingBackslash("C:\\Dir\\"), "C:\\Dir\\");
  EXPECT_EQ(AddTrailingBackslash(""), "");
}

}  // namespace
}  // namespace kit
