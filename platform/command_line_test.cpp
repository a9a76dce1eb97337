#include "platform/command_line.h"

#include <gtest/gtest.h>

namespace kit {
namespace {

using V = std::vector<std::string>;

TEST(CommandLine, BlanksAndControlCharactersSeparate) {
  EXPECT_EQ(SplitCommandLine("install.exe  C:\\Src\t\tTavrix\r\nfor"),
            (V{"install.exe", "C:\\Src", "Tavrix", "for"}));
  EXPECT_EQ(SplitCommandLine(""), V{});
  EXPECT_EQ(SplitCommandLine("   \t "), V{});
}

TEST(CommandLine, QuotesGroupAndDisappearWithoutEscapes) {
  EXPECT_EQ(SplitCommandLine("\"C:\\Program Files\\u.exe\" Tavrix for Windows"),
            (V{"C:\\Program Files\\u.exe", "Tavrix", "for", "Windows"}));
  // A backslash before a quote escapes nothing.
  EXPECT_EQ(SplitCommandLine("p \"C:\\Dir\\\" next"), (V{"p", "C:\\Dir\\", "next"}));
  // Quoted parts join with their unquoted neighbours into one token.
  EXPECT_EQ(SplitCommandLine("p a\"b c\"d"), (V{"p", "ab cd"}));
  // An unterminated quote runs to the end of the line.
  EXPECT_EQ(SplitCommandLine("p \"open to the end"), (V{"p", "open to the end"}));
  EXPECT_EQ(SplitCommandLine("p \"\" x"), (V{"p", "x"}));
}

TEST(CommandLine, AnsiLettersAreNotSeparators) {
  // Turkish letters in code page 1254 are bytes above 0x7F.
  std::string dir = "C:\\Kurulu\xFE";
  EXPECT_EQ(SplitCommandLine("p " + dir), (V{"p", dir}));
}

}  // namespace
}  // namespace kit
