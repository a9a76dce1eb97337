#include "archive/compression_stream.h"

#include <zlib.h>

#include "archive/archive_errors.h"

namespace kit {

struct TCompressionStream::State {
  z_stream z{};
};

namespace {
int Check(int code) {
  if (code < 0) throw ECompressionError(std::string("Cannot compress: ") + zError(code));
  return code;
}
}  // namespace

TCompressionStream::TCompressionStream(TCompressionLevel level, TKblnStream& dest,
                                       std::function<void()> on_progress)
    : state_(new State), dest_(dest), on_progress_(std::move(on_progress)), out_(kBlockSize) {
  Check(deflateInit2(&state_->z, ZlibLevel(level), Z_DEFLATED, 15, 8, Z_DEFAULT_STRATEGY));
  state_->z.next_out = out_.data();
  state_->z.avail_out = kBlockSize;
}

TCompressionStream::~TCompressionStream() {
  if (!finished_) {
    try {
      Finish();
    } catch (...) {
      // A stream dropped while an error passes: its output does not matter.
    }
  }
  deflateEnd(&state_->z);
}

uint32_t TCompressionStream::Read(void*, uint32_t) {
  throw ECompressionError("Invalid stream operation");
}

int64_t TCompressionStream::Seek(int64_t offset, SeekOrigin origin) {
  if (offset == 0 && origin == SeekOrigin::kCurrent) return static_cast<int64_t>(state_->z.total_in);
  throw ECompressionError("Invalid stream operation");
}

void TCompressionStream::Flush(uint32_t n) {
  if (n == 0) return;
  if (dest_.Write(out_.data(), n) != n) throw EWriteError("Stream write error");
  state_->z.next_out = out_.data();
  state_->z.avail_out = kBlockSize;
}

uint32_t TCompressionStream::Write(const void* buffer, uint32_t n) {
  z_stream& z = state_->z;
  z.next_in = static_cast<Bytef*>(const_cast<void*>(buffer));
  z.avail_in = n;
  while (z.avail_in > 0) {
    Check(deflate(&z, Z_NO_FLUSH));
    if (z.avail_out == 0) {
      Flush(kBlockSize);
      if (on_progress_) on_progress_();
    }
  }
  return n;
}

void TCompressionStream::Finish() {
  if (finished_) return;
  finished_ = true;
  z_stream& z = state_->z;
  z.next_in = nullptr;
  z.avail_in = 0;
  for (;;) {
    int code = Check(deflate(&z, Z_FINISH));
    if (z.avail_out == 0) {
      Flush(kBlockSize);
      if (on_progress_) on_progress_();
    }
    if (code == Z_STREAM_END) break;
  }
  Flush(kBlockSize - z.avail_out);
}

}  // namespace kit
