// The engine on a whole machine: the emulated one natively, the real (Wine)
// one on win32, with full disks from the fault wrapper and, natively, from a
// floppy drive of 1.44 MB.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "archive/kbln_compress.h"
#include "archive/testing/archive_fixture.h"
#include "archive/archive_errors.h"
#include "platform/fault_platform.h"
#include "platform/testing/test_machine.h"
#ifndef _WIN32
#include <filesystem>

#include "platform/emulated/emulated_machine.h"
#include "platform/emulated/machine_settings.h"
#endif

namespace kit {
namespace {

bool Put(FileSystem& fs, const std::string& path, const std::string& data) {
  auto f = fs.Open(path, FileAccess::kWrite, share::kNone, Disposition::kCreateAlways);
  uint32_t n = 0;
  return f && f->Write(data.data(), static_cast<uint32_t>(data.size()), &n) && n == data.size();
}

std::string Get(FileSystem& fs, const std::string& path) {
  auto f = fs.Open(path, FileAccess::kRead, share::kRead, Disposition::kOpenExisting);
  if (!f) return "<missing>";
  std::string data(static_cast<size_t>(f->Size()), '\0');
  uint32_t n = 0;
  if (!data.empty() && !f->Read(data.data(), static_cast<uint32_t>(data.size()), &n)) return "<unreadable>";
  return data;
}

std::vector<std::string> Names(FileSystem& fs, const std::string& dir) {
  std::vector<FileEntry> entries;
  std::vector<std::string> names;
  if (fs.List(dir, "*", &entries))
    for (const auto& e : entries)
      names.push_back(e.name);
  return names;
}

// Builds an archive of two members in the scratch directory.
std::string BuildArchive(FileSystem& fs, const std::string& scratch, const std::string& big) {
  EXPECT_TRUE(fs.MakeDirectory(scratch + "\\SRC"));
  EXPECT_TRUE(Put(fs, scratch + "\\SRC\\BIG.BIN", big));
  EXPECT_TRUE(Put(fs, scratch + "\\SRC\\SMALL.TXT", "small"));
  TKblnCompress builder(nullptr, fs);
  builder.SetCompressedFile(scratch + "\\files.1");
  builder.SetFilesToProcess({scratch + "\\SRC\\BIG.BIN", scratch + "\\SRC\\SMALL.TXT"});
  builder.AddFiles(false);
  return scratch + "\\files.1";
}

TEST(EngineOnMachine, FullDiskDuringExtractionKeepsTheOldFileAndLeavesNothingBehind) {
  auto machine = testing::NewTestMachine();
  FaultPlatform fault(machine->platform());
  FileSystem& fs = fault.Files();
  const std::string scratch = machine->Scratch();
  const std::string big = testing::RandomBytes(300000, 7);
  const std::string archive = BuildArchive(fs, scratch, big);
  ASSERT_TRUE(fs.MakeDirectory(scratch + "\\OUT"));
  ASSERT_TRUE(Put(fs, scratch + "\\OUT\\BIG.BIN", "the old file"));

  TKblnCompress engine(nullptr, fs);
  engine.SetCompressedFile(archive);
  engine.SetExtractDirectory(scratch + "\\OUT\\");
  engine.SetOverwrite(owAlways);
  engine.SetFilesToProcess({scratch + "\\SRC\\BIG.BIN"});
  fault.DiskFullAfter(100000);
  EXPECT_THROW(engine.ExtractFiles(), EKCDiskFull);
  EXPECT_EQ(Get(fs, scratch + "\\OUT\\BIG.BIN"), "the old file");
  EXPECT_EQ(Names(fs, scratch + "\\OUT"), std::vector<std::string>{"BIG.BIN"});

  // With room again the same engine extracts the member whole, with its date.
  fault.DiskFullAfter(UINT64_MAX / 2);
  engine.SetAbort(false);
  engine.SetFilesToProcess({scratch + "\\SRC\\BIG.BIN", scratch + "\\SRC\\SMALL.TXT"});
  engine.ExtractFiles();
  EXPECT_EQ(Get(fs, scratch + "\\OUT\\BIG.BIN"), big);
  EXPECT_EQ(Get(fs, scratch + "\\OUT\\SMALL.TXT"), "small");
  uint32_t source_time = 0, extracted_time = 0;
  ASSERT_TRUE(fs.GetTime(scratch + "\\SRC\\BIG.BIN", &source_time));
  ASSERT_TRUE(fs.GetTime(scratch + "\\OUT\\BIG.BIN", &extracted_time));
  EXPECT_EQ(extracted_time, source_time);
}

#ifndef _WIN32
// A floppy of 1.44 MB in A: is full after its capacity: a real short write.
TEST(EngineOnMachine, ExtractionOntoAFullFloppyFailsWithoutATruncatedFile) {
  const std::string root = (std::filesystem::temp_directory_path() /
                            ("kit-floppy-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed())))
                               .string();
  std::filesystem::remove_all(root);
  MachineSettings settings = MachineSettings::Default();
  bool listed = false;
  for (auto& d : settings.drives)
    if (d.letter == 'A') listed = true, d.capacity = 1457664;
  if (!listed) settings.drives.push_back(DriveSetting{'A', 1457664});
  std::string error;
  auto machine = EmulatedMachine::Create(root, settings, &error);
  ASSERT_TRUE(machine) << error;
  std::filesystem::create_directories(root + "/drives/a");  // a disk in the drive
  FileSystem& fs = machine->Files();
  ASSERT_TRUE(fs.MakeDirectory("C:\\WORK"));
  const std::string big = testing::RandomBytes(1600000, 11);
  const std::string archive = BuildArchive(fs, "C:\\WORK", big);

  TKblnCompress engine(nullptr, fs);
  engine.SetCompressedFile(archive);
  engine.SetExtractDirectory("A:\\");
  engine.SetFilesToProcess({"C:\\WORK\\SRC\\SMALL.TXT", "C:\\WORK\\SRC\\BIG.BIN"});
  EXPECT_THROW(engine.ExtractFiles(), EKCDiskFull);
  EXPECT_EQ(Names(fs, "A:\\"), std::vector<std::string>{"SMALL.TXT"});
  uint64_t free_bytes = 0, total = 0;
  ASSERT_TRUE(fs.DiskSpace("A:\\", &free_bytes, &total));
  EXPECT_EQ(total, 1457664u);
  EXPECT_EQ(free_bytes, total - 5);
  machine.reset();
  std::filesystem::remove_all(root);
}
#endif

}  // namespace
}  // namespace kit
