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

TEST(PathSpecifiers, StoredNamesFollowTheOrdinals) {
  EXPECT_EQ(kPathSpecifiersType.MaxValue(), ddStartUpMenuDir);
  EXPECT_STREQ(kPathSpecifiersType.NameOf(ddBDEDLLDir), "ddBDEDLLDir");
  int64_t v = -1;
  ASSERT_TRUE(kPathSpecifiersType.Find("ddMainInstallDir", &v));
  EXPECT_EQ(v, ddMainInstallDir);
}

}  // namespace
}  // namespace kit
