// The contract of the platform layer: what both backends (the real Win32 API
// under Wine, and the emulated machine) must answer alike. Only platform.h
// and the test machine are used, so the same source runs against either.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>

#include "platform/platform.h"
#include "platform/testing/test_machine.h"

namespace kit {
namespace {

using testing::NewTestMachine;
using testing::TestMachine;
using Names = std::vector<std::string>;

const char kSessionManager[] = "SYSTEM\\CurrentControlSet\\Control\\Session Manager";

std::string Upper(std::string s) {
  for (auto& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return s;
}

std::string LeafName(const std::string& path) {
  size_t cut = path.find_last_of('\\');
  return cut == std::string::npos ? path : path.substr(cut + 1);
}

Names Sorted(Names v) {
  std::sort(v.begin(), v.end());
  return v;
}

// DOS date and time (local) from their parts.
uint32_t Dos(int year, int month, int day, int hour, int minute, int second) {
  uint32_t date = static_cast<uint32_t>(((year - 1980) << 9) | (month << 5) | day);
  uint32_t time = static_cast<uint32_t>((hour << 11) | (minute << 5) | (second / 2));
  return (date << 16) | time;
}

class Contract : public ::testing::Test {
 protected:
  void SetUp() override {
    machine_ = NewTestMachine();
    dir_ = machine_->Scratch();
    ASSERT_FALSE(dir_.empty());
    ASSERT_TRUE(fs().DirectoryExists(dir_)) << dir_;
    // A registry area of this test only, named after the scratch directory.
    key_ = "Software\\KitContract\\" + LeafName(dir_);
  }
  void TearDown() override {
    if (machine_) reg().DeleteKeyTree(RegRoot::kCurrentUser, key_);
  }

  Platform& p() { return machine_->platform(); }
  FileSystem& fs() { return p().Files(); }
  Registry& reg() { return p().Reg(); }
  uint32_t err() { return p().LastError(); }
  std::string At(const std::string& name) { return dir_ + "\\" + name; }

  void Put(const std::string& path, const std::string& content) {
    auto f = fs().Open(path, FileAccess::kWrite, share::kNone, Disposition::kCreateAlways);
    ASSERT_TRUE(f) << path << " error " << err();
    uint32_t n = 0;
    ASSERT_TRUE(f->Write(content.data(), static_cast<uint32_t>(content.size()), &n));
    ASSERT_EQ(n, content.size());
  }
  std::string Get(const std::string& path) {
    auto f = fs().Open(path, FileAccess::kRead, share::kRead, Disposition::kOpenExisting);
    if (!f) return "<cannot open: " + std::to_string(err()) + ">";
    std::string out(4096, '\0');
    uint32_t n = 0;
    if (!f->Read(out.data(), static_cast<uint32_t>(out.size()), &n)) return "<cannot read>";
    out.resize(n);
    return out;
  }
  std::unique_ptr<RegKey> Key(const std::string& sub, bool create = true) {
    return reg().Open(RegRoot::kCurrentUser, sub.empty() ? key_ : key_ + "\\" + sub,
                      RegAccess::kAll, create);
  }
  std::vector<std::string> PendingRenames() {
    auto sm = reg().Open(RegRoot::kLocalMachine, kSessionManager, RegAccess::kRead, false);
    RegValue v;
    if (!sm || !sm->Query("PendingFileRenameOperations", &v)) return {};
    EXPECT_EQ(v.type, regtype::kMultiSz);
    // Empty strings are entries here (an empty target means: delete), so the
    // list is split by hand rather than with AsMultiString.
    std::vector<std::string> out;
    std::string cur;
    for (size_t i = 0; i < v.data.size(); ++i) {
      if (v.data[i] != '\0') {
        cur.push_back(v.data[i]);
        continue;
      }
      if (cur.empty() && out.size() % 2 == 0) break;  // the list's end
      out.push_back(cur);
      cur.clear();
    }
    return out;
  }
  bool Restart() {
    std::string why;
    bool ok = machine_->RestartWindows(&why);
    EXPECT_TRUE(ok) << why;
    return ok;
  }

  std::unique_ptr<TestMachine> machine_;
  std::string dir_;
  std::string key_;
};

// ---------------------------------------------------------------- registry

TEST_F(Contract, RegistryNamesIgnoreCaseAndKeepIt) {
  auto k = Key("MixedCase\\Inner");
  ASSERT_TRUE(k) << err();
  ASSERT_TRUE(k->Set("ValueName", RegValue::String("first")));
  auto same = reg().Open(RegRoot::kCurrentUser, Upper(key_) + "\\MIXEDCASE\\inner",
                         RegAccess::kAll, false);
  ASSERT_TRUE(same) << err();
  RegValue v;
  ASSERT_TRUE(same->Query("VALUENAME", &v));
  EXPECT_EQ(v.AsString(), "first");
  // Writing under another case replaces the value and keeps the first name.
  ASSERT_TRUE(same->Set("valuename", RegValue::String("second")));
  Names names;
  ASSERT_TRUE(k->ValueNames(&names));
  EXPECT_EQ(names, Names{"ValueName"});
  ASSERT_TRUE(k->Query("ValueName", &v));
  EXPECT_EQ(v.AsString(), "second");
  // Creating an existing key under another case opens it.
  ASSERT_TRUE(Key("MIXEDCASE\\INNER\\Leaf"));
  ASSERT_TRUE(Key("")->SubkeyNames(&names));
  EXPECT_EQ(names, Names{"MixedCase"});
  ASSERT_TRUE(Key("mixedcase")->SubkeyNames(&names));
  EXPECT_EQ(names, Names{"Inner"});
  // A leading backslash is allowed.
  EXPECT_TRUE(reg().Open(RegRoot::kCurrentUser, "\\" + key_ + "\\MixedCase", RegAccess::kRead,
                         false));
}

TEST_F(Contract, RegistryValueTypesAreKept) {
  auto k = Key("Types");
  ASSERT_TRUE(k);
  const std::string binary("\x00\x01\xFF\x00\x7F", 5);
  ASSERT_TRUE(k->Set("Count", RegValue::Dword(0x12345678)));
  ASSERT_TRUE(k->Set("Text", RegValue::String("42")));
  ASSERT_TRUE(k->Set("Empty", RegValue::String("")));
  ASSERT_TRUE(k->Set("List", RegValue::MultiString({"C:\\A B", "x", "\xFE\xFD"})));
  ASSERT_TRUE(k->Set("Bytes", RegValue::Binary(binary)));
  ASSERT_TRUE(k->Set("", RegValue::String("default value")));

  RegValue v;
  ASSERT_TRUE(k->Query("Count", &v));
  EXPECT_EQ(v.type, regtype::kDword);
  EXPECT_EQ(v.AsDword(), 0x12345678u);
  EXPECT_FALSE(v.AsString()) << "a DWORD is not readable as a string";
  ASSERT_TRUE(k->Query("Text", &v));
  EXPECT_EQ(v.type, regtype::kSz);
  EXPECT_EQ(v.data, std::string("42\0", 3));
  EXPECT_FALSE(v.AsDword()) << "a string is not readable as a DWORD";
  ASSERT_TRUE(k->Query("Empty", &v));
  EXPECT_EQ(v.AsString(), "");
  ASSERT_TRUE(k->Query("List", &v));
  EXPECT_EQ(v.type, regtype::kMultiSz);
  EXPECT_EQ(v.data, std::string("C:\\A B\0x\0\xFE\xFD\0\0", 13));
  EXPECT_EQ(v.AsMultiString(), (Names{"C:\\A B", "x", "\xFE\xFD"}));
  EXPECT_FALSE(v.AsString());
  ASSERT_TRUE(k->Query("Bytes", &v));
  EXPECT_EQ(v.type, regtype::kBinary);
  EXPECT_EQ(v.data, binary);
  ASSERT_TRUE(k->Query("", &v));
  EXPECT_EQ(v.AsString(), "default value");

  // A value that changes its type.
  ASSERT_TRUE(k->Set("Count", RegValue::String("now text")));
  ASSERT_TRUE(k->Query("Count", &v));
  EXPECT_EQ(v.type, regtype::kSz);

  EXPECT_FALSE(k->Query("Missing", &v));
  EXPECT_EQ(err(), winerr::kFileNotFound);
  ASSERT_TRUE(k->DeleteValue("TEXT"));
  EXPECT_FALSE(k->Query("Text", &v));
  EXPECT_FALSE(k->DeleteValue("Text"));
  EXPECT_EQ(err(), winerr::kFileNotFound);
}

TEST_F(Contract, RegistryDeleteTreeTakesEverythingBelow) {
  ASSERT_TRUE(Key("Top\\Mid\\Deep\\Deeper"));
  ASSERT_TRUE(Key("Top\\Mid")->Set("v", RegValue::Dword(1)));
  ASSERT_TRUE(Key("Top\\Side")->Set("w", RegValue::String("x")));
  ASSERT_TRUE(Key("Other"));

  EXPECT_TRUE(reg().DeleteKeyTree(RegRoot::kCurrentUser, key_ + "\\TOP"));
  EXPECT_FALSE(Key("Top\\Mid", false));
  EXPECT_FALSE(Key("Top", false));
  Names names;
  ASSERT_TRUE(Key("")->SubkeyNames(&names));
  EXPECT_EQ(names, Names{"Other"});
  // Missing keys, or keys below missing keys, are harmless.
  EXPECT_TRUE(reg().DeleteKeyTree(RegRoot::kCurrentUser, key_ + "\\Top"));
  EXPECT_TRUE(reg().DeleteKeyTree(RegRoot::kCurrentUser, key_ + "\\No\\Such\\Key"));
  // The key's own DeleteTree reports a missing subkey.
  EXPECT_FALSE(Key("")->DeleteTree("Top"));
  EXPECT_EQ(err(), winerr::kFileNotFound);
  EXPECT_TRUE(Key("")->DeleteTree("other"));
  ASSERT_TRUE(Key("")->SubkeyNames(&names));
  EXPECT_TRUE(names.empty());
}

// Wine keeps values and subkeys sorted by name, compared without regard to
// case with letters taken as small letters ("_" sorts before "a"), whatever
// the order of creation. Windows NT sorts subkeys alike, by capitals, and
// gives values in creation order; nothing in the kit may depend on the
// order of values. The emulated machine follows Wine.
TEST_F(Contract, RegistryEnumerationOrder) {
  auto k = Key("Order");
  ASSERT_TRUE(k);
  const Names written = {"Zeta", "alpha", "_under", "Mid", "beta", "B2", "abc",
                         "ab",   "~t",    "[b",     "0z",  "a-b",  "a_b"};
  const Names sorted = {"0z",  "[b",    "_under", "a-b", "a_b",  "ab", "abc",
                        "alpha", "B2", "beta",   "Mid", "Zeta", "~t"};
  for (const auto& n : written) {
    ASSERT_TRUE(k->Set(n, RegValue::String(n)));
    ASSERT_TRUE(Key("Order\\" + n));
  }
  Names values, subkeys;
  ASSERT_TRUE(k->ValueNames(&values));
  EXPECT_EQ(values, sorted);
  ASSERT_TRUE(k->SubkeyNames(&subkeys));
  EXPECT_EQ(subkeys, sorted);
  // A value deleted and created again under another case takes its place
  // by the new name.
  ASSERT_TRUE(k->DeleteValue("alpha"));
  ASSERT_TRUE(k->Set("ALPHA", RegValue::Dword(2)));
  ASSERT_TRUE(k->ValueNames(&values));
  EXPECT_EQ(values[7], "ALPHA");
  EXPECT_EQ(values.size(), sorted.size());
}

TEST_F(Contract, RegistryOpenMissingKey) {
  EXPECT_FALSE(Key("Nowhere\\Deeper", false));
  EXPECT_EQ(err(), winerr::kFileNotFound);
  EXPECT_FALSE(reg().Open(RegRoot::kCurrentUser, key_ + "\\Nowhere", RegAccess::kRead, false));
  EXPECT_EQ(err(), winerr::kFileNotFound);
  // With create every missing key on the path is made.
  ASSERT_TRUE(Key("Nowhere\\Deeper"));
  EXPECT_TRUE(Key("Nowhere", false));
  // The root itself, by an empty path.
  auto root = reg().Open(RegRoot::kCurrentUser, "", RegAccess::kRead, false);
  ASSERT_TRUE(root);
  Names names;
  ASSERT_TRUE(root->SubkeyNames(&names));
  EXPECT_TRUE(std::any_of(names.begin(), names.end(),
                          [](const std::string& n) { return Upper(n) == "SOFTWARE"; }));
}

// ---------------------------------------------------------------- files

TEST_F(Contract, OpenFileWithoutDeleteSharingIsInUse) {
  const std::string path = At("inuse.dll");
  Put(path, "code");
  {
    auto f = fs().Open(path, FileAccess::kRead, share::kRead, Disposition::kOpenExisting);
    ASSERT_TRUE(f);
    EXPECT_FALSE(fs().RemoveFile(path));
    EXPECT_EQ(err(), winerr::kSharingViolation);
    EXPECT_FALSE(fs().Rename(path, At("moved.dll")));
    EXPECT_EQ(err(), winerr::kSharingViolation);
    EXPECT_TRUE(fs().Exists(path));
    // Reading by another opener is still allowed.
    EXPECT_EQ(Get(path), "code");
  }
  EXPECT_TRUE(fs().RemoveFile(path));
  EXPECT_FALSE(fs().Exists(path));
  EXPECT_FALSE(fs().RemoveFile(path));
  EXPECT_EQ(err(), winerr::kFileNotFound);
}

TEST_F(Contract, ShareModesOfOpeners) {
  const std::string path = At("shared.dat");
  Put(path, "data");
  auto open = [&](FileAccess a, uint32_t s) {
    return fs().Open(path, a, s, Disposition::kOpenExisting);
  };
  {
    auto reader = open(FileAccess::kRead, share::kRead);
    ASSERT_TRUE(reader);
    EXPECT_TRUE(open(FileAccess::kRead, share::kRead | share::kWrite));
    EXPECT_FALSE(open(FileAccess::kWrite, share::kAll)) << "the first opener denies writing";
    EXPECT_EQ(err(), winerr::kSharingViolation);
  }
  {
    auto writer = open(FileAccess::kWrite, share::kAll);
    ASSERT_TRUE(writer);
    // A second opener must allow what the first already does.
    EXPECT_FALSE(open(FileAccess::kRead, share::kRead));
    EXPECT_EQ(err(), winerr::kSharingViolation);
    EXPECT_TRUE(open(FileAccess::kRead, share::kRead | share::kWrite));
  }
  {
    auto exclusive = open(FileAccess::kRead, share::kNone);
    ASSERT_TRUE(exclusive);
    EXPECT_FALSE(open(FileAccess::kRead, share::kAll));
    EXPECT_EQ(err(), winerr::kSharingViolation);
  }
  EXPECT_TRUE(open(FileAccess::kReadWrite, share::kNone));
}

TEST_F(Contract, Dispositions) {
  const std::string path = At("disp.txt");
  auto open = [&](Disposition d) { return fs().Open(path, FileAccess::kReadWrite, share::kNone, d); };
  EXPECT_FALSE(open(Disposition::kOpenExisting));
  EXPECT_EQ(err(), winerr::kFileNotFound);
  EXPECT_FALSE(open(Disposition::kTruncateExisting));
  EXPECT_EQ(err(), winerr::kFileNotFound);
  EXPECT_FALSE(fs().Open(At("no\\such.txt"), FileAccess::kWrite, share::kNone,
                         Disposition::kCreateAlways));
  EXPECT_EQ(err(), winerr::kPathNotFound);

  ASSERT_TRUE(open(Disposition::kCreateNew));
  EXPECT_FALSE(open(Disposition::kCreateNew));
  EXPECT_EQ(err(), winerr::kFileExists);
  Put(path, "twelve bytes");
  EXPECT_EQ(open(Disposition::kOpenAlways)->Size(), 12);
  EXPECT_EQ(open(Disposition::kOpenExisting)->Size(), 12);
  EXPECT_EQ(open(Disposition::kTruncateExisting)->Size(), 0);
  Put(path, "again");
  EXPECT_EQ(open(Disposition::kCreateAlways)->Size(), 0);
  ASSERT_TRUE(fs().RemoveFile(path));
  ASSERT_TRUE(open(Disposition::kOpenAlways));
  EXPECT_TRUE(fs().Exists(path));
}

TEST_F(Contract, ReadWriteSeekSizeTruncate) {
  const std::string path = At("rw.bin");
  auto f = fs().Open(path, FileAccess::kReadWrite, share::kNone, Disposition::kCreateNew);
  ASSERT_TRUE(f);
  uint32_t n = 0;
  ASSERT_TRUE(f->Write("hello world", 11, &n));
  EXPECT_EQ(n, 11u);
  EXPECT_EQ(f->Size(), 11);
  int64_t pos = -1;
  ASSERT_TRUE(f->Seek(6, SeekOrigin::kBegin, &pos));
  EXPECT_EQ(pos, 6);
  char buf[16] = {};
  ASSERT_TRUE(f->Read(buf, sizeof buf, &n));
  EXPECT_EQ(std::string(buf, n), "world");
  ASSERT_TRUE(f->Read(buf, sizeof buf, &n));
  EXPECT_EQ(n, 0u) << "at the end a read gives nothing and succeeds";
  ASSERT_TRUE(f->Seek(-5, SeekOrigin::kEnd, &pos));
  EXPECT_EQ(pos, 6);
  ASSERT_TRUE(f->Seek(-1, SeekOrigin::kCurrent, &pos));
  EXPECT_EQ(pos, 5);
  EXPECT_FALSE(f->Seek(-100, SeekOrigin::kCurrent)) << "before the start";
  // Writing past the end fills the gap with zeros.
  ASSERT_TRUE(f->Seek(14, SeekOrigin::kBegin));
  ASSERT_TRUE(f->Write("!", 1, &n));
  EXPECT_EQ(f->Size(), 15);
  ASSERT_TRUE(f->Seek(5, SeekOrigin::kBegin));
  ASSERT_TRUE(f->Truncate());
  EXPECT_EQ(f->Size(), 5);
  f.reset();
  EXPECT_EQ(Get(path), "hello");
  Put(path, std::string("ab\0\0\0!", 6));

  auto ro = fs().Open(path, FileAccess::kRead, share::kAll, Disposition::kOpenExisting);
  ASSERT_TRUE(ro);
  EXPECT_FALSE(ro->Write("x", 1, &n));
  EXPECT_EQ(err(), winerr::kAccessDenied);
  auto wo = fs().Open(path, FileAccess::kWrite, share::kAll, Disposition::kOpenExisting);
  ASSERT_TRUE(wo);
  EXPECT_FALSE(wo->Read(buf, 1, &n));
  EXPECT_EQ(err(), winerr::kAccessDenied);
}

TEST_F(Contract, DosTimesRoundTrip) {
  const std::string path = At("dated.txt");
  Put(path, "x");
  // Summer and winter, so that a daylight-saving offset cannot hide.
  for (uint32_t t : {Dos(2001, 6, 15, 13, 45, 30), Dos(1998, 1, 2, 3, 4, 58)}) {
    ASSERT_TRUE(fs().SetTime(path, t)) << err();
    uint32_t got = 0;
    ASSERT_TRUE(fs().GetTime(path, &got));
    EXPECT_EQ(got, t);
    auto f = fs().Open(path, FileAccess::kRead, share::kAll, Disposition::kOpenExisting);
    ASSERT_TRUE(f && f->GetTime(&got));
    EXPECT_EQ(got, t);
    std::vector<FileEntry> entries;
    ASSERT_TRUE(fs().List(dir_, "dated.txt", &entries));
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].dos_time, t);
  }
  // Through an open handle; an odd second is not representable (2 s steps).
  const uint32_t t = Dos(2010, 12, 31, 23, 59, 59);
  EXPECT_EQ(t & 0x1F, 29u);
  {
    auto f = fs().Open(path, FileAccess::kReadWrite, share::kNone, Disposition::kOpenExisting);
    ASSERT_TRUE(f && f->SetTime(t));
  }
  uint32_t got = 0;
  ASSERT_TRUE(fs().GetTime(path, &got));
  EXPECT_EQ(got, t);
  EXPECT_FALSE(fs().GetTime(At("missing.txt"), &got));
  EXPECT_EQ(err(), winerr::kFileNotFound);
}

TEST_F(Contract, AttributesAndReadOnlyFiles) {
  const std::string path = At("ro.txt");
  Put(path, "keep");
  uint32_t a = fs().Attributes(path);
  ASSERT_NE(a, attr::kInvalid);
  EXPECT_EQ(a & attr::kDirectory, 0u);
  EXPECT_NE(fs().Attributes(dir_) & attr::kDirectory, 0u);
  EXPECT_TRUE(fs().DirectoryExists(dir_));
  EXPECT_FALSE(fs().Exists(dir_));

  ASSERT_TRUE(fs().SetAttributes(path, attr::kReadOnly));
  EXPECT_NE(fs().Attributes(path) & attr::kReadOnly, 0u);
  EXPECT_FALSE(fs().RemoveFile(path));
  EXPECT_EQ(err(), winerr::kAccessDenied);
  EXPECT_FALSE(fs().Open(path, FileAccess::kWrite, share::kAll, Disposition::kOpenExisting));
  EXPECT_EQ(err(), winerr::kAccessDenied);
  EXPECT_EQ(Get(path), "keep");
  Put(At("other.txt"), "other");
  EXPECT_FALSE(fs().Copy(At("other.txt"), path, false));
  EXPECT_EQ(err(), winerr::kAccessDenied);
  EXPECT_FALSE(fs().MoveEx(At("other.txt"), path, movefile::kReplaceExisting));
  EXPECT_EQ(err(), winerr::kAccessDenied);
  EXPECT_FALSE(fs().Open(path, FileAccess::kRead, share::kAll, Disposition::kCreateAlways));
  EXPECT_EQ(err(), winerr::kAccessDenied);
  EXPECT_EQ(Get(path), "keep");
  ASSERT_TRUE(fs().SetAttributes(path, attr::kNormal));
  EXPECT_EQ(fs().Attributes(path) & attr::kReadOnly, 0u);
  EXPECT_TRUE(fs().RemoveFile(path));

  EXPECT_EQ(fs().Attributes(At("missing")), attr::kInvalid);
  EXPECT_EQ(err(), winerr::kFileNotFound);
  EXPECT_EQ(fs().Attributes(At("missing\\deeper")), attr::kInvalid);
  EXPECT_EQ(err(), winerr::kPathNotFound);
}

TEST_F(Contract, RenameMoveAndCopy) {
  Put(At("a.txt"), "A");
  Put(At("b.txt"), "B");
  EXPECT_FALSE(fs().Rename(At("a.txt"), At("B.TXT")));
  EXPECT_EQ(err(), winerr::kAlreadyExists);
  EXPECT_FALSE(fs().MoveEx(At("a.txt"), At("b.txt"), 0));
  EXPECT_EQ(err(), winerr::kAlreadyExists);
  EXPECT_FALSE(fs().Rename(At("none.txt"), At("c.txt")));
  EXPECT_EQ(err(), winerr::kFileNotFound);

  ASSERT_TRUE(fs().MoveEx(At("a.txt"), At("b.txt"), movefile::kReplaceExisting));
  EXPECT_FALSE(fs().Exists(At("a.txt")));
  EXPECT_EQ(Get(At("b.txt")), "A");
  ASSERT_TRUE(fs().Rename(At("b.txt"), At("Renamed.TXT")));
  std::vector<FileEntry> entries;
  ASSERT_TRUE(fs().List(dir_, "*", &entries));
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].name, "Renamed.TXT");

  EXPECT_FALSE(fs().Copy(At("renamed.txt"), At("Renamed.txt"), true));
  EXPECT_EQ(err(), winerr::kFileExists);
  Put(At("c.txt"), "old content");
  ASSERT_TRUE(fs().Copy(At("renamed.txt"), At("c.txt"), false));
  EXPECT_EQ(Get(At("c.txt")), "A");
  EXPECT_EQ(Get(At("Renamed.TXT")), "A");
  // Directories move by name too.
  ASSERT_TRUE(fs().MakeDirectory(At("d1")));
  Put(At("d1\\in.txt"), "in");
  ASSERT_TRUE(fs().Rename(At("d1"), At("d2")));
  EXPECT_EQ(Get(At("d2\\in.txt")), "in");
}

TEST_F(Contract, Directories) {
  EXPECT_FALSE(fs().MakeDirectory(At("p\\q")));
  EXPECT_EQ(err(), winerr::kPathNotFound);
  ASSERT_TRUE(fs().MakeDirectory(At("p")));
  EXPECT_FALSE(fs().MakeDirectory(At("P")));
  EXPECT_EQ(err(), winerr::kAlreadyExists);
  ASSERT_TRUE(fs().MakeDirectories(At("p\\q\\r\\s")));
  EXPECT_TRUE(fs().DirectoryExists(At("P\\Q\\R\\S")));
  EXPECT_TRUE(fs().MakeDirectories(At("p\\q\\")));
  EXPECT_FALSE(fs().RemoveDir(At("p\\q")));
  EXPECT_EQ(err(), winerr::kDirNotEmpty);
  ASSERT_TRUE(fs().RemoveDir(At("p\\q\\r\\s")));
  EXPECT_FALSE(fs().RemoveDir(At("p\\q\\r\\s")));
  EXPECT_EQ(err(), winerr::kFileNotFound);
  Put(At("p\\q\\r\\file"), "");
  EXPECT_FALSE(fs().RemoveDir(At("p\\q\\r")));
  EXPECT_EQ(err(), winerr::kDirNotEmpty);
}

TEST_F(Contract, ListWithPatterns) {
  for (const char* name : {"a.txt", "B.TXT", "c.dat", "ab.dll", "abc.dll"}) Put(At(name), name);
  ASSERT_TRUE(fs().MakeDirectory(At("Sub")));
  std::vector<FileEntry> entries;
  auto names = [&](const std::string& dir, const std::string& pattern) {
    Names out;
    EXPECT_TRUE(fs().List(dir, pattern, &entries)) << pattern;
    for (const auto& e : entries) out.push_back(e.name);
    return Sorted(out);
  };
  EXPECT_EQ(names(dir_, "*"), (Names{"B.TXT", "Sub", "a.txt", "ab.dll", "abc.dll", "c.dat"}));
  for (const auto& e : entries) {
    EXPECT_EQ(e.IsDirectory(), e.name == "Sub") << e.name;
    if (!e.IsDirectory()) {
      EXPECT_EQ(e.size, static_cast<int64_t>(e.name.size())) << e.name;
    }
  }
  EXPECT_EQ(names(dir_, "*.txt"), (Names{"B.TXT", "a.txt"}));
  EXPECT_EQ(names(dir_, "A?.DLL"), (Names{"ab.dll"}));
  EXPECT_EQ(names(dir_, "ab*"), (Names{"ab.dll", "abc.dll"}));
  EXPECT_EQ(names(dir_ + "\\", "c.*"), (Names{"c.dat"}));
  EXPECT_EQ(names(dir_, "*.none"), Names{});
  EXPECT_EQ(names(At("Sub"), "*"), Names{}) << "no . and ..";
  EXPECT_FALSE(fs().List(At("missing"), "*", &entries));
  EXPECT_EQ(err(), winerr::kPathNotFound);
}

TEST_F(Contract, ShortNamesNameTheSameFile) {
  ASSERT_TRUE(fs().MakeDirectory(At("Long Directory Name")));
  const std::string path = At("Long Directory Name\\A very long file name.dll");
  Put(path, "long");
  std::string sp;
  ASSERT_TRUE(fs().ShortPath(path, &sp)) << err();
  // Every component of the answer is an 8.3 name; the file is the same.
  std::string rest = sp.substr(3);
  EXPECT_EQ(Upper(sp.substr(0, 3)), "C:\\");
  size_t start = 0;
  while (start <= rest.size()) {
    size_t end = rest.find('\\', start);
    std::string part = rest.substr(start, end == std::string::npos ? std::string::npos : end - start);
    size_t dot = part.find('.');
    EXPECT_LE(dot == std::string::npos ? part.size() : dot, 8u) << sp;
    if (dot != std::string::npos) {
      EXPECT_LE(part.size() - dot - 1, 3u) << sp;
    }
    EXPECT_EQ(part.find(' '), std::string::npos) << sp;
    if (end == std::string::npos) break;
    start = end + 1;
  }
  EXPECT_NE(Upper(sp), Upper(path));
  EXPECT_EQ(Get(sp), "long");
  std::string again;
  ASSERT_TRUE(fs().ShortPath(sp, &again));
  EXPECT_EQ(Upper(again), Upper(sp));
  EXPECT_FALSE(fs().ShortPath(At("missing file name.txt"), &sp));
  EXPECT_EQ(err(), winerr::kFileNotFound);
}

TEST_F(Contract, PathsAndTemporaryFiles) {
  std::string full;
  ASSERT_TRUE(fs().FullPath("C:\\a\\b\\..\\c\\.\\d.txt", &full));
  EXPECT_EQ(full, "C:\\a\\c\\d.txt");
  const std::string before = fs().CurrentDir();
  ASSERT_TRUE(fs().SetCurrentDir(dir_));
  EXPECT_EQ(Upper(fs().CurrentDir()), Upper(dir_));
  ASSERT_TRUE(fs().FullPath("x.txt", &full));
  EXPECT_EQ(Upper(full), Upper(dir_ + "\\x.txt"));
  ASSERT_TRUE(fs().SetCurrentDir(before));
  EXPECT_FALSE(fs().SetCurrentDir(At("missing")));

  std::string temp;
  ASSERT_TRUE(fs().TempDirectory(&temp));
  ASSERT_FALSE(temp.empty());
  EXPECT_EQ(temp.back(), '\\');
  EXPECT_TRUE(fs().DirectoryExists(temp));

  std::string t1, t2;
  ASSERT_TRUE(fs().TempFileName(dir_, "kitlong", &t1));
  ASSERT_TRUE(fs().TempFileName(dir_, "kit", &t2));
  EXPECT_NE(Upper(t1), Upper(t2));
  for (const auto& t : {t1, t2}) {
    EXPECT_EQ(Upper(t.substr(0, dir_.size() + 4)), Upper(dir_ + "\\KIT")) << t;
    EXPECT_EQ(Upper(t.substr(t.size() - 4)), ".TMP") << t;
    EXPECT_TRUE(fs().Exists(t));
    EXPECT_EQ(Get(t), "");
  }
  EXPECT_NE(Upper(LeafName(t1)).substr(0, 4), "KITL") << "three prefix characters at most";

  uint64_t free_bytes = 0, total = 0;
  ASSERT_TRUE(fs().DiskSpace("C:\\", &free_bytes, &total));
  EXPECT_GT(total, 0u);
  EXPECT_LE(free_bytes, total);
  ASSERT_TRUE(fs().DiskSpace(dir_, &free_bytes, &total));
  EXPECT_GT(total, 0u);
}

// ---------------------------------------------------------------- restart

TEST_F(Contract, DelayedMoveIsRecordedAndDoneAtRestart) {
  const std::string src = At("new.dll"), dst = At("target.dll"), doomed = At("doomed.tmp");
  Put(src, "new");
  Put(dst, "old");
  Put(doomed, "x");
  ASSERT_TRUE(fs().MoveEx(src, dst, movefile::kDelayUntilReboot | movefile::kReplaceExisting))
      << err();
  ASSERT_TRUE(fs().MoveEx(doomed, "", movefile::kDelayUntilReboot)) << err();
  // Nothing happens before the restart.
  EXPECT_EQ(Get(src), "new");
  EXPECT_EQ(Get(dst), "old");
  EXPECT_TRUE(fs().Exists(doomed));

  // Pairs of (source, target) in NT form; "!" marks a replacing move, an
  // empty target a deletion.
  const auto ops = PendingRenames();
  auto find = [&](const std::string& from) {
    for (size_t i = 0; i + 1 < ops.size(); i += 2)
      if (Upper(ops[i]) == Upper("\\??\\" + from)) return ops[i + 1];
    return std::string("<absent>");
  };
  EXPECT_EQ(find(src), "!\\??\\" + dst);
  EXPECT_EQ(find(doomed), "");

  ASSERT_TRUE(Restart());
  EXPECT_FALSE(fs().Exists(src));
  EXPECT_EQ(Get(dst), "new");
  EXPECT_FALSE(fs().Exists(doomed));
  const auto after = PendingRenames();
  for (const auto& entry : after) EXPECT_EQ(Upper(entry).find(Upper(dir_)), std::string::npos);
}

TEST_F(Contract, DelayedMoveWithoutReplaceKeepsAnExistingTarget) {
  const std::string src = At("new2.dll"), dst = At("kept.dll"), fresh = At("fresh.dll");
  Put(src, "new");
  Put(dst, "old");
  Put(At("src3.dll"), "moved");
  ASSERT_TRUE(fs().MoveEx(src, dst, movefile::kDelayUntilReboot));
  ASSERT_TRUE(fs().MoveEx(At("src3.dll"), fresh, movefile::kDelayUntilReboot));
  const auto ops = PendingRenames();
  bool found = false;
  for (size_t i = 0; i + 1 < ops.size(); i += 2)
    if (Upper(ops[i]) == Upper("\\??\\" + src)) {
      EXPECT_EQ(ops[i + 1], "\\??\\" + dst);
      found = true;
    }
  EXPECT_TRUE(found);
  ASSERT_TRUE(Restart());
  EXPECT_EQ(Get(dst), "old");
  EXPECT_EQ(Get(fresh), "moved");
  EXPECT_FALSE(fs().Exists(At("src3.dll")));
}

TEST_F(Contract, WininitRenameSectionIsDoneAtRestart) {
  std::string windir;
  ASSERT_TRUE(p().System().WindowsDirectory(&windir));
  const std::string wininit = windir + "\\WININIT.INI", bak = windir + "\\WININIT.BAK";
  if (fs().Exists(bak)) {
    ASSERT_TRUE(fs().RemoveFile(bak));
  }
  Put(At("NEWVER.DLL"), "new");
  Put(At("INUSE.DLL"), "old");
  Put(At("OBSOLETE.DLL"), "x");
  IniFiles& ini = p().Ini();
  ASSERT_TRUE(ini.Write(wininit, "rename", At("INUSE.DLL"), At("NEWVER.DLL")));
  ASSERT_TRUE(ini.Write(wininit, "rename", "NUL", At("OBSOLETE.DLL")));
  EXPECT_EQ(Get(At("INUSE.DLL")), "old");

  ASSERT_TRUE(Restart());
  EXPECT_EQ(Get(At("INUSE.DLL")), "new");
  EXPECT_FALSE(fs().Exists(At("NEWVER.DLL")));
  EXPECT_FALSE(fs().Exists(At("OBSOLETE.DLL")));
  EXPECT_FALSE(fs().Exists(wininit));
  EXPECT_TRUE(fs().Exists(bak));
  EXPECT_EQ(Upper(ini.Read(bak, "rename", "NUL", "")), Upper(At("OBSOLETE.DLL")));
}

// ---------------------------------------------------------------- INI files

TEST_F(Contract, IniFiles) {
  IniFiles& ini = p().Ini();
  const std::string file = At("product.ini");
  EXPECT_EQ(ini.Read(file, "Main", "Key", "dflt"), "dflt");
  ASSERT_TRUE(ini.Write(file, "Main", "Second", "2"));
  ASSERT_TRUE(ini.Write(file, "Main", "First", "one"));
  ASSERT_TRUE(ini.Write(file, "Other", "Key", "other"));
  ASSERT_TRUE(ini.Write(file, "Main", "Third", "  padded  "));
  EXPECT_TRUE(fs().Exists(file));
  EXPECT_EQ(ini.Read(file, "MAIN", "first", ""), "one");
  EXPECT_EQ(ini.Read(file, "Main", "Third", ""), "padded");
  EXPECT_EQ(ini.Read(file, "Main", "Missing", "dflt"), "dflt");
  EXPECT_EQ(ini.ReadSection(file, "main"), (Names{"Second", "First", "Third"}));
  // Overwriting keeps the key in its place.
  ASSERT_TRUE(ini.Write(file, "Main", "SECOND", "zwei"));
  EXPECT_EQ(ini.Read(file, "Main", "Second", ""), "zwei");
  EXPECT_EQ(ini.ReadSection(file, "Main").size(), 3u);
  EXPECT_EQ(ini.ReadSection(file, "Main")[0], "Second");
  ASSERT_TRUE(ini.DeleteKey(file, "Main", "first"));
  EXPECT_EQ(ini.ReadSection(file, "Main"), (Names{"Second", "Third"}));
  ASSERT_TRUE(ini.EraseSection(file, "MAIN"));
  EXPECT_EQ(ini.ReadSection(file, "Main"), Names{});
  EXPECT_EQ(ini.Read(file, "Other", "Key", ""), "other");
  EXPECT_EQ(ini.ReadSection(At("none.ini"), "Main"), Names{});
  // A long value comes back whole.
  const std::string long_value(5000, 'v');
  ASSERT_TRUE(ini.Write(file, "Other", "Long", long_value));
  EXPECT_EQ(ini.Read(file, "Other", "Long", ""), long_value);
}

// ---------------------------------------------------------------- system

TEST_F(Contract, SystemFactsArePlausible) {
  SystemInfo& sys = p().System();
  const int cls = PlatformClass(sys);
  EXPECT_TRUE(cls >= 1 && cls <= 3) << cls;
  OsVersion v;
  ASSERT_TRUE(sys.Version(&v));
  EXPECT_GE(v.major, 3u);

  std::string windir, sysdir;
  ASSERT_TRUE(sys.WindowsDirectory(&windir));
  ASSERT_TRUE(sys.SystemDirectory(&sysdir));
  for (const auto& d : {windir, sysdir}) {
    EXPECT_TRUE(fs().DirectoryExists(d)) << d;
    EXPECT_NE(d.back(), '\\') << d;
    EXPECT_EQ(d[1], ':') << d;
  }
  EXPECT_EQ(Upper(sysdir.substr(0, windir.size() + 1)), Upper(windir + "\\"));

  const std::string exe = Upper(LeafName(sys.ExePath()));
  EXPECT_EQ(exe.rfind("PLATFORM_CONTRACT_TESTS", 0), 0u) << sys.ExePath();

  const uint32_t acp = sys.AnsiCodePage(), oem = sys.OemCodePage();
  EXPECT_TRUE(acp == 874 || (acp >= 932 && acp <= 950) || (acp >= 1250 && acp <= 1258)) << acp;
  EXPECT_TRUE(oem >= 437 && oem <= 1258 && oem != acp) << oem;
  EXPECT_NE(sys.UserDefaultLanguage() & 0x3FF, 0) << "a primary language";

  const uint32_t t1 = sys.TickCount(), t2 = sys.TickCount();
  EXPECT_LE(t2 - t1, 1000u);

  p().SetError(winerr::kDiskFull);
  EXPECT_EQ(p().LastError(), winerr::kDiskFull);
  const std::string text = p().ErrorText(winerr::kFileNotFound);
  ASSERT_FALSE(text.empty());
  EXPECT_TRUE(text.back() != '\n' && text.back() != '\r') << text;
  EXPECT_NE(text, p().ErrorText(winerr::kAccessDenied));
}

}  // namespace
}  // namespace kit
