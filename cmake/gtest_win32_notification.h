// GoogleTest's Notification uses std::mutex, which the win32 thread model of
// MinGW does not have. This replacement waits on a Win32 event instead.
#pragma once
#ifdef _WIN32
#include <windows.h>
// Every test sees <windows.h> through this header. Its A/W name macros
// would rename our platform methods (System::CopyFile, ...) in test files
// only, so calls there would miss the stand-ins' real names.
#undef CopyFile
#undef DeleteFile
#undef CreateDirectory
#undef RemoveDirectory
#undef SetFileAttributes
#undef MessageBox
#undef StartService
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
