#include <chrono>
#include <condition_variable>
#include <mutex>
#include <system_error>
#include <thread>

#include "platform/threads.h"

namespace kit {

int ProcessorCount() {
  unsigned n = std::thread::hardware_concurrency();
  return n == 0 ? 1 : static_cast<int>(n);
}

void PauseThread(uint32_t milliseconds) { std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds)); }

struct WorkerThread::Impl {
  std::thread thread;
};

WorkerThread::WorkerThread(std::function<void()> body) : impl_(new Impl) {
  try {
    impl_->thread = std::thread([body = std::move(body)] {
      try {
        body();
      } catch (...) {
      }
    });
  } catch (const std::system_error&) {
    // Started() tells.
  }
}

bool WorkerThread::Started() const { return impl_->thread.joinable(); }

WorkerThread::~WorkerThread() {
  if (impl_->thread.joinable()) impl_->thread.join();
}

struct ThreadLock::Impl {
  std::mutex mutex;
};

ThreadLock::ThreadLock() : impl_(new Impl) {}
ThreadLock::~ThreadLock() = default;
void ThreadLock::Enter() { impl_->mutex.lock(); }
void ThreadLock::Leave() { impl_->mutex.unlock(); }

struct ThreadSignal::Impl {
  std::mutex mutex;
  std::condition_variable cv;
  bool set = false;
};

ThreadSignal::ThreadSignal() : impl_(new Impl) {}
ThreadSignal::~ThreadSignal() = default;

void ThreadSignal::Set() {
  {
    std::lock_guard<std::mutex> hold(impl_->mutex);
    impl_->set = true;
  }
  impl_->cv.notify_one();
}

void ThreadSignal::Wait() {
  std::unique_lock<std::mutex> hold(impl_->mutex);
  impl_->cv.wait(hold, [this] { return impl_->set; });
  impl_->set = false;
}

}  // namespace kit
