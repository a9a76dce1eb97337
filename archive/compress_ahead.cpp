#include "archive/compress_ahead.h"

#include <algorithm>
#include <deque>

#include "archive/compression_stream.h"
#include "archive/file_date.h"
#include "base/text.h"
#include "platform/threads.h"

namespace kit {
namespace {

constexpr size_t kMaxAhead = 16384;            // sources read ahead at most
constexpr int64_t kHeldAhead = 32 << 20;       // source and output bytes held
constexpr int64_t kLargestAhead = 8 << 20;     // larger sources are left to their add

struct Item {
  std::string source;
  TCompressionLevel level = colMax;
  bool read = false;
  bool usable = false;  // read whole
  double file_date = 0;
  uint32_t dos_time = 0;
  int64_t size = 0;
  std::vector<unsigned char> data;  // the source; the worker frees it
  // Under the lock.
  bool done = false;
  int64_t held = 0;
  AheadResult result;
};

struct Stopped {};

}  // namespace

struct CompressAhead::Impl {
  Impl(FileSystem& f, TCompressionLevel l, uint32_t c) : fs(f), level(l), chunk(c) {}

  FileSystem& fs;
  TCompressionLevel level;
  uint32_t chunk;
  std::deque<std::shared_ptr<Item>> expected;  // in order
  size_t read_count = 0;                       // the first read_count of `expected` are read
  ThreadLock lock;
  ThreadSignal main_wake;
  // Under the lock.
  bool stop = false;
  int64_t held = 0;  // source and output bytes of the sources read and not taken
  std::deque<std::shared_ptr<Item>> queue;  // read, waiting for a worker
  std::vector<std::unique_ptr<ThreadSignal>> wakes;
  std::vector<std::unique_ptr<WorkerThread>> workers;

  int64_t Held() {
    ThreadLockHolder hold(lock);
    return held;
  }

  // An item read ahead leaves: what it holds is no longer held.
  void Drop(const std::shared_ptr<Item>& item) {
    ThreadLockHolder hold(lock);
    held -= item->held;
    item->held = 0;
    for (auto q = queue.begin(); q != queue.end(); ++q)
      if (*q == item) {
        queue.erase(q);
        break;
      }
  }

  void Read(Item& item) {
    item.read = true;
    auto f = fs.Open(item.source, FileAccess::kRead, share::kRead | share::kWrite, Disposition::kOpenExisting);
    uint32_t dos = 0;
    if (!f || !f->GetTime(&dos)) return;
    int64_t size = f->Size();
    if (size < 0 || size > kLargestAhead) return;
    item.data.resize(static_cast<size_t>(size));
    uint32_t got = 0;
    if (size > 0 && (!f->Read(item.data.data(), static_cast<uint32_t>(size), &got) || got != size)) {
      item.data.clear();
      return;
    }
    item.size = size;
    item.file_date = DosToFileDate(dos);
    item.dos_time = dos;
    item.usable = true;
  }

  // Reads the next sources while the bounds allow and hands them out.
  void TopUp() {
    if (workers.empty()) return;
    int64_t held = Held();
    bool handed = false;
    while (read_count < expected.size() && read_count < kMaxAhead && held < kHeldAhead) {
      std::shared_ptr<Item> item = expected[read_count++];
      Read(*item);
      if (!item->usable) continue;
      held += item->size;
      ThreadLockHolder hold(lock);
      item->held = item->size;
      this->held += item->size;
      queue.push_back(item);
      handed = true;
    }
    if (handed)
      for (auto& w : wakes) w->Set();
  }

  void Deflate(Item& item) {
    struct Sink : TKblnStream {
      AheadResult& r;
      explicit Sink(AheadResult& result) : r(result) {}
      uint32_t Read(void*, uint32_t) override { return 0; }
      int64_t Seek(int64_t, SeekOrigin) override { return -1; }
      uint32_t Write(const void* buffer, uint32_t n) override {
        const auto* p = static_cast<const unsigned char*>(buffer);
        r.pieces.push_back(AheadPiece{std::vector<unsigned char>(p, p + n), false, 0});
        return n;
      }
    } sink(item.result);
    int64_t position = 0;
    TCompressionStream z(item.level, sink,
                         [&] { item.result.pieces.push_back(AheadPiece{{}, true, position}); });
    const int64_t size = static_cast<int64_t>(item.data.size());
    while (position < size) {
      {
        ThreadLockHolder hold(lock);
        if (stop) throw Stopped();
      }
      uint32_t n = static_cast<uint32_t>(std::min<int64_t>(chunk, size - position));
      const unsigned char* at = item.data.data() + position;
      position += n;
      z.Write(at, n);
    }
    z.Finish();
    item.result.read = size;
  }

  void WorkerLoop(ThreadSignal& wake) {
    for (;;) {
      std::shared_ptr<Item> item;
      for (;;) {
        {
          ThreadLockHolder hold(lock);
          if (stop) return;
          if (!queue.empty()) {
            item = queue.front();
            queue.pop_front();
            break;
          }
        }
        wake.Wait();
      }
      bool failed = false;
      try {
        Deflate(*item);
      } catch (const Stopped&) {
        return;
      } catch (...) {
        failed = true;
      }
      int64_t out = 0;
      for (const AheadPiece& p : item->result.pieces) out += static_cast<int64_t>(p.bytes.size());
      std::vector<unsigned char>().swap(item->data);
      {
        ThreadLockHolder hold(lock);
        item->result.failed = failed;
        if (item->held != 0) {  // not dropped meanwhile
          held += out - item->held;
          item->held = out;
        }
        item->done = true;
      }
      main_wake.Set();
    }
  }
};

CompressAhead::CompressAhead(FileSystem& fs, TCompressionLevel level, int jobs, uint32_t chunk)
    : impl_(std::make_unique<Impl>(fs, level, chunk)) {
  for (int i = 0; i < jobs; ++i) {
    auto wake = std::make_unique<ThreadSignal>();
    ThreadSignal* raw = wake.get();
    Impl* impl = impl_.get();
    auto thread = std::make_unique<WorkerThread>([impl, raw] { impl->WorkerLoop(*raw); });
    if (!thread->Started()) break;
    impl_->wakes.push_back(std::move(wake));
    impl_->workers.push_back(std::move(thread));
  }
}

CompressAhead::~CompressAhead() {
  {
    ThreadLockHolder hold(impl_->lock);
    impl_->stop = true;
  }
  for (auto& w : impl_->wakes) w->Set();
  impl_->workers.clear();  // waits for each
}

bool CompressAhead::Running() const { return !impl_->workers.empty(); }

void CompressAhead::Expect(std::vector<std::string> sources) {
  for (size_t i = 0; i < impl_->read_count; ++i) impl_->Drop(impl_->expected[i]);
  impl_->expected.clear();
  impl_->read_count = 0;
  for (std::string& s : sources) {
    auto item = std::make_shared<Item>();
    item->source = std::move(s);
    item->level = impl_->level;
    impl_->expected.push_back(std::move(item));
  }
  impl_->TopUp();
}

bool CompressAhead::Facts(const std::string& source, TCompressionLevel level, int64_t* size,
                          uint32_t* dos_time) const {
  const Impl& m = *impl_;
  for (size_t at = 0; at < m.read_count; ++at) {
    const Item& item = *m.expected[at];
    if (!SameText(item.source, source)) continue;
    if (!item.usable || item.level != level) return false;
    *size = item.size;
    *dos_time = item.dos_time;
    return true;
  }
  return false;
}

std::unique_ptr<AheadResult> CompressAhead::Take(const std::string& source, int64_t size, double file_date,
                                                 TCompressionLevel level) {
  Impl& m = *impl_;
  // The source is looked for among those read ahead, and the next; those
  // before it were not added after all.
  const size_t window = std::min(m.expected.size(), m.read_count + 1);
  size_t at = 0;
  while (at < window && !SameText(m.expected[at]->source, source)) ++at;
  if (at == window) return nullptr;
  for (size_t i = 0; i < at; ++i) m.Drop(m.expected[i]);
  std::shared_ptr<Item> item = m.expected[at];
  const bool was_read = at < m.read_count;
  m.expected.erase(m.expected.begin(), m.expected.begin() + static_cast<std::ptrdiff_t>(at) + 1);
  m.read_count = was_read ? m.read_count - (at + 1) : 0;
  if (!was_read || !item->usable || item->size != size || item->file_date != file_date || item->level != level) {
    // Not read ahead (the bounds were reached) or changed since: its add does it.
    if (was_read) m.Drop(item);
    m.TopUp();
    return nullptr;
  }
  m.TopUp();
  for (;;) {
    {
      ThreadLockHolder hold(m.lock);
      if (item->done) break;
    }
    m.main_wake.Wait();
  }
  m.Drop(item);
  return std::make_unique<AheadResult>(std::move(item->result));
}

}  // namespace kit
