// Streams of the engine. TKblnStream adds its size to a plain stream;
// TKblnNormalHandleStream works on an open file it does not close, and
// answers a failed read or write with 0 bytes instead of an error.
#pragma once

#include <cstdint>

#include "platform/platform.h"

namespace kit {

class TKblnStream {
 public:
  virtual ~TKblnStream() = default;
  // Bytes actually read / written.
  virtual uint32_t Read(void* buffer, uint32_t n) = 0;
  virtual uint32_t Write(const void* buffer, uint32_t n) = 0;
  // The new position, or -1 when the seek fails.
  virtual int64_t Seek(int64_t offset, SeekOrigin origin) = 0;
  int64_t Position() { return Seek(0, SeekOrigin::kCurrent); }
  // Remembers the position, seeks to the end and back; -1 on failure.
  virtual int64_t Size();
};

class TKblnNormalHandleStream : public TKblnStream {
 public:
  explicit TKblnNormalHandleStream(File& file) : file_(file) {}
  uint32_t Read(void* buffer, uint32_t n) override;
  uint32_t Write(const void* buffer, uint32_t n) override;
  int64_t Seek(int64_t offset, SeekOrigin origin) override;
  int64_t Size() override;  // the file's, the position kept
  // Seeks there and cuts the file; false when the system refuses.
  bool SetSize(int64_t size);
  File& file() { return file_; }

 private:
  File& file_;
};

}  // namespace kit
