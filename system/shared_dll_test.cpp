#include "system/shared_dll.h"

#include <gtest/gtest.h>

#include "base/exception.h"
#include "system/install_log.h"
#include "system/testing/install_machine.h"

namespace kit {
namespace {

// Spelled out: a wrong key in the code must fail here.
constexpr const char* kSharedDLLs = "\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\SharedDLLs";

using testing::InstallMachine;
using testing::ScopedValue;

class SharedDLLTest : public ::testing::Test {
 protected:
  SharedDLLTest()
      : path_(InstalledPath(m_.Scratch() + "\\System", testing::UniqueName("Shared") + ".DLL")),
        cleanup_(m_.platform(), RegRoot::kLocalMachine, kSharedDLLs, path_) {}

  RegValue Raw() {
    auto k = m_.platform().Reg().Open(RegRoot::kLocalMachine, kSharedDLLs, RegAccess::kRead,
                                      false);
    RegValue v;
    if (k) k->Query(path_, &v);
    return v;
  }
  void Set(const RegValue& v) {
    auto k =
        m_.platform().Reg().Open(RegRoot::kLocalMachine, kSharedDLLs, RegAccess::kAll, true);
    ASSERT_TRUE(k && k->Set(path_, v));
  }

  InstallMachine m_;
  std::string path_;
  ScopedValue cleanup_;
};

TEST_F(SharedDLLTest, FirstInstallationCountsOneAndTheSecondTwo) {
  EXPECT_EQ(SharedDLLCount(path_), 0u);
  EXPECT_TRUE(UpdateSharedDLLCount(path_, "InstallFile1"));
  RegValue v = Raw();
  EXPECT_EQ(v.type, regtype::kDword);
  EXPECT_EQ(v.AsDword(), 1u);
  EXPECT_TRUE(UpdateSharedDLLCount(path_, "InstallFile1"));
  EXPECT_EQ(SharedDLLCount(path_), 2u);
}

TEST_F(SharedDLLTest, CounterIsNamedByThePathExactlyAsTheLogRecordsIt) {
  EXPECT_TRUE(UpdateSharedDLLCount(path_, "InstallFile1"));
  auto k = m_.platform().Reg().Open(RegRoot::kLocalMachine, kSharedDLLs, RegAccess::kRead,
                                    false);
  ASSERT_TRUE(k);
  std::vector<std::string> names;
  ASSERT_TRUE(k->ValueNames(&names));
  EXPECT_NE(std::find(names.begin(), names.end(), path_), names.end());
}

TEST_F(SharedDLLTest, UnreadableCountStartsAgainFromZero) {
  Set(RegValue::String("7"));
  EXPECT_TRUE(UpdateSharedDLLCount(path_, "InstallFile1"));
  EXPECT_EQ(Raw().type, regtype::kDword);
  EXPECT_EQ(SharedDLLCount(path_), 1u);
  Set(RegValue::Binary("\x01\x02"));
  EXPECT_TRUE(UpdateSharedDLLCount(path_, "InstallFile1"));
  EXPECT_EQ(SharedDLLCount(path_), 1u);
  Set(RegValue::Dword(UINT32_MAX));
  EXPECT_TRUE(UpdateSharedDLLCount(path_, "InstallFile1"));
  EXPECT_EQ(SharedDLLCount(path_), UINT32_MAX);
}

TEST_F(SharedDLLTest, KeyThatCannotBeOpenedRaisesTheMessageWithNameAndError) {
  FaultPlatform faults(m_.platform());
  ScopedPlatform scope(faults);
  faults.RefuseRegistryWrites(kSharedDLLs, RegRoot::kLocalMachine);
  faults.FailNth("Reg.Open", 1, winerr::kAccessDenied);
  try {
    UpdateSharedDLLCount(path_, "InstallFile7");
    FAIL() << "no failure";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(),
              "Could not open the key SharedDLLs key in the registry. File component "
              "InstallFile7. GetLastError return: 5");
  }
}

TEST_F(SharedDLLTest, RefusedWriteAnswersFalse) {
  ASSERT_TRUE(UpdateSharedDLLCount(path_, "InstallFile1"));
  FaultPlatform faults(m_.platform());
  ScopedPlatform scope(faults);
  faults.FailNth("Key.Set", 1, winerr::kAccessDenied);
  EXPECT_FALSE(UpdateSharedDLLCount(path_, "InstallFile1"));
  EXPECT_EQ(SharedDLLCount(path_), 1u);
}

}  // namespace
}  // namespace kit
