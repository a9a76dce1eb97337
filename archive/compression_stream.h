// A write-only stream that deflates what it is given (zlib format, window
// bits 15, memory level 8, default strategy) into 64 KB blocks written to a
// destination stream; after each full block it calls its progress hook.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "archive/archive_types.h"
#include "archive/kbln_stream.h"

namespace kit {

class TCompressionStream : public TKblnStream {
 public:
  static constexpr uint32_t kBlockSize = 65536;

  TCompressionStream(TCompressionLevel level, TKblnStream& dest, std::function<void()> on_progress);
  ~TCompressionStream() override;  // finishes the stream if Finish was not called

  // Raises ECompressionError "Invalid stream operation".
  uint32_t Read(void* buffer, uint32_t n) override;
  uint32_t Write(const void* buffer, uint32_t n) override;
  // Only the current position (bytes taken in) can be asked for.
  int64_t Seek(int64_t offset, SeekOrigin origin) override;
  int64_t Size() override { return Seek(0, SeekOrigin::kCurrent); }
  // Drives deflate to the end and writes the last partial block.
  void Finish();

 private:
  struct State;
  void Flush(uint32_t n);
  std::unique_ptr<State> state_;
  TKblnStream& dest_;
  std::function<void()> on_progress_;
  std::vector<unsigned char> out_;
  bool finished_ = false;
};

}  // namespace kit
