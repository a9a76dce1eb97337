// What only the real Win32 backend does: calls into real libraries, real
// processes, the command line of the running program.
#include "platform/win32/win32_platform.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "platform/testing/test_machine.h"
#include "platform/win32/win32_util.h"

namespace kit {
namespace {

TEST(Win32Processes, CallsStdcallExportsByNameAndOrdinal) {
  Win32Platform p;
  Processes& procs = p.Procs();
  ModuleHandle k32 = procs.LoadModule("kernel32.dll");
  ASSERT_NE(k32, 0u);
  int32_t r = 0;
  ASSERT_TRUE(procs.Call(k32, "lstrlenA", {CallArg::Str("seven!!")}, &r));
  EXPECT_EQ(r, 7);
  ASSERT_TRUE(procs.Call(k32, "MulDiv", {CallArg::Int(300), CallArg::Int(7), CallArg::Int(3)}, &r));
  EXPECT_EQ(r, 700);
  ASSERT_TRUE(procs.Call(k32, "lstrcmpiA", {CallArg::Str("ABC"), CallArg::Str("abc")}, &r));
  EXPECT_EQ(r, 0);
  ASSERT_TRUE(procs.Call(k32, "lstrlenA", {CallArg::Null()}, &r));
  EXPECT_EQ(r, 0);
  ASSERT_TRUE(procs.Call(k32, "GetCurrentProcessId", {}, &r));
  EXPECT_EQ(static_cast<DWORD>(r), GetCurrentProcessId());
  // A wrong argument count does not unbalance the caller's stack.
  ASSERT_TRUE(procs.Call(k32, "GetCurrentProcessId", {CallArg::Int(1), CallArg::Int(2)}, &r));
  ASSERT_TRUE(procs.Call(k32, "MulDiv", {CallArg::Int(4), CallArg::Int(5)}, &r));

  EXPECT_FALSE(procs.Call(k32, "NoSuchExport", {}, &r));
  EXPECT_EQ(p.LastError(), winerr::kProcNotFound);
  EXPECT_TRUE(procs.HasExport(k32, "lstrlenA"));
  EXPECT_FALSE(procs.HasExport(k32, "#"));
  EXPECT_FALSE(procs.HasExport(k32, "#x1"));
  // An ordinal names the same function as its name.
  IMAGE_DOS_HEADER* dos = reinterpret_cast<IMAGE_DOS_HEADER*>(k32);
  auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(reinterpret_cast<char*>(k32) + dos->e_lfanew);
  auto& dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
  auto* exports = reinterpret_cast<IMAGE_EXPORT_DIRECTORY*>(reinterpret_cast<char*>(k32) +
                                                            dir.VirtualAddress);
  auto* names = reinterpret_cast<DWORD*>(reinterpret_cast<char*>(k32) + exports->AddressOfNames);
  auto* ordinals =
      reinterpret_cast<WORD*>(reinterpret_cast<char*>(k32) + exports->AddressOfNameOrdinals);
  DWORD ordinal = 0;
  for (DWORD i = 0; i < exports->NumberOfNames; ++i)
    if (std::strcmp(reinterpret_cast<char*>(k32) + names[i], "lstrlenA") == 0)
      ordinal = exports->Base + ordinals[i];
  ASSERT_NE(ordinal, 0u);
  char by_ordinal[16];
  std::snprintf(by_ordinal, sizeof by_ordinal, "#%lu", static_cast<unsigned long>(ordinal));
  ASSERT_TRUE(procs.Call(k32, by_ordinal, {CallArg::Str("four")}, &r));
  EXPECT_EQ(r, 4);
  procs.UnloadModule(k32);

  EXPECT_EQ(procs.LoadModule("C:\\no\\such.dll"), 0u);
  EXPECT_NE(p.LastError(), 0u);
  EXPECT_TRUE(procs.OleInitialize());
  procs.OleUninitialize();
}

TEST(Win32Processes, RunAndWaitGivesTheExitCode) {
  Win32Platform p;
  uint32_t code = 0;
  int pumps = 0;
  ASSERT_TRUE(p.Procs().RunAndWait("cmd.exe /c exit 7", [&] { ++pumps; }, &code));
  EXPECT_EQ(code, 7u);
  ASSERT_TRUE(p.Procs().RunAndWait("cmd.exe /c exit 0", nullptr, &code));
  EXPECT_EQ(code, 0u);
  EXPECT_FALSE(p.Procs().RunAndWait("C:\\no\\such\\program.exe", nullptr, &code));
  EXPECT_EQ(p.LastError(), winerr::kFileNotFound);
  EXPECT_LT(p.Procs().Exec("C:\\no\\such\\program.exe", true), 32u);
}

TEST(Win32System, ArgumentsFollowTheProgramName) {
  Win32Platform p;
  // CTest starts the program with this option.
  auto args = p.System().Arguments();
  EXPECT_NE(std::find(args.begin(), args.end(), "--gtest_color=no"), args.end());
  for (const auto& a : args) EXPECT_EQ(a.find("platform_win32_tests"), std::string::npos) << a;
  EXPECT_TRUE(p.Reboot().EnableShutdownPrivilege()) << p.LastError();
}

TEST(Win32TestMachine, ScratchDirectoriesAreFreshAndRemoved) {
  std::string first;
  {
    auto a = testing::NewTestMachine();
    auto b = testing::NewTestMachine();
    first = a->Scratch();
    EXPECT_NE(first, b->Scratch());
    EXPECT_EQ(first.rfind("C:\\kittest\\", 0), 0u);
    FileSystem& fs = a->platform().Files();
    ASSERT_TRUE(fs.MakeDirectories(first + "\\x\\y"));
    auto f = fs.Open(first + "\\x\\ro.txt", FileAccess::kWrite, share::kNone,
                     Disposition::kCreateNew);
    ASSERT_TRUE(f);
    f.reset();
    ASSERT_TRUE(fs.SetAttributes(first + "\\x\\ro.txt", attr::kReadOnly));
  }
  Win32Platform p;
  EXPECT_FALSE(p.Files().DirectoryExists(first));
}

}  // namespace
}  // namespace kit
