#include "archive/compress_ahead.h"

#include <algorithm>

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
  bool usable = false;  // read whole
  double file_date = 0;
  uint32_t dos_time = 0;
  int64_t size = 0;
  std::vector<unsigned char> data;  // the source, until deflated
  // Under the lock.
  bool claimed = false;  // by a worker
  bool done = false;
  bool dropped = false;  // taken or passed over
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
  // Every source expected, in order; those before `next` are taken or
  // passed over, those before `read_end` are read. Items live as long as
  // this, as a worker may still hold one passed over.
  std::vector<std::unique_ptr<Item>> items;
  size_t next = 0, read_end = 0;
  ThreadLock lock;
  ThreadSignal main_wake;
  // Under the lock.
  bool stop = false;
  int64_t held = 0;  // bytes of the sources read and not yet taken, and their output
  std::vector<Item*> queue;  // read, for the workers, from queue_head on
  size_t queue_head = 0;
  std::vector<std::unique_ptr<ThreadSignal>> wakes;
  std::vector<std::unique_ptr<WorkerThread>> workers;

  int64_t Held() {
    ThreadLockHolder hold(lock);
    return held;
  }

  // An item taken or passed over holds nothing any more.
  void Drop(Item& item) {
    ThreadLockHolder hold(lock);
    held -= item.held;
    item.held = 0;
    item.dropped = true;
    if (!item.claimed) std::vector<unsigned char>().swap(item.data);
    item.result = AheadResult();
  }

  void Read(Item& item) {
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
    bool handed = false;
    while (read_end < items.size() && read_end - next < kMaxAhead && Held() < kHeldAhead) {
      Item& item = *items[read_end++];
      Read(item);
      if (!item.usable) continue;
      ThreadLockHolder hold(lock);
      item.held = item.size;
      held += item.size;
      queue.push_back(&item);
      handed = true;
    }
    if (handed)
      for (auto& w : wakes) w->Set();
  }

  AheadResult Deflate(const Item& item) {
    struct Sink : TKblnStream {
      AheadResult& r;
      explicit Sink(AheadResult& result) : r(result) {}
      uint32_t Read(void*, uint32_t) override { return 0; }
      int64_t Seek(int64_t, SeekOrigin) override { return -1; }
      uint32_t Write(const void* buffer, uint32_t n) override {
        const auto* p = static_cast<const unsigned char*>(buffer);
        r.bytes.insert(r.bytes.end(), p, p + n);
        return n;
      }
    };
    AheadResult result;
    Sink sink(result);
    int64_t position = 0;
    TCompressionStream z(item.level, sink, [&] { result.marks.push_back({result.bytes.size(), position}); });
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
    result.read = size;
    return result;
  }

  Item* Claim() {
    ThreadLockHolder hold(lock);
    Item* item = nullptr;
    while (item == nullptr && queue_head < queue.size()) {
      Item* candidate = queue[queue_head++];
      if (!candidate->dropped) item = candidate;
    }
    if (queue_head == queue.size()) {
      queue.clear();
      queue_head = 0;
    }
    if (item != nullptr) item->claimed = true;
    return item;
  }

  void WorkerLoop(ThreadSignal& wake) {
    for (;;) {
      Item* item = nullptr;
      for (;;) {
        {
          ThreadLockHolder hold(lock);
          if (stop) return;
        }
        item = Claim();
        if (item != nullptr) break;
        wake.Wait();
      }
      AheadResult result;
      try {
        result = Deflate(*item);
      } catch (const Stopped&) {
        return;
      } catch (...) {
        result = AheadResult();
        result.failed = true;
      }
      std::vector<unsigned char>().swap(item->data);
      const int64_t out = static_cast<int64_t>(result.bytes.size());
      {
        ThreadLockHolder hold(lock);
        if (!item->dropped) {
          item->result = std::move(result);
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
  Impl& m = *impl_;
  for (size_t i = m.next; i < m.read_end; ++i) m.Drop(*m.items[i]);
  m.next = m.read_end = m.items.size();
  for (std::string& s : sources) {
    auto item = std::make_unique<Item>();
    item->source = std::move(s);
    item->level = m.level;
    m.items.push_back(std::move(item));
  }
  m.TopUp();
}

bool CompressAhead::Facts(const std::string& source, TCompressionLevel level, int64_t* size,
                          uint32_t* dos_time) const {
  const Impl& m = *impl_;
  for (size_t at = m.next; at < m.read_end; ++at) {
    const Item& item = *m.items[at];
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
  const size_t window_end = std::min(m.items.size(), m.read_end + 1);
  size_t at = m.next;
  while (at < window_end && !SameText(m.items[at]->source, source)) ++at;
  if (at == window_end) return nullptr;
  for (size_t i = m.next; i < at; ++i) m.Drop(*m.items[i]);
  Item& item = *m.items[at];
  const bool was_read = at < m.read_end;
  m.next = at + 1;
  if (m.read_end < m.next) m.read_end = m.next;
  if (!was_read || !item.usable || item.size != size || item.file_date != file_date || item.level != level) {
    // Not read ahead (the bounds were reached) or changed since: its add does it.
    m.Drop(item);
    m.TopUp();
    return nullptr;
  }
  m.TopUp();
  for (;;) {
    {
      ThreadLockHolder hold(m.lock);
      if (item.done) break;
    }
    m.main_wake.Wait();
  }
  auto result = std::make_unique<AheadResult>(std::move(item.result));
  m.Drop(item);
  return result;
}

}  // namespace kit
