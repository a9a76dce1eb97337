#include "platform/version_source.h"

#include <gtest/gtest.h>

#include <map>

#include "platform/platform.h"
#include "platform/testing/version_fixtures.h"

namespace kit {
namespace {

using testing::FixturePath;

const char* const kFixtures[] = {"program.exe", "library_de.dll", "driver.drv", "font.fon",
                                 "selfreg.ocx", "noversion.dll",  "readme.txt", "missing.dll"};

class VersionSourceTest : public ::testing::Test {
 protected:
  std::unique_ptr<VersionSource> source_ = testing::FixtureVersionSource();
};

TEST_F(VersionSourceTest, MissingAndResourcelessFilesHaveNoBlock) {
  for (const char* name : {"missing.dll", "noversion.dll", "readme.txt"}) {
    std::string block = "stale";
    EXPECT_FALSE(source_->Read(FixturePath(name), &block)) << name;
    EXPECT_EQ(block, "") << name;
  }
}

TEST_F(VersionSourceTest, SelfRegistrationMarkIsFoundThroughTheFirstTranslation) {
  std::string block, value = "stale";
  ASSERT_TRUE(source_->Read(FixturePath("selfreg.ocx"), &block));
  std::vector<Translation> tr = ReadTranslations(*source_, block);
  ASSERT_EQ(tr.size(), 1u);
  EXPECT_EQ(tr[0].language, 0x041F);
  EXPECT_EQ(tr[0].code_page, 1254);
  EXPECT_TRUE(source_->Query(
      block, StringFileInfoPath(tr[0].language, tr[0].code_page, "OLESelfRegister"), &value));
  EXPECT_EQ(value, "");
  EXPECT_TRUE(source_->Query(block, "\\StringFileInfo\\041F04E6\\FileDescription", &value));
  EXPECT_EQ(value, "Self-registering server");
  FixedFileInfo fixed;
  ASSERT_TRUE(source_->Query(block, "\\", &value));
  ASSERT_TRUE(DecodeFixedFileInfo(value, &fixed));
  EXPECT_EQ(fixed.file_version_ms, 0x00030001u);
  EXPECT_EQ(fixed.type, 2u);

  ASSERT_TRUE(source_->Read(FixturePath("program.exe"), &block));
  tr = ReadTranslations(*source_, block);
  ASSERT_EQ(tr.size(), 1u);
  EXPECT_EQ(tr[0].language, 0x0409);
  EXPECT_EQ(tr[0].code_page, 1252);
  value = "stale";
  EXPECT_FALSE(source_->Query(
      block, StringFileInfoPath(tr[0].language, tr[0].code_page, "OLESelfRegister"), &value));
  EXPECT_EQ(value, "");
}

// Every answer a reader asks for, as one text, to compare two sources.
std::string Answers(VersionSource& source, const std::string& path) {
  std::string block;
  if (!source.Read(path, &block)) return "no block";
  std::string out;
  for (const char* q : {"\\", "\\VarFileInfo\\Translation", "\\StringFileInfo\\040904E4\\Comment",
                        "\\StringFileInfo\\040904E4\\FileVersion",
                        "\\StringFileInfo\\040904E4\\ProductVersion",
                        "\\StringFileInfo\\040904E4\\FileDescription",
                        "\\StringFileInfo\\040704E4\\CompanyName",
                        "\\StringFileInfo\\040704E4\\ProductName",
                        "\\StringFileInfo\\041F04E6\\OLESelfRegister",
                        "\\stringfileinfo\\040904e4\\internalname",
                        "\\StringFileInfo\\040904E4\\Nothing", "\\Nothing"}) {
    std::string value;
    bool found = source.Query(block, q, &value);
    out += std::string(q) + (found ? "=" + value : " absent") + "\n";
  }
  return out;
}

TEST_F(VersionSourceTest, PeReaderGivesTheAnswersOfThisTargetsSource) {
  // Natively both are the PE reader; under Wine this compares it with the
  // version API on the same files.
  auto pe = MakePeVersionSource(testing::ReadHostFile);
  for (const char* name : kFixtures) {
    EXPECT_EQ(Answers(*pe, FixturePath(name)), Answers(*source_, FixturePath(name))) << name;
  }
  for (const char* name : {"truncated.exe", "badsig.exe", "notype.exe"}) {
    std::string path = testing::BrokenFixture(name);
    ASSERT_NE(path, "") << name;
    EXPECT_EQ(Answers(*source_, path), "no block") << name;
    EXPECT_EQ(Answers(*pe, path), "no block") << name;
  }
}

TEST(PeVersionSource, StringsPassThroughTheGivenConverter) {
  std::u16string seen;
  auto pe = MakePeVersionSource(testing::ReadHostFile, [&](std::u16string_view text) {
    seen = std::u16string(text);
    return std::string("converted");
  });
  std::string block, value;
  ASSERT_TRUE(pe->Read(FixturePath("library_de.dll"), &block));
  ASSERT_TRUE(pe->Query(block, "\\StringFileInfo\\040704E4\\FileDescription", &value));
  EXPECT_EQ(value, "converted");
  EXPECT_EQ(seen, u"Bibliothek f\u00FCr Tests \u20AC");
  // Binary values are not converted.
  ASSERT_TRUE(pe->Query(block, "\\VarFileInfo\\Translation", &value));
  EXPECT_EQ(value, std::string("\x07\x04\xE4\x04", 4));

  EXPECT_EQ(Latin1FromWide(u"f\u00FCr \u20AC\u0130"), "f\xFCr ??");
}

// A file system of in-memory files whose reads deliver at most 1000 bytes.
class MemoryFiles : public FileSystem {
 public:
  std::map<std::string, std::string> files;
  int64_t claimed_size = -1;  // when set, what Size() reports

  class MemFile : public File {
   public:
    MemFile(const std::string& data, int64_t size) : data_(data), size_(size) {}
    bool Read(void* buffer, uint32_t n, uint32_t* got) override {
      size_t k = std::min<size_t>({n, 1000, data_.size() - pos_});
      std::memcpy(buffer, data_.data() + pos_, k);
      pos_ += k;
      *got = static_cast<uint32_t>(k);
      return true;
    }
    bool Write(const void*, uint32_t, uint32_t*) override { return false; }
    bool Seek(int64_t, SeekOrigin, int64_t*) override { return false; }
    int64_t Size() override { return size_ >= 0 ? size_ : static_cast<int64_t>(data_.size()); }
    bool Truncate() override { return false; }
    bool GetTime(uint32_t*) override { return false; }
    bool SetTime(uint32_t) override { return false; }

   private:
    const std::string& data_;
    int64_t size_;
    size_t pos_ = 0;
  };

  std::unique_ptr<File> Open(const std::string& path, FileAccess access, uint32_t,
                             Disposition) override {
    auto it = files.find(path);
    if (it == files.end() || access != FileAccess::kRead) return nullptr;
    return std::make_unique<MemFile>(it->second, claimed_size);
  }
  uint32_t Attributes(const std::string&) override { return attr::kInvalid; }
  bool SetAttributes(const std::string&, uint32_t) override { return false; }
  bool RemoveFile(const std::string&) override { return false; }
  bool Rename(const std::string&, const std::string&) override { return false; }
  bool MoveEx(const std::string&, const std::string&, uint32_t) override { return false; }
  bool Copy(const std::string&, const std::string&, bool) override { return false; }
  bool MakeDirectory(const std::string&) override { return false; }
  bool RemoveDir(const std::string&) override { return false; }
  bool List(const std::string&, const std::string&, std::vector<FileEntry>*) override { return false; }
  bool GetTime(const std::string&, uint32_t*) override { return false; }
  bool SetTime(const std::string&, uint32_t) override { return false; }
  bool ShortPath(const std::string&, std::string*) override { return false; }
  bool FullPath(const std::string&, std::string*) override { return false; }
  bool TempDirectory(std::string*) override { return false; }
  bool TempFileName(const std::string&, const std::string&, std::string*) override { return false; }
  std::string CurrentDir() override { return "C:\\"; }
  bool SetCurrentDir(const std::string&) override { return false; }
  bool DiskSpace(const std::string&, uint64_t*, uint64_t*) override { return false; }
};

TEST(PeVersionSource, ReadsFilesOfAFileSystemInPiecesWithinALimit) {
  MemoryFiles fs;
  fs.files["C:\\WINDOWS\\SYSTEM\\DRIVER.DRV"] = testing::FixtureBytes("driver.drv");
  auto source = MakePeVersionSource(fs);
  std::string block, value;
  ASSERT_TRUE(source->Read("C:\\WINDOWS\\SYSTEM\\DRIVER.DRV", &block));
  ASSERT_TRUE(source->Query(block, "\\StringFileInfo\\040904E4\\FileDescription", &value));
  EXPECT_EQ(value, "Keyboard driver");
  EXPECT_FALSE(source->Read("C:\\WINDOWS\\SYSTEM\\OTHER.DRV", &block));

  // A file that claims to be enormous is not read into memory.
  fs.claimed_size = int64_t{1} << 40;
  EXPECT_FALSE(source->Read("C:\\WINDOWS\\SYSTEM\\DRIVER.DRV", &block));
  // One that ends before its claimed size is read as far as it goes.
  fs.claimed_size = static_cast<int64_t>(fs.files.begin()->second.size()) + 100;
  EXPECT_TRUE(source->Read("C:\\WINDOWS\\SYSTEM\\DRIVER.DRV", &block));
}

}  // namespace
}  // namespace kit
