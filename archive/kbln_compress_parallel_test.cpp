#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "archive/kbln_compress.h"
#include "archive/testing/archive_fixture.h"
#include "archive/testing/memory_fs.h"

namespace kit {
namespace {

using testing::MemoryFileSystem;
using testing::RandomBytes;

std::string Text(size_t n, uint32_t seed) {
  const char* words[] = {"setup ", "archive ", "member ", "group ", "file ", "the "};
  std::string s = RandomBytes(n / 8, seed), out;
  for (char c : s) out += words[static_cast<unsigned char>(c) % 6];
  return out.substr(0, n);
}

// What a caller sees of one add: every event and message in order, the
// outcome, the archive bytes, and what is left in the temporary directory.
struct Seen {
  std::vector<std::string> log;
  std::string archive;
  size_t temp_left = 0;
};

using Setup = std::function<void(MemoryFileSystem&, TKblnCompress&)>;

Seen Add(int jobs, const Setup& setup = {}) {
  MemoryFileSystem fs;
  Seen seen;
  const std::vector<std::pair<std::string, std::string>> files = {
      {"D:\\S\\TEXT.TXT", Text(150000, 1)}, {"D:\\S\\EMPTY", ""},
      {"D:\\S\\RANDOM.BIN", RandomBytes(300000, 2)}, {"D:\\S\\SMALL", "small"},
      {"D:\\S\\ZEROS", std::string(200000, '\0')}, {"D:\\S\\MORE.TXT", Text(90000, 3)},
      {"D:\\S\\LAST.BIN", RandomBytes(70000, 4)}};
  std::vector<std::string> names;
  for (auto& [name, data] : files) fs.PutFile(name, data), names.push_back(name);
  KblnServices services;
  services.process_messages = [&] { seen.log.push_back("pump"); };
  services.show_message = [&](const std::string& m) { seen.log.push_back("message " + m); };
  services.last_error = [&] { return fs.last_error(); };
  services.file_version = [](const std::string&) { return std::string(); };
  TKblnCompress engine(nullptr, fs, services);
  auto note = [&](const char* what) {
    return [&seen, what](TKblnCompress&, const TlzhFileStats& s) {
      seen.log.push_back(std::string(what) + " " + s.FileName + " " + std::to_string(s.BytesProcessed) + "/" +
                         std::to_string(s.TotalBytesProcessed) + " packed " + std::to_string(s.CompressedSize) +
                         " " + std::to_string(s.PercentDone) + "% " + std::to_string(s.TotalPercentDone) +
                         "% ratio " + std::to_string(s.CompressionRatio) + (s.Finished ? " finished" : ""));
    };
  };
  engine.OnBeforeAdding = note("before");
  engine.OnStatus = note("status");
  engine.OnAfterAdding = note("after");
  engine.OnFullDisk = [&](TKblnCompress&) { seen.log.push_back("full disk"); };
  engine.OnAborted = [&](TKblnCompress&) { seen.log.push_back("aborted"); };
  engine.SetCompressedFile("E:\\BUILD\\files.1");
  engine.SetCompressionLevel(colMax);
  engine.SetJobs(jobs);
  engine.SetFilesToProcess(names);
  if (setup) setup(fs, engine);
  try {
    engine.AddFiles(false);
    seen.log.push_back("done");
  } catch (const Exception& e) {
    seen.log.push_back(std::string("failed ") + e.ClassName() + ": " + e.Message());
  }
  fs.fault = nullptr;
  seen.archive = fs.FileData("E:\\BUILD\\files.1");
  seen.temp_left = fs.AllFiles("C:\\TEMP").size();
  return seen;
}

void ExpectSameAsOneJob(const Setup& setup, const std::string& outcome) {
  Seen one = Add(1, setup);
  ASSERT_EQ(one.log.back(), outcome);
  for (int jobs : {2, 5}) {
    Seen many = Add(jobs, setup);
    EXPECT_EQ(many.log, one.log) << jobs << " jobs";
    EXPECT_EQ(many.archive, one.archive) << jobs << " jobs";
    EXPECT_EQ(many.temp_left, 0u) << jobs << " jobs";
  }
}

TEST(ParallelAdd, SameArchiveEventsAndOutcomeAsOneJob) {
  Seen one = Add(1);
  EXPECT_EQ(one.log.back(), "done");
  EXPECT_GT(one.log.size(), 30u);
  ExpectSameAsOneJob({}, "done");
  // The one member is compressed on this thread: no worker needed.
  ExpectSameAsOneJob([](MemoryFileSystem&, TKblnCompress& e) { e.SetFilesToProcess({"D:\\S\\RANDOM.BIN"}); },
                     "done");
}

TEST(ParallelAdd, FaultsAreReportedAtTheirMemberAsWithOneJob) {
  // A source that cannot be opened when its turn to be compressed comes.
  ExpectSameAsOneJob(
      [](MemoryFileSystem& fs, TKblnCompress&) {
        fs.fault = [calls = 0](const std::string& op, const std::string& path) mutable {
          return op == "open" && path == "D:\\S\\ZEROS" && ++calls == 2;
        };
      },
      "failed EFOpenError: Cannot open file \"D:\\S\\ZEROS\"");
  // The temporary drive fills during the second block of the random member.
  ExpectSameAsOneJob([](MemoryFileSystem& fs, TKblnCompress&) { fs.SetCapacity('C', 100000); },
                     "failed EKCDiskFull: Disk is full");
  // The archive's drive fills while members are stored.
  ExpectSameAsOneJob([](MemoryFileSystem& fs, TKblnCompress&) { fs.SetCapacity('E', 200000); },
                     "failed EKCDiskFull: Disk is full");
  // No temporary file can be made.
  ExpectSameAsOneJob(
      [](MemoryFileSystem& fs, TKblnCompress&) {
        fs.fault = [](const std::string& op, const std::string&) { return op == "tempfile"; };
      },
      "failed EKCCannotCreateTemp: Cannot open a temporary file into which to compress a file");
}

TEST(ParallelAdd, AbortFromAHandlerStopsAtTheSameEvent) {
  for (int at : {1, 6, 17}) {
    ExpectSameAsOneJob(
        [at](MemoryFileSystem&, TKblnCompress& e) {
          e.OnStatus = [at, n = 0](TKblnCompress& sender, const TlzhFileStats&) mutable {
            if (++n == at) sender.SetAbort(true);
          };
        },
        "done");
  }
}

}  // namespace
}  // namespace kit
