// The real worker: one Win32 thread per job; the thread handle, signalled
// when the thread ends, tells that the job is done.
#pragma once
#include "platform/win32/win.h"

#include <vector>

#include "platform/worker.h"

namespace zt {

class Win32Worker : public Worker {
 public:
  Win32Worker() = default;
  // Waits a bounded time for the running and abandoned jobs (a download
  // gives up on its own after the system's time-outs), so that the program
  // can end.
  ~Win32Worker() override;
  Win32Worker(const Win32Worker&) = delete;
  Win32Worker& operator=(const Win32Worker&) = delete;

  bool Start(std::function<void()> job) override;
  bool Busy() override;
  bool Wait(unsigned ms) override;
  void Abandon() override;

 private:
  static unsigned __stdcall ThreadMain(void* arg);
  HANDLE thread_ = nullptr;
  std::vector<HANDLE> abandoned_;  // threads still ending on their own
};

}  // namespace zt
