#include "platform/fault_platform.h"

#include <gtest/gtest.h>

#include "platform/testing/test_machine.h"

namespace kit {
namespace {

class FaultPlatformTest : public ::testing::Test {
 protected:
  void SetUp() override {
    machine_ = testing::NewTestMachine();
    fault_ = std::make_unique<FaultPlatform>(machine_->platform());
    dir_ = machine_->Scratch();
  }
  std::string Path(const std::string& name) const { return dir_ + "\\" + name; }
  bool Write(const std::string& path, const std::string& data, uint32_t* written = nullptr) {
    auto f = fault_->Files().Open(path, FileAccess::kWrite, share::kNone, Disposition::kCreateAlways);
    uint32_t n = 0;
    bool ok = f && f->Write(data.data(), static_cast<uint32_t>(data.size()), &n);
    if (written) *written = n;
    return ok;
  }
  std::unique_ptr<testing::TestMachine> machine_;
  std::unique_ptr<FaultPlatform> fault_;
  std::string dir_;
};

TEST_F(FaultPlatformTest, RefusedRegistryWritesUnderAPrefix) {
  Registry& reg = fault_->Reg();
  auto key = reg.Open(RegRoot::kCurrentUser, "Software\\KitFaultTest", RegAccess::kAll, true);
  ASSERT_TRUE(key);
  ASSERT_TRUE(key->Set("before", RegValue::Dword(1)));
  fault_->RefuseRegistryWrites("SOFTWARE\\KITFAULTTEST", RegRoot::kCurrentUser);
  EXPECT_FALSE(key->Set("after", RegValue::Dword(2)));
  EXPECT_EQ(fault_->LastError(), winerr::kAccessDenied);
  EXPECT_FALSE(key->DeleteValue("before"));
  EXPECT_FALSE(reg.Open(RegRoot::kCurrentUser, "Software\\KitFaultTest\\Sub", RegAccess::kAll, true));
  EXPECT_EQ(fault_->LastError(), winerr::kAccessDenied);
  EXPECT_FALSE(reg.DeleteKeyTree(RegRoot::kCurrentUser, "Software\\KitFaultTest"));
  // Reading still works, and keys beside the prefix are writable.
  RegValue v;
  EXPECT_TRUE(key->Query("before", &v));
  auto other = reg.Open(RegRoot::kCurrentUser, "Software\\KitFaultTestOther", RegAccess::kAll, true);
  ASSERT_TRUE(other);
  EXPECT_TRUE(other->Set("x", RegValue::Dword(1)));
  fault_->ClearFaults();
  EXPECT_TRUE(reg.DeleteKeyTree(RegRoot::kCurrentUser, "Software\\KitFaultTest"));
  EXPECT_TRUE(reg.DeleteKeyTree(RegRoot::kCurrentUser, "Software\\KitFaultTestOther"));
}

TEST_F(FaultPlatformTest, ReadOnlyRegistryKeysOpenOnlyForReading) {
  Registry& reg = fault_->Reg();
  auto key = reg.Open(RegRoot::kCurrentUser, "Software\\KitFaultRO\\Sub", RegAccess::kAll, true);
  ASSERT_TRUE(key);
  ASSERT_TRUE(key->Set("v", RegValue::String("x")));
  key.reset();
  fault_->MakeRegistryKeysReadOnly("Software\\KitFaultRO", RegRoot::kCurrentUser);
  EXPECT_FALSE(reg.Open(RegRoot::kCurrentUser, "Software\\KitFaultRO\\Sub", RegAccess::kAll, false));
  EXPECT_EQ(fault_->LastError(), winerr::kAccessDenied);
  EXPECT_FALSE(reg.Open(RegRoot::kCurrentUser, "\\SOFTWARE\\KITFAULTRO", RegAccess::kAll, true));
  auto read = reg.Open(RegRoot::kCurrentUser, "Software\\KitFaultRO\\Sub", RegAccess::kRead, false);
  ASSERT_TRUE(read);
  RegValue v;
  EXPECT_TRUE(read->Query("v", &v));
  EXPECT_FALSE(read->Set("w", RegValue::String("y")));
  // The parent stays writable.
  EXPECT_TRUE(reg.Open(RegRoot::kCurrentUser, "Software", RegAccess::kAll, false));
  fault_->ClearFaults();
  EXPECT_TRUE(reg.DeleteKeyTree(RegRoot::kCurrentUser, "Software\\KitFaultRO"));
}

TEST_F(FaultPlatformTest, DiskFullAfterSomeBytes) {
  fault_->DiskFullAfter(10);
  uint32_t written = 0;
  ASSERT_TRUE(Write(Path("a.bin"), "123456", &written));
  EXPECT_FALSE(Write(Path("b.bin"), "abcdef", &written));
  EXPECT_EQ(written, 4u);
  EXPECT_EQ(fault_->LastError(), winerr::kDiskFull);
  EXPECT_EQ(fault_->BytesWritten(), 10u);
  EXPECT_FALSE(fault_->Files().Copy(Path("a.bin"), Path("c.bin"), false));
  EXPECT_EQ(fault_->LastError(), winerr::kDiskFull);
  uint64_t free_bytes = 99, total = 0;
  ASSERT_TRUE(fault_->Files().DiskSpace(dir_, &free_bytes, &total));
  EXPECT_EQ(free_bytes, 0u);
  fault_->ClearFaults();
  EXPECT_TRUE(Write(Path("b.bin"), "abcdef"));
}

TEST_F(FaultPlatformTest, PathsInUse) {
  ASSERT_TRUE(Write(Path("used.dll"), "old"));
  ASSERT_TRUE(Write(Path("new.dll"), "new"));
  fault_->MarkInUse(Path("USED.DLL"));
  FileSystem& fs = fault_->Files();
  EXPECT_FALSE(fs.RemoveFile(Path("used.dll")));
  EXPECT_EQ(fault_->LastError(), winerr::kSharingViolation);
  EXPECT_FALSE(fs.MoveEx(Path("new.dll"), Path("used.dll"), movefile::kReplaceExisting));
  EXPECT_EQ(fault_->LastError(), winerr::kSharingViolation);
  EXPECT_FALSE(fs.Open(Path("used.dll"), FileAccess::kWrite, share::kAll, Disposition::kOpenExisting));
  EXPECT_TRUE(fs.Open(Path("used.dll"), FileAccess::kRead, share::kAll, Disposition::kOpenExisting));
  EXPECT_FALSE(fault_->Ini().Write(Path("used.dll"), "s", "k", "v"));
  fault_->ClearInUse(Path("used.dll"));
  EXPECT_TRUE(fs.RemoveFile(Path("used.dll")));
}

TEST_F(FaultPlatformTest, FailTheNthCallAndCount) {
  fault_->FailNth("Files.Open", 2, winerr::kAccessDenied);
  EXPECT_TRUE(Write(Path("1.txt"), "x"));
  EXPECT_FALSE(Write(Path("2.txt"), "x"));
  EXPECT_EQ(fault_->LastError(), winerr::kAccessDenied);
  EXPECT_TRUE(Write(Path("3.txt"), "x"));
  EXPECT_EQ(fault_->Calls("Files.Open"), 3);
  EXPECT_EQ(fault_->Calls("File.Write"), 2);

  fault_->FailNth("Key.Set", 1, winerr::kWriteFault, /*and_later=*/true);
  auto key = fault_->Reg().Open(RegRoot::kCurrentUser, "Software\\KitFaultTest", RegAccess::kAll, true);
  ASSERT_TRUE(key);
  EXPECT_FALSE(key->Set("a", RegValue::Dword(1)));
  EXPECT_FALSE(key->Set("b", RegValue::Dword(1)));
  EXPECT_EQ(fault_->LastError(), winerr::kWriteFault);
  fault_->ClearFaults();
  EXPECT_TRUE(key->Set("c", RegValue::Dword(1)));
  EXPECT_EQ(fault_->Calls("Key.Set"), 3);
  fault_->ResetCounters();
  EXPECT_EQ(fault_->Calls("Key.Set"), 0);
  EXPECT_TRUE(fault_->Reg().DeleteKeyTree(RegRoot::kCurrentUser, "Software\\KitFaultTest"));

  fault_->FailNth("Procs.LoadModule", 1, winerr::kModNotFound);
  EXPECT_EQ(fault_->Procs().LoadModule(Path("1.txt")), 0u);
  EXPECT_EQ(fault_->LastError(), winerr::kModNotFound);
  fault_->FailNth("System.Version", 1, winerr::kInvalidFunction);
  EXPECT_EQ(PlatformClass(fault_->System()), -1);
}

}  // namespace
}  // namespace kit
