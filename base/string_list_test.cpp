#include "base/string_list.h"

#include <gtest/gtest.h>

#include <map>

#include "base/exception.h"
#include "base/text.h"
#include "platform/platform.h"

namespace kit {
namespace {

// A file system of a few files in memory, with faults a test can switch on.
class MemoryFiles : public FileSystem {
 public:
  std::map<std::string, std::string> files;  // upper-cased path -> bytes
  bool fail_reads = false;
  size_t disk_left = SIZE_MAX;  // bytes that still fit
  int temp_counter = 0;

  class MemFile : public File {
   public:
    MemFile(MemoryFiles* fs, std::string key) : fs_(fs), key_(std::move(key)) {}
    bool Read(void* buffer, uint32_t n, uint32_t* got) override {
      if (fs_->fail_reads) return false;
      const std::string& data = fs_->files[key_];
      size_t k = std::min<size_t>(n, data.size() - pos_);
      std::copy_n(data.data() + pos_, k, static_cast<char*>(buffer));
      pos_ += k;
      *got = static_cast<uint32_t>(k);
      return true;
    }
    bool Write(const void* buffer, uint32_t n, uint32_t* written) override {
      size_t k = std::min<size_t>(n, fs_->disk_left);
      fs_->files[key_].append(static_cast<const char*>(buffer), k);
      fs_->disk_left -= k;
      *written = static_cast<uint32_t>(k);
      return k == n;
    }
    bool Seek(int64_t, SeekOrigin, int64_t*) override { return false; }
    int64_t Size() override { return static_cast<int64_t>(fs_->files[key_].size()); }
    bool Truncate() override { return false; }
    bool GetTime(uint32_t*) override { return false; }
    bool SetTime(uint32_t) override { return false; }

   private:
    MemoryFiles* fs_;
    std::string key_;
    size_t pos_ = 0;
  };

  std::unique_ptr<File> Open(const std::string& path, FileAccess, uint32_t,
                             Disposition disposition) override {
    std::string key = UpperCase(path);
    bool exists = files.count(key) != 0;
    if (disposition == Disposition::kOpenExisting && !exists) return nullptr;
    if (disposition == Disposition::kCreateAlways) files[key].clear();
    return std::make_unique<MemFile>(this, key);
  }
  uint32_t Attributes(const std::string& p) override {
    return files.count(UpperCase(p)) ? attr::kArchive : attr::kInvalid;
  }
  bool SetAttributes(const std::string&, uint32_t) override { return false; }
  bool RemoveFile(const std::string& p) override { return files.erase(UpperCase(p)) != 0; }
  bool Rename(const std::string&, const std::string&) override { return false; }
  bool MoveEx(const std::string& from, const std::string& to, uint32_t) override {
    auto it = files.find(UpperCase(from));
    if (it == files.end()) return false;
    files[UpperCase(to)] = it->second;
    files.erase(it);
    return true;
  }
  bool Copy(const std::string&, const std::string&, bool) override { return false; }
  bool MakeDirectory(const std::string&) override { return false; }
  bool RemoveDir(const std::string&) override { return false; }
  bool List(const std::string&, const std::string&, std::vector<FileEntry>*) override { return false; }
  bool GetTime(const std::string&, uint32_t*) override { return false; }
  bool SetTime(const std::string&, uint32_t) override { return false; }
  bool ShortPath(const std::string&, std::string*) override { return false; }
  bool FullPath(const std::string&, std::string*) override { return false; }
  bool TempDirectory(std::string*) override { return false; }
  bool TempFileName(const std::string& dir, const std::string& prefix, std::string* path) override {
    *path = dir + "\\" + prefix + std::to_string(++temp_counter) + ".TMP";
    files[UpperCase(*path)];
    return true;
  }
  std::string CurrentDir() override { return "C:\\"; }
  bool SetCurrentDir(const std::string&) override { return false; }
  bool DiskSpace(const std::string&, uint64_t*, uint64_t*) override { return false; }
};

TEST(StringList, EditingOperations) {
  TStringList l;
  EXPECT_EQ(l.Add("a"), 0);
  EXPECT_EQ(l.Add("b"), 1);
  l.Insert(0, "z");
  l.Insert(3, "end");
  EXPECT_EQ(l.Text(), "z\r\na\r\nb\r\nend\r\n");
  l.Move(0, 3);
  EXPECT_EQ(l.Join(","), "a,b,end,z,");
  l.Exchange(0, 3);
  l.Delete(1);
  EXPECT_EQ(l.Join(","), "z,end,a,");
  l.Put(1, "mid");
  EXPECT_EQ(l[1], "mid");
  int tag = 0;
  l.AddObject("obj", &tag);
  EXPECT_EQ(l.Objects(3), &tag);
  EXPECT_EQ(l.IndexOfObject(&tag), 3);
  TStringList copy = l;
  copy.Put(0, "changed");
  EXPECT_EQ(l[0], "z");  // a copy is its own list
  l.Clear();
  EXPECT_EQ(l.Count(), 0);
}

TEST(StringList, IndexesOutOfRangeRaise) {
  TStringList l{"one", "two"};
  auto message = [&](auto&& f) {
    try {
      f();
    } catch (const EListError& e) {
      return e.Message();
    }
    return std::string("no error");
  };
  EXPECT_EQ(message([&] { (void)l[2]; }), "List index out of bounds (2)");
  EXPECT_EQ(message([&] { l.Delete(-1); }), "List index out of bounds (-1)");
  EXPECT_EQ(message([&] { l.Insert(3, "x"); }), "List index out of bounds (3)");
  EXPECT_EQ(message([&] { l.Move(0, 2); }), "List index out of bounds (2)");
  EXPECT_EQ(message([&] { l.Exchange(5, 0); }), "List index out of bounds (5)");
  EXPECT_EQ(message([&] { l.Put(2, "x"); }), "List index out of bounds (2)");
  EXPECT_EQ(message([&] { (void)l.Names(9); }), "List index out of bounds (9)");
  EXPECT_EQ(l.Join(","), "one,two,");
}

TEST(StringList, TextSplitsAtEveryKindOfLineBreak) {
  TStringList l;
  l.SetText("a\r\nb\nc\rd\r\n\r\ne");
  EXPECT_EQ(l.Join("|"), "a|b|c|d||e|");
  l.SetText("x\r\n");
  EXPECT_EQ(l.Count(), 1);
  l.SetText("");
  EXPECT_EQ(l.Count(), 0);
  l.SetText("\n\n");
  EXPECT_EQ(l.Count(), 2);
  l.SetText(std::string("nul\0inside", 10));
  EXPECT_EQ(l[0].size(), 10u);
}

TEST(StringList, IndexOfIgnoresCaseOfTheCodePage) {
  unsigned saved = AnsiCodePage();
  SetAnsiCodePage(1254);
  TStringList l{"Main", "\xDE\x65kil", "x"};  // Şekil
  EXPECT_EQ(l.IndexOf("MAIN"), 0);
  EXPECT_EQ(l.IndexOf("\xFE\x45KIL"), 1);  // şEKIL
  EXPECT_EQ(l.IndexOf("missing"), -1);
  l.SetCaseSensitive(true);
  EXPECT_EQ(l.IndexOf("MAIN"), -1);
  SetAnsiCodePage(saved);
}

TEST(StringList, NamesAndValues) {
  TStringList l{"Path=C:\\Tavwin", "NoEquals", "Mode=", "path=second", "a=b=c"};
  EXPECT_EQ(l.Names(0), "Path");
  EXPECT_EQ(l.Names(1), "");
  EXPECT_EQ(l.Values("PATH"), "C:\\Tavwin");  // the first of that name
  EXPECT_EQ(l.Values("a"), "b=c");
  EXPECT_EQ(l.Values("NoEquals"), "");
  EXPECT_EQ(l.IndexOfName("mode"), 2);
  l.SetValue("Mode", "1");
  EXPECT_EQ(l[2], "Mode=1");
  l.SetValue("New", "v");
  EXPECT_EQ(l[5], "New=v");
  l.SetValue("Path", "");
  EXPECT_EQ(l[0], "NoEquals");
}

TEST(StringList, SortedListsKeepOrderAndHandleDuplicates) {
  TStringList l;
  l.SetSorted(true);
  l.Add("b");
  l.Add("C");
  EXPECT_EQ(l.Add("a"), 0);
  EXPECT_EQ(l.Add("B"), -1);  // ignored by default
  EXPECT_EQ(l.Join(","), "a,b,C,");
  l.SetDuplicates(Duplicates::kAccept);
  EXPECT_EQ(l.Add("B"), 2);   // after the equal one
  l.SetDuplicates(Duplicates::kError);
  EXPECT_THROW(l.Add("c"), EListError);
  EXPECT_THROW(l.Insert(0, "x"), EListError);
  EXPECT_THROW(l.Put(0, "x"), EListError);
  EXPECT_THROW(l.Exchange(0, 1), EListError);
  TStringList more{"d", "a"};
  EXPECT_THROW(l.AddStrings(more), EListError);
  EXPECT_EQ(l.Join(","), "a,b,B,C,");  // all or nothing
  EXPECT_EQ(l.IndexOf("c"), 3);
  TStringList u{"b", "a", "B", "c"};
  u.Sort();
  EXPECT_EQ(u.Join(","), "a,b,B,c,");  // stable
}

TEST(StringList, LoadAndSaveThroughTheFileSystem) {
  MemoryFiles fs;
  fs.files["C:\\LANG.TXT"] = "1;OK\r\n2;Cancel\n#10;";
  TStringList l;
  l.LoadFromFile(fs, "C:\\lang.txt");
  EXPECT_EQ(l.Join("|"), "1;OK|2;Cancel|#10;|");
  l.Add("3;Yes");
  l.SaveToFile(fs, "C:\\Out.txt");
  EXPECT_EQ(fs.files["C:\\OUT.TXT"], "1;OK\r\n2;Cancel\r\n#10;\r\n3;Yes\r\n");
  EXPECT_EQ(fs.files.size(), 2u);  // no temporary file left
}

TEST(StringList, FileErrorsNameTheFileAndLoseNothing) {
  MemoryFiles fs;
  TStringList l{"kept"};
  try {
    l.LoadFromFile(fs, "C:\\X.TXT");
    FAIL();
  } catch (const EFOpenError& e) {
    EXPECT_EQ(e.Message(), "Cannot open file C:\\X.TXT");
  }
  fs.files["C:\\X.TXT"] = "data";
  fs.fail_reads = true;
  try {
    l.LoadFromFile(fs, "C:\\X.TXT");
    FAIL();
  } catch (const EReadError& e) {
    EXPECT_NE(e.Message().find("C:\\X.TXT"), std::string::npos);
  }
  EXPECT_EQ(l.Join(","), "kept,");
  // A full disk while saving leaves the old file as it was.
  fs.fail_reads = false;
  fs.files["C:\\OLD.TXT"] = "old contents";
  fs.disk_left = 3;
  TStringList big{"a long line that does not fit"};
  try {
    big.SaveToFile(fs, "C:\\OLD.TXT");
    FAIL();
  } catch (const EWriteError& e) {
    EXPECT_NE(e.Message().find("C:\\OLD.TXT"), std::string::npos);
  }
  EXPECT_EQ(fs.files["C:\\OLD.TXT"], "old contents");
  EXPECT_EQ(fs.files.size(), 2u);
}

// A list that reacts to changes, as a bound language table does: each
// public operation reaches its hook once.
class CountingList : public TStringList {
 public:
  int adds = 0, assigns = 0, loads = 0;
  int Add(const std::string& s) override { ++adds; return TStringList::Add(s); }
  void Assign(const TStringList& o) override { ++assigns; TStringList::Assign(o); }
  void LoadFromFile(FileSystem& fs, const std::string& p) override {
    ++loads;
    TStringList::LoadFromFile(fs, p);
  }
};

TEST(StringList, HooksSeeEachOperationOnce) {
  MemoryFiles fs;
  fs.files["C:\\T.TXT"] = "a\r\nb\r\n";
  CountingList l;
  l.LoadFromFile(fs, "C:\\T.TXT");
  l.Assign(TStringList{"x", "y", "z"});
  TStringList& base = l;
  base.Add("w");
  EXPECT_EQ(l.adds, 1);
  EXPECT_EQ(l.assigns, 1);
  EXPECT_EQ(l.loads, 1);
  EXPECT_EQ(l.Count(), 4);
}

}  // namespace
}  // namespace kit
