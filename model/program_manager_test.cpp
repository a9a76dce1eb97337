#include "model/program_manager.h"

#include "model/program_manager_errors.h"
#include "model/system_folders.h"
#include "model/testing/machine_test.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace kit {
namespace {

using testing::FailureOf;

class ProgramManagerTest : public testing::MachineTest {
 protected:
  TProgramManager pm_;
};

TEST_F(ProgramManagerTest, CommandsThatAreNotOneCommandAreRefusedUnsent) {
  EXPECT_EQ(FailureOf([&] { pm_.CreateGroup("A\")][DeleteGroup(\"B"); }),
            "The TProgramManager object was unable to create the following program group: "
            "A\")][DeleteGroup(\"B");
  EXPECT_EQ(FailureOf([&] { pm_.CreateGroup(std::string(240, 'G')); }),
            "The TProgramManager object was unable to create the following program group: " +
                std::string(240, 'G'));
  // No group is current: item commands do nothing.
  EXPECT_EQ(FailureOf([&] { pm_.AddItem("\"C:\\A.EXE\" ", "A", "", 0, "\"C:\\\"", ""); }), "no error");
}

#ifndef _WIN32
// The emulated Program Manager answers group-data requests, so the whole
// paths run; under Wine a request returns nothing.
TEST_F(ProgramManagerTest, GroupIsCreatedItemsAddedFoundReplacedAndDeleted) {
  pm_.CreateGroup("Tavrix");
  EXPECT_EQ(pm_.CurrentGroup(), "Tavrix");
  EXPECT_EQ(pm_.ItemCount(), 0);
  EXPECT_EQ(pm_.FindItem("Tinst"), -1);
  pm_.AddItem("\"C:\\Tavwin\\Tinst.exe\" /x", "Tinst", "", 0, "\"C:\\Tavwin\"", "");
  ASSERT_EQ(pm_.ItemCount(), 1);
  EXPECT_EQ(pm_.FindItem("Tinst"), 1);
  EXPECT_EQ(pm_.FindItem("tinst"), -1);
  EXPECT_EQ(pm_.ItemField(1, 1), "Tinst");
  EXPECT_EQ(pm_.ItemField(2, 1), "");
  EXPECT_TRUE(CurrentPlatform().Files().Exists(GetProgramMenuDir() + "\\Tavrix\\Tinst.LNK"));
  pm_.ReplaceItem("Tinst");
  pm_.AddItem("\"C:\\Tavwin\\Tinst.exe\" ", "Tinst", "", 0, "\"C:\\Tavwin\"", "");
  EXPECT_EQ(pm_.ItemCount(), 1);
  // A second client (the run after the reboot) sees the same group.
  TProgramManager later;
  later.CreateGroup("Tavrix");
  EXPECT_EQ(later.FindItem("Tinst"), 1);
  later.DeleteItem("Tinst");
  EXPECT_EQ(later.ItemCount(), 0);
  EXPECT_FALSE(CurrentPlatform().Files().Exists(GetProgramMenuDir() + "\\Tavrix\\Tinst.LNK"));
  EXPECT_EQ(FailureOf([&] { later.AddItem("\"C:\\A.EXE\" ", "A,B", "", 0, "\"C:\\\"", ""); }),
            "The TProgramManager object was unable to add the following program item: A,B to the "
            "following group: Tavrix. The arguments passed to  Program Manager were: "
            "[AddItem(\"C:\\A.EXE\" ,A,B,,0,,,\"C:\\\",)]");
}
#else
// Wine's Program Manager answers no group-data request (no item is ever
// found) and keeps an item as a link file in the group's folder; it opens a
// folder window for every CreateGroup and ShowGroup, which the test closes.
// Each execute is answered before the group's data is asked for, so a
// request ends when Wine answers it, not after its 10 s.
TEST_F(ProgramManagerTest, WinesProgramManagerKeepsAnAddedItemAsALinkFile) {
  const std::string group = "KitLinks" + std::to_string(GetCurrentProcessId());
  const std::string folder = GetProgramMenuDir() + "\\" + group;
  const std::string item_file = folder + "\\Tinst.lnk";
  std::string windows;
  ASSERT_TRUE(CurrentPlatform().System().WindowsDirectory(&windows));
  auto wait_for = [&](bool present) {
    for (int i = 0; i < 100 && CurrentPlatform().Files().Exists(item_file) != present; ++i) {
      MSG m;
      while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&m);
      Sleep(50);
    }
    return CurrentPlatform().Files().Exists(item_file) == present;
  };
  CurrentPlatform().Files().RemoveFile(item_file);
  const DWORD start = GetTickCount();
  pm_.CreateGroup(group);
  EXPECT_LT(GetTickCount() - start, 3000u) << "create group and its data request";
  EXPECT_EQ(pm_.CurrentGroup(), group);
  EXPECT_EQ(pm_.ItemCount(), 0);
  const DWORD add = GetTickCount();
  pm_.AddItem("\"" + windows + "\\notepad.exe\" ", "Tinst", "", 0, "\"" + windows + "\"", "");
  EXPECT_LT(GetTickCount() - add, 3000u) << "show group, add item and the data request";
  EXPECT_TRUE(wait_for(true)) << item_file;
  std::string bytes(4096, '\0');
  if (auto f = CurrentPlatform().Files().Open(item_file, FileAccess::kRead, share::kAll, Disposition::kOpenExisting)) {
    uint32_t got = 0;
    f->Read(bytes.data(), static_cast<uint32_t>(bytes.size()), &got);
    bytes.resize(got);
  }
  EXPECT_EQ(bytes.substr(0, 4), std::string("\x4C\0\0\0", 4));
  EXPECT_EQ(pm_.FindItem("Tinst"), -1);
  CurrentPlatform().Files().RemoveFile(item_file);

  for (HWND w = nullptr; (w = FindWindowExA(nullptr, nullptr, nullptr, group.c_str())) != nullptr;) {
    PostMessageA(w, WM_CLOSE, 0, 0);
    Sleep(100);
    if (IsWindow(w)) break;
  }
  CurrentPlatform().Files().RemoveDir(folder);
}
#endif

}  // namespace
}  // namespace kit
