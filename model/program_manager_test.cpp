#include "model/program_manager.h"

#include "model/program_manager_errors.h"
#include "model/testing/machine_test.h"

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
#endif

}  // namespace
}  // namespace kit
