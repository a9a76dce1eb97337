// The unattended removal's answers: shared files stay unless told, and the
// question, messages and errors are in the log.
#include "uninstall/silent_removal_view.h"

#include <gtest/gtest.h>

#include "base/setup_log.h"
#include "platform/platform.h"

namespace kit {
namespace {

class StringFile : public File {
 public:
  explicit StringFile(std::string* s) : s_(s) {}
  bool Read(void*, uint32_t, uint32_t* got) override { return *got = 0, true; }
  bool Write(const void* b, uint32_t n, uint32_t* w) override {
    s_->append(static_cast<const char*>(b), n);
    return *w = n, true;
  }
  bool Seek(int64_t, SeekOrigin, int64_t*) override { return true; }
  int64_t Size() override { return static_cast<int64_t>(s_->size()); }
  bool Truncate() override { return true; }
  bool GetTime(uint32_t*) override { return false; }
  bool SetTime(uint32_t) override { return false; }

 private:
  std::string* s_;
};

TEST(SilentRemovalViewTest, SharedFilesStayUnlessToldAndEverythingIsLogged) {
  std::string log;
  SetupLog::Attach(std::make_unique<StringFile>(&log), "C:\\REMOVE.LOG");
  SetupLog::SetClock([] { return int64_t{0}; });
  SilentRemovalView keep(false), remove(true);
  EXPECT_FALSE(keep.Confirm("Is it o.k. to delete C:\\WINDOWS\\SYSTEM\\A.DLL?"));
  EXPECT_TRUE(remove.Confirm("Is it o.k. to delete C:\\B.DLL?"));
  keep.Message("Tavrix for Windows has finished removing itself");
  keep.Error("The log key is damaged");
  SetupLog::Close();
  SetupLog::SetClock(nullptr);
  EXPECT_EQ(keep.LastMessage(), "Tavrix for Windows has finished removing itself");
  EXPECT_EQ(keep.LastError(), "The log key is damaged");
  EXPECT_EQ(log,
            "1970-01-01 00:00:00.000 question  Is it o.k. to delete C:\\WINDOWS\\SYSTEM\\A.DLL? -> No (shared files are kept)\r\n"
            "1970-01-01 00:00:00.000 question  Is it o.k. to delete C:\\B.DLL? -> Yes (/REMOVESHARED)\r\n"
            "1970-01-01 00:00:00.000 message   Tavrix for Windows has finished removing itself\r\n"
            "1970-01-01 00:00:00.000 error     The log key is damaged\r\n");
}

}  // namespace
}  // namespace kit
