#include "platform/shell_link.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "platform/current_platform.h"
#include "platform/testing/test_machine.h"

namespace kit {
namespace {

#ifndef _WIN32
// What lnkinfo, an outside reader of the format, prints for the bytes.
std::string LnkInfo(const std::vector<uint8_t>& bytes) {
  char name[] = "/tmp/kit_lnk_XXXXXX";
  const int fd = mkstemp(name);
  if (fd < 0) return "mkstemp failed";
  {
    std::ofstream out(name, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  }
  std::string text;
  if (FILE* p = popen((std::string("lnkinfo ") + name + " 2>&1").c_str(), "r")) {
    std::array<char, 512> buf;
    while (fgets(buf.data(), buf.size(), p)) text += buf.data();
    pclose(p);
  }
  std::remove(name);
  return text;
}

TEST(ShellLinkFileTest, AnOutsideReaderReadsEveryField) {
  ShellLinkData link;
  link.target = "C:\\Program Files\\Tavrix\\Tinst.exe";
  link.arguments = "*ABOOT \"two words\"";
  link.working_directory = "C:\\Program Files\\Tavrix";
  link.description = "Tavrix setup";
  link.relative_path = ".\\Tinst.exe";
  link.icon_location = "C:\\Program Files\\Tavrix\\Tinst.ico";
  link.icon_index = 2;
  link.hot_key = 0x0654;  // Ctrl+Shift+T
  link.show_command = 3;
  std::vector<uint8_t> bytes;
  std::string error;
  ASSERT_TRUE(EncodeShellLink(link, &bytes, &error)) << error;
  const std::string info = LnkInfo(bytes);
  for (const char* expected :
       {"Local path\t\t\t: C:\\Program Files\\Tavrix\\Tinst.exe",
        "Command line arguments\t\t: *ABOOT \"two words\"",
        "Working directory\t\t: C:\\Program Files\\Tavrix", "Description\t\t\t: Tavrix setup",
        "Relative path\t\t\t: .\\Tinst.exe", "Icon location\t\t\t: C:\\Program Files\\Tavrix\\Tinst.ico",
        "Icon index\t\t\t: 2",
        "Drive type\t\t\t: Fixed (3)"})
    EXPECT_NE(info.find(expected), std::string::npos) << expected << "\n" << info;
  // This lnkinfo prints 0 for the show command and the hot key whatever the
  // file holds; they are read from the header's fixed offsets instead.
  ASSERT_GT(bytes.size(), 0x42u);
  EXPECT_EQ(bytes[0x3C], 3);
  EXPECT_EQ(bytes[0x40], 0x54);
  EXPECT_EQ(bytes[0x41], 0x06);
}

TEST(ShellLinkFileTest, ALinkWithOnlyATargetHasNoStringData) {
  ShellLinkData link;
  link.target = "C:\\A.EXE";
  std::vector<uint8_t> bytes;
  std::string error;
  ASSERT_TRUE(EncodeShellLink(link, &bytes, &error));
  const std::string info = LnkInfo(bytes);
  EXPECT_NE(info.find("Local path\t\t\t: C:\\A.EXE"), std::string::npos) << info;
  EXPECT_EQ(info.find("Command line arguments"), std::string::npos) << info;
  EXPECT_EQ(info.find("Working directory"), std::string::npos) << info;
}
#endif

TEST(ShellLinkFileTest, FieldsThatDoNotFitAreRefusedNotCut) {
  std::vector<uint8_t> bytes;
  std::string error;
  ShellLinkData link;
  link.target = "C:\\" + std::string(300, 'a');
  EXPECT_FALSE(EncodeShellLink(link, &bytes, &error));
  EXPECT_NE(error.find("target"), std::string::npos) << error;
  link.target = "C:\\A.EXE";
  link.arguments = std::string("one\0two", 7);
  EXPECT_FALSE(EncodeShellLink(link, &bytes, &error));
  EXPECT_NE(error.find("arguments"), std::string::npos) << error;
}

TEST(ShellLinkFileTest, SavingWritesOrReplacesTheFileAndRefusesLongPaths) {
  auto machine = testing::NewTestMachine();
  ScopedPlatform scoped(machine->platform());
  FileSystem& fs = machine->platform().Files();
  const std::string file = machine->Scratch() + "\\Tinst.lnk";
  ShellLinkData link;
  link.target = machine->Scratch() + "\\Tinst.exe";
  link.arguments = "*ABOOT";
  ASSERT_EQ(SaveShellLink(file, link), 0u);
  link.arguments = "second";
  ASSERT_EQ(SaveShellLink(file, link), 0u);
  auto in = fs.Open(file, FileAccess::kRead, share::kAll, Disposition::kOpenExisting);
  ASSERT_TRUE(in);
  std::vector<char> bytes(static_cast<size_t>(in->Size()));
  uint32_t got = 0;
  ASSERT_TRUE(in->Read(bytes.data(), static_cast<uint32_t>(bytes.size()), &got));
  const std::string text(bytes.begin(), bytes.end());
  EXPECT_EQ(text.substr(0, 4), std::string("\x4C\0\0\0", 4));
  // The shell writes its strings as ANSI or as UTF-16.
  auto holds = [&text](const std::string& s) {
    std::string wide;
    for (char c : s) wide += std::string{c, '\0'};
    return text.find(s) != std::string::npos || text.find(wide) != std::string::npos;
  };
  EXPECT_TRUE(holds("second"));
  EXPECT_FALSE(holds("*ABOOT"));

  const std::string long_file = machine->Scratch() + "\\" + std::string(260, 'b') + ".lnk";
  EXPECT_EQ(SaveShellLink(long_file, link), 0x80070057u);
  EXPECT_EQ(fs.Attributes(long_file), attr::kInvalid);
}

}  // namespace
}  // namespace kit
