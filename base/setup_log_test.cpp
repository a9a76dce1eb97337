// The diagnostic log: its line form, that each line is handed over whole
// at once, and the switches an unattended run is started with.
#include "base/setup_log.h"

#include <gtest/gtest.h>

#include "base/exception.h"
#include "base/unattended.h"
#include "platform/platform.h"

namespace kit {
namespace {

// A file in memory that counts the writes made to it.
class MemoryFile : public File {
 public:
  explicit MemoryFile(std::string* bytes, int* writes) : bytes_(bytes), writes_(writes) {}
  bool Read(void*, uint32_t, uint32_t* got) override { return *got = 0, true; }
  bool Write(const void* b, uint32_t n, uint32_t* written) override {
    ++*writes_;
    if (full) return *written = 0, false;
    bytes_->append(static_cast<const char*>(b), n);
    *written = n;
    return true;
  }
  bool Seek(int64_t, SeekOrigin, int64_t*) override { return true; }
  int64_t Size() override { return static_cast<int64_t>(bytes_->size()); }
  bool Truncate() override { return true; }
  bool GetTime(uint32_t*) override { return false; }
  bool SetTime(uint32_t) override { return false; }
  bool full = false;

 private:
  std::string* bytes_;
  int* writes_;
};

class SetupLogTest : public ::testing::Test {
 protected:
  SetupLogTest() {
    auto f = std::make_unique<MemoryFile>(&bytes_, &writes_);
    file_ = f.get();
    SetupLog::Attach(std::move(f), "C:\\SETUP.LOG");
    // 2026-03-04 05:06:07.089 UTC
    SetupLog::SetClock([] { return int64_t{1772600767089}; });
  }
  ~SetupLogTest() override {
    SetupLog::Close();
    SetupLog::SetClock(nullptr);
  }
  std::string bytes_;
  int writes_ = 0;
  MemoryFile* file_;
};

TEST_F(SetupLogTest, OneStampedLinePerStepWrittenAtOnce) {
  LogStep("file", "C:\\APP\\A.DLL: written, 3 bytes (overwrite rule owAlways)");
  EXPECT_EQ(writes_, 1);
  LogStep("message", "first line\r\nsecond line");
  EXPECT_EQ(writes_, 2);
  EXPECT_EQ(bytes_,
            "2026-03-04 05:06:07.089 file      C:\\APP\\A.DLL: written, 3 bytes (overwrite rule owAlways)\r\n"
            "2026-03-04 05:06:07.089 message   first line | second line\r\n");
  EXPECT_EQ(SetupLog::Path(), "C:\\SETUP.LOG");
}

TEST_F(SetupLogTest, AFullDiskCountsLostLinesAndTheRunGoesOn) {
  file_->full = true;
  LogStep("file", "x");
  LogStep("file", "y");
  EXPECT_EQ(SetupLog::LostLines(), 2);
  SetupLog::Close();
  LogStep("file", "after the end");
  EXPECT_EQ(writes_, 2);
}

TEST(UnattendedTest, LeadingSwitchesAreTakenOffTheArguments) {
  std::vector<std::string> args{"/silent", "-LOG=C:\\R.LOG", "/REMOVESHARED", "My", "/Product"};
  const UnattendedOptions o = Unattended::TakeSwitches(&args, false);
  EXPECT_EQ(o.mode, UnattendedMode::kSilent);
  EXPECT_EQ(o.log_file, "C:\\R.LOG");
  EXPECT_TRUE(o.remove_shared);
  EXPECT_EQ(args, (std::vector<std::string>{"My", "/Product"}));

  args = {"/VERYSILENT", "/SILENT"};
  EXPECT_EQ(Unattended::TakeSwitches(&args, true).mode, UnattendedMode::kVerySilent);
  args = {"/LOG="};
  EXPECT_THROW(Unattended::TakeSwitches(&args, true), Exception);
}

TEST(UnattendedTest, TheEnvironmentCarriesTheModeAndAnAttendedRunClearsIt) {
  Unattended::WriteEnvironment({UnattendedMode::kVerySilent, "C:\\S.LOG", true});
  UnattendedOptions o = Unattended::ReadEnvironment();
  EXPECT_EQ(o.mode, UnattendedMode::kVerySilent);
  EXPECT_EQ(o.log_file, "C:\\S.LOG");
  EXPECT_TRUE(o.remove_shared);
  Unattended::WriteEnvironment({});
  o = Unattended::ReadEnvironment();
  EXPECT_EQ(o.mode, UnattendedMode::kOff);
  EXPECT_EQ(o.log_file, "");
  EXPECT_FALSE(o.remove_shared);
}

TEST(UnattendedTest, TheFirstOutcomeIsTheExitCode) {
  Unattended::Reset();
  EXPECT_EQ(Unattended::ExitCode(), 0);
  Unattended::RecordOutcome(3010, "restart needed");
  Unattended::RecordOutcome(1603, "later failure");
  EXPECT_EQ(Unattended::ExitCode(), 3010);
  Unattended::Reset();
}

}  // namespace
}  // namespace kit
