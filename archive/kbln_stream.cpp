#include "archive/kbln_stream.h"

namespace kit {

int64_t TKblnStream::Size() {
  int64_t here = Position();
  if (here < 0) return -1;
  int64_t end = Seek(0, SeekOrigin::kEnd);
  Seek(here, SeekOrigin::kBegin);
  return end;
}

uint32_t TKblnNormalHandleStream::Read(void* buffer, uint32_t n) {
  uint32_t got = 0;
  if (!file_.Read(buffer, n, &got)) return 0;
  return got;
}

uint32_t TKblnNormalHandleStream::Write(const void* buffer, uint32_t n) {
  uint32_t written = 0;
  file_.Write(buffer, n, &written);  // a short write reports what it took
  return written;
}

int64_t TKblnNormalHandleStream::Seek(int64_t offset, SeekOrigin origin) {
  int64_t pos = -1;
  if (!file_.Seek(offset, origin, &pos)) return -1;
  return pos;
}

int64_t TKblnNormalHandleStream::Size() { return file_.Size(); }

bool TKblnNormalHandleStream::SetSize(int64_t size) {
  return Seek(size, SeekOrigin::kBegin) == size && file_.Truncate();
}

}  // namespace kit
