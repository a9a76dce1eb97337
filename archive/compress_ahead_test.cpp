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

using Prepare = std::function<void(MemoryFileSystem&, TKblnCompress&)>;

// `one_by_one`: an add per member, as a build makes them; `ahead`: the
// engine is told the sources first.
Seen Add(int jobs, const Prepare& setup = {}, bool one_by_one = false, bool ahead = false) {
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
    if (!one_by_one) {
      engine.AddFiles(false);
    } else {
      const std::vector<std::string> sources = engine.FilesToProcess();
      if (ahead) engine.ExpectSources(sources);
      for (size_t i = 0; i < sources.size(); ++i) {
        engine.SetFilesToProcess({sources[i]});
        engine.AddFiles(i > 0);
      }
    }
    seen.log.push_back("done");
  } catch (const Exception& e) {
    seen.log.push_back(std::string("failed ") + e.ClassName() + ": " + e.Message());
  }
  fs.fault = nullptr;
  seen.archive = fs.FileData("E:\\BUILD\\files.1");
  seen.temp_left = fs.AllFiles("C:\\TEMP").size();
  return seen;
}

void ExpectSameAsOneJob(const Prepare& setup, const std::string& outcome) {
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
  // A source that cannot be opened any more once its header is made.
  ExpectSameAsOneJob(
      [](MemoryFileSystem& fs, TKblnCompress&) {
        fs.fault = [calls = 0](const std::string& op, const std::string& path) mutable {
          return op == "open" && path == "D:\\S\\ZEROS" && ++calls >= 2;
        };
      },
      "failed EFOpenError: Cannot open file \"D:\\S\\ZEROS\"");
  // The archive's drive fills while members are stored.
  ExpectSameAsOneJob([](MemoryFileSystem& fs, TKblnCompress&) { fs.SetCapacity('E', 200000); },
                     "failed EKCDiskFull: Disk is full");
  // Members go straight into the archive: no temporary file is needed.
  ExpectSameAsOneJob(
      [](MemoryFileSystem& fs, TKblnCompress&) {
        fs.SetCapacity('C', 0);
        fs.fault = [](const std::string& op, const std::string&) { return op == "tempfile"; };
      },
      "done");
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

TEST(AheadAdd, AddsOfOneMemberEachGiveWhatTheyGiveWithout) {
  const Prepare abort_at_9 = [](MemoryFileSystem&, TKblnCompress& e) {
    auto status = e.OnStatus;
    e.OnStatus = [status, n = 0](TKblnCompress& sender, const TlzhFileStats& s) mutable {
      status(sender, s);
      if (++n == 9) sender.SetAbort(true);
    };
  };
  for (const Prepare& setup : {Prepare{}, abort_at_9}) {
    Seen without = Add(1, setup, true, false);
    ASSERT_EQ(without.log.back(), "done");
    for (int jobs : {2, 5}) {
      Seen ahead = Add(jobs, setup, true, true);
      EXPECT_EQ(ahead.log, without.log) << jobs << " jobs";
      EXPECT_TRUE(ahead.archive == without.archive) << jobs << " jobs";
    }
  }
}

TEST(AheadAdd, ASourceIsArchivedAsItWasReadAhead) {
  const std::string before = RandomBytes(70000, 4);
  const Prepare rewrite = [](MemoryFileSystem& fs, TKblnCompress& e) {
    auto handler = e.OnBeforeAdding;
    e.OnBeforeAdding = [&fs, handler](TKblnCompress& sender, const TlzhFileStats& s) {
      handler(sender, s);
      if (s.FileName == "D:\\S\\TEXT.TXT") fs.PutFile("D:\\S\\LAST.BIN", "rewritten");
    };
  };
  Seen ahead = Add(2, rewrite, true, true);
  EXPECT_EQ(ahead.log.back(), "done");
  EXPECT_NE(ahead.archive.find("D:\\S\\LAST.BIN"), std::string::npos);
  EXPECT_TRUE(ahead.archive == Add(2, {}, true, true).archive);
  EXPECT_FALSE(Add(1, rewrite, true, false).archive == ahead.archive);
}

}  // namespace
}  // namespace kit
