// Jobs on a thread started with _beginthreadex (the C runtime's per-thread
// data is then set up for the job).
#include "platform/win32/win32_worker.h"

#include <process.h>

#include <memory>
#include <utility>

namespace zt {
namespace {

constexpr DWORD kShutdownWaitMs = 10000;

}  // namespace

Win32Worker::~Win32Worker() {
  Abandon();
  DWORD start = GetTickCount();
  for (HANDLE h : abandoned_) {
    DWORD spent = GetTickCount() - start;
    WaitForSingleObject(h, spent < kShutdownWaitMs ? kShutdownWaitMs - spent : 0);
    CloseHandle(h);
  }
}

void Win32Worker::Abandon() {
  // Threads that have ended are let go; the others are waited for at the end.
  std::vector<HANDLE> still;
  for (HANDLE h : abandoned_) {
    if (WaitForSingleObject(h, 0) == WAIT_TIMEOUT) still.push_back(h);
    else CloseHandle(h);
  }
  abandoned_.swap(still);
  if (thread_) abandoned_.push_back(thread_);
  thread_ = nullptr;
}

bool Win32Worker::Start(std::function<void()> job) {
  if (Busy()) return false;
  if (thread_) {
    CloseHandle(thread_);
    thread_ = nullptr;
  }
  // The thread owns its copy of the job and deletes it when done.
  auto owned = std::make_unique<std::function<void()>>(std::move(job));
  uintptr_t h = _beginthreadex(nullptr, 0, &Win32Worker::ThreadMain, owned.get(), 0, nullptr);
  if (h == 0) return false;
  owned.release();
  thread_ = reinterpret_cast<HANDLE>(h);
  return true;
}

bool Win32Worker::Busy() { return thread_ && WaitForSingleObject(thread_, 0) == WAIT_TIMEOUT; }

bool Win32Worker::Wait(unsigned ms) {
  return !thread_ || WaitForSingleObject(thread_, ms) != WAIT_TIMEOUT;
}

unsigned __stdcall Win32Worker::ThreadMain(void* arg) {
  std::unique_ptr<std::function<void()>> job(static_cast<std::function<void()>*>(arg));
  // No exception may leave the thread: it would end the whole program.
  try {
    (*job)();
  } catch (...) {
  }
  return 0;
}

}  // namespace zt
