// Work beside the calling thread: a thread running one function, a lock, and
// an auto-reset wake-up signal. The Win32 build uses only calls every Win32
// system has (CreateThread, critical sections, events); other builds use the
// standard library.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>

namespace kit {

// The processors the system runs programs on (at least 1).
int ProcessorCount();

// Lets the calling thread wait that long.
void PauseThread(uint32_t milliseconds);

class WorkerThread {
 public:
  // Starts `body` at once; an exception leaving it is dropped.
  explicit WorkerThread(std::function<void()> body);
  ~WorkerThread();  // waits for the thread
  // False when the system gave no thread: `body` never runs.
  bool Started() const;
  WorkerThread(const WorkerThread&) = delete;
  WorkerThread& operator=(const WorkerThread&) = delete;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

class ThreadLock {
 public:
  ThreadLock();
  ~ThreadLock();
  ThreadLock(const ThreadLock&) = delete;
  ThreadLock& operator=(const ThreadLock&) = delete;
  void Enter();
  void Leave();

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

class ThreadLockHolder {
 public:
  explicit ThreadLockHolder(ThreadLock& lock) : lock_(lock) { lock_.Enter(); }
  ~ThreadLockHolder() { lock_.Leave(); }
  ThreadLockHolder(const ThreadLockHolder&) = delete;
  ThreadLockHolder& operator=(const ThreadLockHolder&) = delete;

 private:
  ThreadLock& lock_;
};

// Set wakes one Wait; a Set with nobody waiting is kept for the next Wait.
class ThreadSignal {
 public:
  ThreadSignal();
  ~ThreadSignal();
  ThreadSignal(const ThreadSignal&) = delete;
  ThreadSignal& operator=(const ThreadSignal&) = delete;
  void Set();
  void Wait();

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace kit
