#include "platform/emulated/emulated_registry.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/resource.h>

#include <filesystem>
#include <fstream>

#include "platform/emulated/emulated_machine.h"
#include "platform/emulated/host_ini.h"
#include "platform/emulated/registry_journal.h"

namespace kit {
namespace {

namespace fs = std::filesystem;

const char kKey[] = "SOFTWARE\\Tavrix\\Log";

class RegistryStoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string templ = (fs::temp_directory_path() / "kitreg-XXXXXX").string();
    ASSERT_NE(::mkdtemp(templ.data()), nullptr);
    root_ = templ;
    std::string error;
    m_ = EmulatedMachine::Create(Dir(), MachineSettings::Default(), &error);
    ASSERT_TRUE(m_) << error;
  }
  void TearDown() override {
    m_.reset();
    fs::remove_all(root_);
  }
  std::string Dir() const { return root_ + "/m"; }
  std::string Read(const std::string& file) {
    std::string data;
    emu::ReadHostFile(file, &data);
    return data;
  }
  void Write(const std::string& file, const std::string& data) {
    std::ofstream(file, std::ios::binary | std::ios::trunc) << data;
  }
  std::unique_ptr<RegKey> Key(EmulatedMachine& m, const std::string& path = kKey) {
    return m.Reg().Open(RegRoot::kLocalMachine, path, RegAccess::kAll, true);
  }
  std::string Dump(EmulatedMachine& m) {
    std::string text, error;
    EXPECT_TRUE(m.RegistryText("", &text, &error)) << error;
    return text;
  }
  // The machine's files as they are now, as a crash would leave them (the
  // open machine has not compacted), opened as a second machine.
  std::unique_ptr<EmulatedMachine> Crashed(std::string* error, const std::string& name = "crashed",
                                           const std::string& from = "") {
    std::string copy = root_ + "/" + name;
    fs::remove_all(copy);
    fs::copy(from.empty() ? Dir() : from, copy, fs::copy_options::recursive);
    return EmulatedMachine::Open(copy, error);
  }
  std::string root_;
  std::unique_ptr<EmulatedMachine> m_;
};

TEST_F(RegistryStoreTest, ChangesSurviveACrashThroughTheJournal) {
  std::string base = Read(Dir() + "/registry.reg");
  auto k = Key(*m_);
  ASSERT_TRUE(k);
  ASSERT_TRUE(k->Set("File1", RegValue::String("C:\\TAVWIN\\A.EXE")));
  ASSERT_TRUE(k->Set("Entries", RegValue::String("1")));
  ASSERT_TRUE(k->Set("Gone", RegValue::Dword(5)));
  ASSERT_TRUE(k->Set("Blob", RegValue::Binary(std::string("\0\r\n\"\\", 5))));
  ASSERT_TRUE(k->Set("entries", RegValue::String("2")));  // same value, first case kept
  ASSERT_TRUE(k->DeleteValue("GONE"));
  ASSERT_TRUE(Key(*m_, std::string(kKey) + "\\Sub\\Deeper"));
  ASSERT_TRUE(Key(*m_, std::string(kKey) + "\\Sub\\Other")->Set("x", RegValue::String("y")));
  ASSERT_TRUE(k->DeleteTree("SUB\\deeper"));
  auto cleared = Key(*m_, "SOFTWARE\\Cleared\\Inner");
  ASSERT_TRUE(cleared->Set("", RegValue::String("default")));
  auto parent = Key(*m_, "SOFTWARE\\Cleared");
  ASSERT_TRUE(parent->Set("v", RegValue::String("w")));
  ASSERT_TRUE(parent->DeleteTree(""));  // empties the key, which stays
  ASSERT_TRUE(m_->Reg().Open(RegRoot::kClassesRoot, ".tav", RegAccess::kAll, true)
                  ->Set("", RegValue::String("tavfile")));
  ASSERT_TRUE(m_->Reg().DeleteKeyTree(RegRoot::kCurrentUser, "Software\\Microsoft"));
  // Nothing was compacted: registry.reg is as the machine was created.
  EXPECT_EQ(Read(Dir() + "/registry.reg"), base);

  std::string error;
  auto after = Crashed(&error);
  ASSERT_TRUE(after) << error;
  EXPECT_EQ(Dump(*after), Dump(*m_));
  EXPECT_TRUE(after->RegistryWarnings().empty());
  auto back = after->Reg().Open(RegRoot::kLocalMachine, kKey, RegAccess::kRead, false);
  ASSERT_TRUE(back);
  std::vector<std::string> names;
  ASSERT_TRUE(back->ValueNames(&names));
  EXPECT_EQ(names, (std::vector<std::string>{"Blob", "Entries", "File1"}));
  RegValue v;
  ASSERT_TRUE(back->Query("blob", &v));
  EXPECT_EQ(v.type, regtype::kBinary);
  EXPECT_EQ(v.data, std::string("\0\r\n\"\\", 5));
  ASSERT_TRUE(back->SubkeyNames(&names));
  EXPECT_EQ(names, std::vector<std::string>{"Sub"});
  auto sub = after->Reg().Open(RegRoot::kLocalMachine, std::string(kKey) + "\\Sub", RegAccess::kRead, false);
  ASSERT_TRUE(sub->SubkeyNames(&names));
  EXPECT_EQ(names, std::vector<std::string>{"Other"});
  auto emptied = after->Reg().Open(RegRoot::kLocalMachine, "SOFTWARE\\Cleared", RegAccess::kRead, false);
  ASSERT_TRUE(emptied);
  ASSERT_TRUE(emptied->SubkeyNames(&names));
  EXPECT_TRUE(names.empty());
  ASSERT_TRUE(emptied->ValueNames(&names));
  EXPECT_TRUE(names.empty());
  EXPECT_FALSE(after->Reg().Open(RegRoot::kCurrentUser, "Software\\Microsoft", RegAccess::kRead, false));
  auto tav = after->Reg().Open(RegRoot::kLocalMachine, "SOFTWARE\\Classes\\.TAV", RegAccess::kRead, false);
  ASSERT_TRUE(tav && tav->Query("", &v));
  EXPECT_EQ(*v.AsString(), "tavfile");
}

// Several values of a key set together are one journal record: after a
// crash both are there. A bad name stops the set at that value.
TEST_F(RegistryStoreTest, ValuesSetTogetherAreOneRecord) {
  auto k = Key(*m_);
  ASSERT_TRUE(k);
  const uint64_t before = fs::file_size(Dir() + "/registry.log");
  EXPECT_EQ(k->SetValues({{"File7", RegValue::String("C:\\A.DLL")}, {"Entries", RegValue::String("7")}}), 2u);
  const std::string journal = Read(Dir() + "/registry.log").substr(before);
  EXPECT_EQ(journal.find("File7"), journal.rfind("File7"));
  std::string error;
  auto crashed = Crashed(&error);
  ASSERT_TRUE(crashed) << error;
  auto ck = crashed->Reg().Open(RegRoot::kLocalMachine, kKey, RegAccess::kRead, false);
  RegValue v;
  ASSERT_TRUE(ck && ck->Query("File7", &v));
  EXPECT_EQ(v.AsString(), "C:\\A.DLL");
  ASSERT_TRUE(ck->Query("Entries", &v));
  EXPECT_EQ(v.AsString(), "7");

  EXPECT_EQ(k->SetValues({{"First", RegValue::Dword(1)}, {"", RegValue::Dword(2)},
                          {std::string("Bad\0Name", 8), RegValue::Dword(3)}, {"Last", RegValue::Dword(4)}}),
            2u);
  EXPECT_EQ(m_->LastError(), winerr::kInvalidParameter);
  EXPECT_TRUE(k->Query("First", &v));
  EXPECT_FALSE(k->Query("Last", &v));
  auto read_only = m_->Reg().Open(RegRoot::kLocalMachine, kKey, RegAccess::kRead, false);
  ASSERT_TRUE(read_only);
  EXPECT_EQ(read_only->SetValues({{"Other", RegValue::Dword(1)}}), 0u);
  EXPECT_EQ(m_->LastError(), winerr::kAccessDenied);
}

TEST_F(RegistryStoreTest, CompactionKeepsTheContentAndEmptiesTheJournal) {
  auto k = Key(*m_);
  for (int i = 0; i < 20; ++i) ASSERT_TRUE(k->Set("File" + std::to_string(i), RegValue::Dword(i)));
  ASSERT_TRUE(k->DeleteValue("File3"));
  RegValue wide;
  wide.type = 11;  // REG_QWORD: its type is written in hexadecimal
  wide.data = std::string("\1\2\3\4\5\6\7\10", 8);
  ASSERT_TRUE(k->Set("Wide", wide));
  std::string before = Dump(*m_);
  std::string error;
  ASSERT_TRUE(m_->RegImpl().Compact(&error)) << error;
  EXPECT_EQ(Dump(*m_), before);
  EXPECT_EQ(Read(Dir() + "/registry.reg"), before);  // the whole registry, as REGEDIT4
  std::string log = Read(Dir() + "/registry.log");
  EXPECT_EQ(log.compare(0, 10, "KITREGLOG "), 0);
  EXPECT_EQ(log.find('@'), std::string::npos) << log;  // no records left
  auto after = Crashed(&error);
  ASSERT_TRUE(after) << error;
  EXPECT_EQ(Dump(*after), before);
  // Closing compacts too; a restart as well.
  ASSERT_TRUE(k->Set("Late", RegValue::String("x")));
  before = Dump(*m_);
  k.reset();
  m_.reset();
  EXPECT_EQ(Read(Dir() + "/registry.reg"), before);
  m_ = EmulatedMachine::Open(Dir(), &error);
  ASSERT_TRUE(m_) << error;
  ASSERT_TRUE(Key(*m_)->Set("BeforeRestart", RegValue::String("y")));
  ASSERT_TRUE(m_->Restart(&error)) << error;
  EXPECT_NE(Read(Dir() + "/registry.reg").find("\"BeforeRestart\"=\"y\""), std::string::npos);
}

TEST_F(RegistryStoreTest, TheJournalIsCompactedWhenItOutgrowsTheRegistry) {
  auto k = Key(*m_);
  std::string big(8192, 'x');
  for (int i = 0; i < 160; ++i)  // 1.3 MB of records
    ASSERT_TRUE(k->Set("V" + std::to_string(i), RegValue::Binary(big)));
  EXPECT_LT(fs::file_size(Dir() + "/registry.log"), 1u << 20);
  EXPECT_GT(fs::file_size(Dir() + "/registry.reg"), 1u << 20);
  std::string error;
  auto after = Crashed(&error);
  ASSERT_TRUE(after) << error;
  EXPECT_EQ(Dump(*after), Dump(*m_));
}

TEST_F(RegistryStoreTest, ARecordCutShortIsLeftOutAndTheNextWriteIsKept) {
  auto k = Key(*m_);
  ASSERT_TRUE(k->Set("First", RegValue::String("1")));
  ASSERT_TRUE(k->Set("Second", RegValue::String("2")));
  std::string log_file = Dir() + "/registry.log";
  std::string full = Read(log_file);
  ASSERT_TRUE(k->Set("Torn", RegValue::String(std::string(300, 't'))));
  std::string with_torn = Read(log_file);
  // The crash cut the last record short, leaving more of it than the next
  // record will take.
  size_t cut = full.size() + (with_torn.size() - full.size()) * 4 / 5;
  Write(log_file, with_torn.substr(0, cut));
  std::string error;
  auto crashed = Crashed(&error);
  ASSERT_TRUE(crashed) << error;
  ASSERT_EQ(crashed->RegistryWarnings().size(), 1u);
  EXPECT_NE(crashed->RegistryWarnings()[0].find("registry.log: the record at offset " +
                                                 std::to_string(full.size()) + " is incomplete"),
            std::string::npos)
      << crashed->RegistryWarnings()[0];
  auto ck = Key(*crashed);
  RegValue v;
  EXPECT_TRUE(ck->Query("First", &v));
  EXPECT_TRUE(ck->Query("Second", &v));
  EXPECT_FALSE(ck->Query("Torn", &v));
  // A record behind the torn one would be lost at the next load: the write
  // must not land there.
  ASSERT_TRUE(ck->Set("After", RegValue::String("4")));
  auto after = Crashed(&error, "crashed2", root_ + "/crashed");
  ASSERT_TRUE(after) << error;
  EXPECT_TRUE(after->RegistryWarnings().empty());
  auto back = after->Reg().Open(RegRoot::kLocalMachine, kKey, RegAccess::kRead, false);
  ASSERT_TRUE(back);
  EXPECT_TRUE(back->Query("After", &v));
  EXPECT_TRUE(back->Query("Second", &v));
  EXPECT_FALSE(back->Query("Torn", &v));
}

TEST_F(RegistryStoreTest, ADamagedRecordIsLeftOutWithWhatFollows) {
  auto k = Key(*m_);
  std::string log_file = Dir() + "/registry.log";
  ASSERT_TRUE(k->Set("A", RegValue::String("1")));
  size_t second = Read(log_file).size();
  ASSERT_TRUE(k->Set("B", RegValue::String("2")));
  ASSERT_TRUE(k->Set("C", RegValue::String("3")));
  std::string data = Read(log_file);
  data[second + 30] ^= 1;  // inside the payload of the record of B
  Write(log_file, data);
  std::string error;
  auto after = Crashed(&error);
  ASSERT_TRUE(after) << error;
  ASSERT_EQ(after->RegistryWarnings().size(), 1u);
  EXPECT_NE(after->RegistryWarnings()[0].find("offset " + std::to_string(second) + " is damaged"),
            std::string::npos)
      << after->RegistryWarnings()[0];
  auto back = after->Reg().Open(RegRoot::kLocalMachine, kKey, RegAccess::kRead, false);
  RegValue v;
  EXPECT_TRUE(back->Query("A", &v));
  EXPECT_FALSE(back->Query("B", &v));
  EXPECT_FALSE(back->Query("C", &v));
  // Garbage instead of a journal does not stop the machine either.
  after.reset();
  Write(root_ + "/crashed/registry.log", "\x7f" "ELF garbage");
  after = EmulatedMachine::Open(root_ + "/crashed", &error);
  ASSERT_TRUE(after) << error;
  ASSERT_EQ(after->RegistryWarnings().size(), 1u);
  EXPECT_NE(after->RegistryWarnings()[0].find("not a registry journal"), std::string::npos);
}

TEST_F(RegistryStoreTest, AJournalOfAnEarlierRegistryFileIsNotReplayed) {
  // A crash after compaction replaced registry.reg but before the journal
  // was emptied: the journal's records are in registry.reg already.
  auto k = Key(*m_);
  ASSERT_TRUE(k->Set("Count", RegValue::String("1")));
  ASSERT_TRUE(k->DeleteValue("Count"));
  std::string log = Read(Dir() + "/registry.log");
  std::string error;
  ASSERT_TRUE(m_->RegImpl().Compact(&error)) << error;
  ASSERT_TRUE(k->Set("Count", RegValue::String("2")));
  ASSERT_TRUE(m_->RegImpl().Compact(&error)) << error;
  Write(Dir() + "/registry.log", log);  // set Count=1 and delete it, again
  auto after = Crashed(&error);
  ASSERT_TRUE(after) << error;
  RegValue v;
  auto back = after->Reg().Open(RegRoot::kLocalMachine, kKey, RegAccess::kRead, false);
  ASSERT_TRUE(back->Query("Count", &v));
  EXPECT_EQ(*v.AsString(), "2");
  ASSERT_EQ(after->RegistryWarnings().size(), 1u);
  EXPECT_NE(after->RegistryWarnings()[0].find("written for another"), std::string::npos);
}

// Killed after compaction wrote registry.reg, before the emptied journal
// replaced the old one: the old records are in registry.reg, nothing is lost
// and nothing is said.
TEST_F(RegistryStoreTest, ACompactionCutShortBeforeTheJournalLosesNothingAndWarnsOfNothing) {
  ASSERT_TRUE(Key(*m_)->Set("Kept", RegValue::String("yes")));
  std::string log = Read(Dir() + "/registry.log");
  std::string error;
  ASSERT_TRUE(m_->RegImpl().Compact(&error)) << error;
  Write(Dir() + "/registry.log", log);
  auto after = Crashed(&error);
  ASSERT_TRUE(after) << error;
  EXPECT_TRUE(after->RegistryWarnings().empty()) << after->RegistryWarnings()[0];
  EXPECT_EQ(Dump(*after), Dump(*m_));
}

// One changed digit in the journal's header loses none of its records, and
// they survive the next change and a reopening.
TEST_F(RegistryStoreTest, ADamagedJournalHeaderLosesNoRecord) {
  ASSERT_TRUE(Key(*m_)->Set("First", RegValue::String("1")));
  ASSERT_TRUE(Key(*m_)->Set("Second", RegValue::String("2")));
  std::string log = Read(Dir() + "/registry.log");
  ASSERT_EQ(log.compare(0, 12, "KITREGLOG 1 "), 0) << log;
  log[12] = log[12] == '0' ? '1' : '0';
  Write(Dir() + "/registry.log", log);
  std::string error;
  auto after = Crashed(&error);
  ASSERT_TRUE(after) << error;
  EXPECT_EQ(Dump(*after), Dump(*m_));
  ASSERT_EQ(after->RegistryWarnings().size(), 1u);
  EXPECT_NE(after->RegistryWarnings()[0].find("registry.log: its header is damaged; its 3 record(s)"),
            std::string::npos)
      << after->RegistryWarnings()[0];
  ASSERT_TRUE(Key(*after)->Set("Third", RegValue::String("3")));
  after.reset();
  auto again = EmulatedMachine::Open(root_ + "/crashed", &error);
  ASSERT_TRUE(again) << error;
  EXPECT_TRUE(again->RegistryWarnings().empty());
  std::vector<std::string> names;
  ASSERT_TRUE(again->Reg().Open(RegRoot::kLocalMachine, kKey, RegAccess::kRead, false)->ValueNames(&names));
  EXPECT_EQ(names, (std::vector<std::string>{"First", "Second", "Third"}));
}

// Looking at a registry whose journal ends in a damaged record changes no file.
TEST_F(RegistryStoreTest, ReadingNeverRewritesTheJournal) {
  ASSERT_TRUE(Key(*m_)->Set("A", RegValue::String("1")));
  std::string log = Read(Dir() + "/registry.log") + "@0000ffff 00000000\nunused";
  Write(Dir() + "/registry.log", log);
  std::string base = Read(Dir() + "/registry.reg");
  std::string error;
  auto reader = Crashed(&error);
  ASSERT_TRUE(reader) << error;
  EXPECT_NE(Dump(*reader).find("\"A\"=\"1\""), std::string::npos);
  reader.reset();
  EXPECT_EQ(Read(root_ + "/crashed/registry.log"), log);
  EXPECT_EQ(Read(root_ + "/crashed/registry.reg"), base);
}

// Writes may use `bytes` more of any file, then fail as on a full disk.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(uint64_t bytes) {
    ::signal(SIGXFSZ, SIG_IGN);
    ::getrlimit(RLIMIT_FSIZE, &saved_);
    struct rlimit r = saved_;
    r.rlim_cur = bytes;
    ::setrlimit(RLIMIT_FSIZE, &r);
  }
  ~FileSizeLimit() { ::setrlimit(RLIMIT_FSIZE, &saved_); }

 private:
  struct rlimit saved_;
};

TEST_F(RegistryStoreTest, AWriteThatCannotReachTheDiskFails) {
  auto k = Key(*m_);
  ASSERT_TRUE(k->Set("Kept", RegValue::String("1")));
  uint64_t size = fs::file_size(Dir() + "/registry.log");
  {
    FileSizeLimit limit(size + 20);  // room for part of the record only
    EXPECT_FALSE(k->Set("Lost", RegValue::String(std::string(200, 'x'))));
    EXPECT_EQ(m_->LastError(), winerr::kDiskFull);
    EXPECT_FALSE(Key(*m_, "SOFTWARE\\NewKey"));
    EXPECT_EQ(m_->LastError(), winerr::kDiskFull);
  }
  RegValue v;
  EXPECT_FALSE(k->Query("Lost", &v));  // not there, not even in memory
  EXPECT_FALSE(m_->Reg().Open(RegRoot::kLocalMachine, "SOFTWARE\\NewKey", RegAccess::kRead, false));
  std::string error;
  {
    auto after = Crashed(&error);
    ASSERT_TRUE(after) << error;
    auto back = after->Reg().Open(RegRoot::kLocalMachine, kKey, RegAccess::kRead, false);
    EXPECT_TRUE(back->Query("Kept", &v));
    EXPECT_FALSE(back->Query("Lost", &v));
  }
  // Once there is room again, writing goes on behind the good records.
  ASSERT_TRUE(k->Set("Later", RegValue::String("2")));
  auto after = Crashed(&error, "crashed2");
  ASSERT_TRUE(after) << error;
  EXPECT_TRUE(after->RegistryWarnings().empty());
  auto back = after->Reg().Open(RegRoot::kLocalMachine, kKey, RegAccess::kRead, false);
  EXPECT_TRUE(back->Query("Later", &v));
  EXPECT_TRUE(back->Query("Kept", &v));
  EXPECT_FALSE(back->Query("Lost", &v));
}

TEST_F(RegistryStoreTest, AFailedCompactionLosesNothing) {
  auto k = Key(*m_);
  ASSERT_TRUE(k->Set("Big", RegValue::Binary(std::string(4096, 'b'))));
  std::string before = Dump(*m_);
  std::string error;
  {
    FileSizeLimit limit(1024);  // registry.reg no longer fits
    EXPECT_FALSE(m_->RegImpl().Compact(&error));
  }
  EXPECT_NE(error.find("registry.reg"), std::string::npos) << error;
  EXPECT_EQ(Dump(*m_), before);
  auto after = Crashed(&error);
  ASSERT_TRUE(after) << error;
  EXPECT_EQ(Dump(*after), before);
  EXPECT_TRUE(after->RegistryWarnings().empty());
  // A journal that cannot be written to (here: a folder in its place).
  after.reset();
  fs::remove(Dir() + "/registry.log");
  fs::create_directory(Dir() + "/registry.log");
  EXPECT_FALSE(k->Set("Nowhere", RegValue::String("x")));
  EXPECT_NE(m_->LastError(), 0u);
}

TEST_F(RegistryStoreTest, TwoMachinesOfOneDirectorySeeEachOthersChangesAndCompactions) {
  std::string error;
  auto other = EmulatedMachine::Open(Dir(), &error);
  ASSERT_TRUE(other) << error;
  ASSERT_TRUE(Key(*other)->Set("FromOther", RegValue::String("1")));
  auto k = Key(*m_);
  RegValue v;
  ASSERT_TRUE(k->Query("FromOther", &v));
  other.reset();  // compacts under the first one
  ASSERT_TRUE(k->Query("FromOther", &v));
  ASSERT_TRUE(k->Set("FromFirst", RegValue::String("2")));
  other = EmulatedMachine::Open(Dir(), &error);
  ASSERT_TRUE(other) << error;
  // A key deleted by the other machine under an open handle.
  ASSERT_TRUE(other->Reg().DeleteKeyTree(RegRoot::kLocalMachine, kKey));
  EXPECT_FALSE(k->Set("Orphan", RegValue::String("3")));
  EXPECT_EQ(m_->LastError(), winerr::kKeyDeleted);
  EXPECT_EQ(Dump(*m_), Dump(*other));
  auto after = Crashed(&error);
  ASSERT_TRUE(after) << error;
  EXPECT_EQ(Dump(*after), Dump(*other));
}

}  // namespace
}  // namespace kit
