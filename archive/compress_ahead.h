// Members deflated before their turn, for a caller that adds them one call
// at a time (a build adds each install file by itself). The calling thread
// reads the sources it is told will come, worker threads deflate them into
// memory, and an add takes its member's output when its turn comes. Only
// the calling thread touches the file system.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "archive/archive_types.h"
#include "platform/platform.h"

namespace kit {

// A deflated source: its compressed bytes, and the progress marks the
// compressor gave, each after `at` bytes with the source bytes read by then.
struct AheadResult {
  struct Mark {
    size_t at;
    int64_t source_position;
  };
  std::vector<unsigned char> bytes;
  std::vector<Mark> marks;
  int64_t read = 0;
  bool failed = false;  // the compressor failed
};

class CompressAhead {
 public:
  // `chunk`: the size of the source reads the compressor is fed, as an add
  // of its own feeds it, so that the output is the same.
  CompressAhead(FileSystem& fs, TCompressionLevel level, int jobs, uint32_t chunk);
  ~CompressAhead();  // stops the workers
  CompressAhead(const CompressAhead&) = delete;
  CompressAhead& operator=(const CompressAhead&) = delete;

  // The sources to come, in order; what was expected before is dropped.
  void Expect(std::vector<std::string> sources);
  // The deflated `source` if it was read ahead with this size and date and
  // at this level (waits for its worker), else null: the caller compresses
  // it itself. Sources expected before it are dropped; more are read ahead.
  std::unique_ptr<AheadResult> Take(const std::string& source, int64_t size, double file_date,
                                    TCompressionLevel level);
  // The size and date `source` was read ahead with, at this level; false
  // when it was not read ahead.
  bool Facts(const std::string& source, TCompressionLevel level, int64_t* size, uint32_t* dos_time) const;
  // Workers running (false when the system gave no thread).
  bool Running() const;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace kit
