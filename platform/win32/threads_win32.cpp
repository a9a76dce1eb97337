#include <windows.h>

#include <cstdlib>

#include "platform/threads.h"

namespace kit {

int ProcessorCount() {
  SYSTEM_INFO info;
  GetSystemInfo(&info);
  return info.dwNumberOfProcessors == 0 ? 1 : static_cast<int>(info.dwNumberOfProcessors);
}

void PauseThread(uint32_t milliseconds) { Sleep(milliseconds); }

struct WorkerThread::Impl {
  std::function<void()> body;
  HANDLE handle = nullptr;
  static DWORD WINAPI Run(LPVOID self) {
    try {
      static_cast<Impl*>(self)->body();
    } catch (...) {
    }
    return 0;
  }
};

WorkerThread::WorkerThread(std::function<void()> body) : impl_(new Impl) {
  impl_->body = std::move(body);
  DWORD id = 0;
  impl_->handle = CreateThread(nullptr, 0, &Impl::Run, impl_.get(), 0, &id);
}

bool WorkerThread::Started() const { return impl_->handle != nullptr; }

WorkerThread::~WorkerThread() {
  if (impl_->handle != nullptr) {
    WaitForSingleObject(impl_->handle, INFINITE);
    CloseHandle(impl_->handle);
  }
}

struct ThreadLock::Impl {
  CRITICAL_SECTION section;
};

ThreadLock::ThreadLock() : impl_(new Impl) { InitializeCriticalSection(&impl_->section); }
ThreadLock::~ThreadLock() { DeleteCriticalSection(&impl_->section); }
void ThreadLock::Enter() { EnterCriticalSection(&impl_->section); }
void ThreadLock::Leave() { LeaveCriticalSection(&impl_->section); }

struct ThreadSignal::Impl {
  HANDLE event = nullptr;
};

ThreadSignal::ThreadSignal() : impl_(new Impl) {
  impl_->event = CreateEventA(nullptr, FALSE, FALSE, nullptr);
  if (impl_->event == nullptr) std::abort();
}

ThreadSignal::~ThreadSignal() { CloseHandle(impl_->event); }
void ThreadSignal::Set() { SetEvent(impl_->event); }
void ThreadSignal::Wait() { WaitForSingleObject(impl_->event, INFINITE); }

}  // namespace kit
