// GoogleTest's Notification uses std::mutex, which the win32 thread model of
// MinGW does not have. This replacement waits on a Win32 event instead.
#pragma once
#ifdef _WIN32
// Every test sees <windows.h> through this header, without the A/W name
// macros that would rename our platform methods (System::CopyFile, ...).
#include "../platform/win32/win.h"
#define GTEST_HAS_NOTIFICATION_ 1
namespace testing {
namespace internal {
class Notification {
 public:
  Notification() : event_(CreateEventA(nullptr, TRUE, FALSE, nullptr)) {}
  ~Notification() { CloseHandle(event_); }
  Notification(const Notification&) = delete;
  Notification& operator=(const Notification&) = delete;
  void Notify() { SetEvent(event_); }
  void WaitForNotification() { WaitForSingleObject(event_, INFINITE); }

 private:
  HANDLE event_;
};
}  // namespace internal
}  // namespace testing
#endif
