// AddFiles with several members compressed at once. Worker threads only
// deflate; this thread does every file operation (a FileSystem need not be
// thread-safe). Members ahead of their turn keep their compressed bytes in
// memory, within a bound; at its turn a member is written into the archive
// with its events and faults, as in a one-job run, so handlers see the same.
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "archive/compression_stream.h"
#include "archive/kbln_compress.h"
#include "archive/percent.h"
#include "platform/threads.h"

namespace kit {
namespace {

constexpr uint32_t kChunk = 65536;      // source reads, as in a one-job run
constexpr size_t kQueuedChunks = 8;     // read ahead per member being deflated
constexpr size_t kAheadPerJob = 16;     // members with an open source, per job
constexpr int64_t kHeldAhead = 32 << 20; // output held for members ahead

// Worker output: compressed bytes, or the progress mark that follows a block.
struct Piece {
  std::vector<unsigned char> bytes;
  bool progress = false;
  int64_t source_position = 0;
};

struct Worker;

struct Member {
  TFileHeader* header = nullptr;
  // A source that would not open is reported at the member's turn.
  bool open_failed = false;
  uint32_t error_code = 0;
  std::unique_ptr<File> source_file;
  std::unique_ptr<TKblnNormalHandleStream> source;
  int32_t header_pos = 0;
  Worker* worker = nullptr;
  int64_t read = 0;
  bool all_read = false;
  // Shared with the worker, under the lock.
  std::deque<std::vector<unsigned char>> input;
  bool input_end = false;
  std::deque<Piece> output;
  bool deflated = false;
  bool deflate_failed = false;
  // This thread's: output taken from the worker, not yet written.
  std::deque<Piece> pending;
  int64_t written = 0;
  bool collected = false;  // deflated and all output taken
  bool begun = false;
};

struct Worker {
  ThreadSignal wake;
  Member* member = nullptr;  // under the lock
  std::unique_ptr<WorkerThread> thread;
};

struct Stopped {};

struct Shared {
  explicit Shared(TCompressionLevel l) : level(l) {}
  ~Shared() { Stop(); }
  // Asks every worker to leave and waits for them.
  void Stop() {
    {
      ThreadLockHolder hold(lock);
      stop = true;
    }
    for (auto& w : workers) w->wake.Set();
    for (auto& w : workers) w->thread.reset();
  }
  TCompressionLevel level;
  ThreadLock lock;
  ThreadSignal main_wake;
  bool stop = false;  // under the lock
  std::vector<std::unique_ptr<Worker>> workers;
};

// A worker's compressed output, handed to the calling thread.
class PieceSink : public TKblnStream {
 public:
  PieceSink(Shared& s, Member& m) : s_(s), m_(m) {}
  uint32_t Read(void*, uint32_t) override { return 0; }
  int64_t Seek(int64_t, SeekOrigin) override { return -1; }
  uint32_t Write(const void* buffer, uint32_t n) override {
    const auto* p = static_cast<const unsigned char*>(buffer);
    Push(Piece{std::vector<unsigned char>(p, p + n), false, 0});
    return n;
  }
  void Push(Piece piece) {
    {
      ThreadLockHolder hold(s_.lock);
      m_.output.push_back(std::move(piece));
    }
    s_.main_wake.Set();
  }

 private:
  Shared& s_;
  Member& m_;
};

void Deflate(Shared& s, Worker& w, Member& m) {
  PieceSink sink(s, m);
  int64_t position = 0;
  TCompressionStream z(s.level, sink, [&] { sink.Push(Piece{{}, true, position}); });
  for (;;) {
    std::vector<unsigned char> chunk;
    bool end = false;
    for (;;) {
      {
        ThreadLockHolder hold(s.lock);
        if (s.stop) throw Stopped();
        if (!m.input.empty()) {
          chunk = std::move(m.input.front());
          m.input.pop_front();
          break;
        }
        if (m.input_end) {
          end = true;
          break;
        }
      }
      w.wake.Wait();
    }
    s.main_wake.Set();  // room for more input
    if (end) break;
    position += static_cast<int64_t>(chunk.size());
    z.Write(chunk.data(), static_cast<uint32_t>(chunk.size()));
  }
  z.Finish();
}

void WorkerLoop(Shared& s, Worker& w) {
  for (;;) {
    Member* m = nullptr;
    for (;;) {
      {
        ThreadLockHolder hold(s.lock);
        if (s.stop) return;
        m = w.member;
      }
      if (m) break;
      w.wake.Wait();
    }
    bool failed = false;
    try {
      Deflate(s, w, *m);
    } catch (...) {
      failed = true;
    }
    {
      ThreadLockHolder hold(s.lock);
      m->deflated = true;
      m->deflate_failed = failed;
      w.member = nullptr;
    }
    s.main_wake.Set();
  }
}

}  // namespace

void TKblnCompress::AddParallel(TKblnStream& archive, int first) {
  std::vector<std::unique_ptr<Member>> members;
  for (int i = first; i < headers_.Count(); ++i) {
    TFileHeader& h = *headers_.FileHeaders(i);
    if (h.Stored) continue;
    members.push_back(std::make_unique<Member>());
    members.back()->header = &h;
  }
  auto close = [&](Member& m) {
    m.source.reset();
    m.source_file.reset();
  };
  auto open = [&](Member& m) {
    m.source_file = fs_.Open(m.header->FileName(), FileAccess::kRead, share::kRead | share::kWrite,
                             Disposition::kOpenExisting);
    if (!m.source_file) {
      m.error_code = services_.last_error ? services_.last_error() : 0;
      m.open_failed = true;
      return;
    }
    m.source = std::make_unique<TKblnNormalHandleStream>(*m.source_file);
    m.source->Seek(0, SeekOrigin::kBegin);
  };
  // At its turn, the steps and faults of a one-job run, in its order.
  auto begin = [&](Member& m) {
    TFileHeader& h = *m.header;
    current_header_ = &h;
    if (m.open_failed) {
      EFOpenError error("Cannot open file \"" + h.FileName() + "\"");
      if (services_.show_message) {
        services_.show_message("error =" + std::to_string(m.error_code));
        services_.show_message(error.ClassName());
        services_.show_message(h.FileName());
      }
      throw error;
    }
    LoadStats(h);
    stats_.CompressedSize = 0;
    if (OnBeforeAdding) OnBeforeAdding(*this, stats_);
    m.header_pos = BeginMember(h, archive);
  };
  // A piece of the member at its turn: written, or reported.
  auto deliver = [&](Member& m, const Piece& p) {
    if (p.progress) {
      if (abort_) throw EKCStop();
      Pump();
      ReportAdding(p.source_position, m.written);
      return;
    }
    uint32_t n = static_cast<uint32_t>(p.bytes.size());
    uint32_t w = archive.Write(p.bytes.data(), n);
    m.written += w;
    if (w < n) DoFullDisk();
  };
  auto finish = [&](Member& m) {
    if (m.deflate_failed) throw ECompressionError("error");
    stats_.Finished = true;
    if (abort_) throw EKCStop();
    Pump();
    ReportAdding(m.read, m.written);
    stats_.Finished = false;
    stats_.CompressionRatio = PercentByte(stats_.CompressedSize, stats_.FileSize);
    EndMember(*m.header, archive, m.header_pos, m.written);
    if (OnAfterAdding) OnAfterAdding(*this, stats_);
    close(m);
  };

  Shared s(level_);
  const size_t wanted = std::min<size_t>(static_cast<size_t>(jobs_), members.size());
  for (size_t i = 0; i < wanted; ++i) {
    auto w = std::make_unique<Worker>();
    Worker* raw = w.get();
    w->thread = std::make_unique<WorkerThread>([&s, raw] { WorkerLoop(s, *raw); });
    if (!w->thread->Started()) break;
    s.workers.push_back(std::move(w));
  }
  // No thread to be had: the members go one by one on this thread.
  if (s.workers.empty()) {
    for (auto& m : members) {
      if (archive.Seek(0, SeekOrigin::kEnd) < 0) throw EKCFHCannotWriteHeaders();
      AddOne(*m->header, archive);
    }
    return;
  }
  const size_t jobs = s.workers.size();
  const size_t ahead = jobs * kAheadPerJob;
  size_t next = 0, turn = 0;
  int64_t held = 0;  // bytes in `pending` of members ahead of their turn
  try {
    while (turn < members.size()) {
      bool busy = false;
      // Idle workers take the next members.
      for (auto& w : s.workers) {
        bool idle;
        {
          ThreadLockHolder hold(s.lock);
          idle = w->member == nullptr;
        }
        while (idle && next < members.size() && next - turn < ahead) {
          Member& m = *members[next++];
          busy = true;
          open(m);
          if (m.open_failed) {
            m.collected = true;
            continue;
          }
          m.worker = w.get();
          {
            ThreadLockHolder hold(s.lock);
            w->member = &m;
          }
          w->wake.Set();
          idle = false;
        }
      }
      // Sources are read ahead; members ahead wait while much is held.
      for (size_t i = turn; i < next; ++i) {
        Member& m = *members[i];
        if (m.open_failed || m.all_read || (i != turn && held > kHeldAhead)) continue;
        size_t queued;
        {
          ThreadLockHolder hold(s.lock);
          queued = m.input.size();
        }
        bool fed = false;
        while (queued < kQueuedChunks && !m.all_read) {
          std::vector<unsigned char> chunk(kChunk);
          uint32_t n = m.source->Read(chunk.data(), kChunk);
          chunk.resize(n);
          m.read += n;
          m.all_read = n == 0;
          ThreadLockHolder hold(s.lock);
          if (n == 0) m.input_end = true;
          else m.input.push_back(std::move(chunk)), ++queued;
          fed = true;
        }
        if (fed) {
          busy = true;
          m.worker->wake.Set();
        }
      }
      // Worker output is taken over.
      {
        ThreadLockHolder hold(s.lock);
        for (size_t i = turn; i < next; ++i) {
          Member& m = *members[i];
          if (m.collected) continue;
          for (Piece& p : m.output) {
            if (!m.begun) held += static_cast<int64_t>(p.bytes.size());
            m.pending.push_back(std::move(p));
            busy = true;
          }
          m.output.clear();
          m.collected = m.deflated;
        }
      }
      // The member whose turn it is goes on.
      if (turn < next) {
        Member& m = *members[turn];
        if (!m.begun) {
          m.begun = true;
          for (const Piece& p : m.pending) held -= static_cast<int64_t>(p.bytes.size());
          begin(m);
        }
        while (!m.pending.empty()) {
          busy = true;
          deliver(m, m.pending.front());
          m.pending.pop_front();
        }
        if (m.collected) {
          finish(m);
          ++turn;
          busy = true;
        }
      }
      if (!busy) s.main_wake.Wait();
    }
  } catch (...) {
    s.Stop();
    for (auto& m : members) close(*m);
    throw;
  }
  s.Stop();
}

}  // namespace kit
