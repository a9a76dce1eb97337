#include <gtest/gtest.h>

#include "platform/platform.h"

namespace kit {
namespace {

using Strings = std::vector<std::string>;

TEST(RegValue, MultiStringRoundTripsEmptyStringsInside) {
  // The layout of PendingFileRenameOperations with a delayed delete.
  Strings pending = {"\\??\\C:\\a.txt", "", "\\??\\C:\\b.txt", "!\\??\\C:\\c.txt"};
  RegValue v = RegValue::MultiString(pending);
  EXPECT_EQ(v.data.back(), '\0');
  EXPECT_EQ(*v.AsMultiString(), pending);
  EXPECT_EQ(*RegValue::MultiString({}).AsMultiString(), Strings{});
  EXPECT_EQ(*RegValue::MultiString({""}).AsMultiString(), Strings{""});
}

TEST(RegValue, MultiStringWithoutFinalZeroesStillReads) {
  RegValue v;
  v.type = regtype::kMultiSz;
  v.data = std::string("one\0two", 7);
  EXPECT_EQ(*v.AsMultiString(), (Strings{"one", "two"}));
  v.data = std::string("one\0", 4);
  EXPECT_EQ(*v.AsMultiString(), Strings{"one"});
}

TEST(RegValue, TypesAreNotConverted) {
  EXPECT_FALSE(RegValue::Dword(7).AsString());
  EXPECT_FALSE(RegValue::String("7").AsDword());
  EXPECT_FALSE(RegValue::String("a").AsMultiString());
  EXPECT_EQ(*RegValue::String("text").AsString(), "text");
  EXPECT_EQ(*RegValue::Dword(0xDEADBEEF).AsDword(), 0xDEADBEEFu);
}

}  // namespace
}  // namespace kit
