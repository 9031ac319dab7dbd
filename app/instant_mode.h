// Instant mode: a browser window is checked the moment the system announces
// it (created, shown, caption changed), with the passes of the scan cycle,
// instead of waiting up to one tick of Timer1. The cycle stays as it is:
// the safety net, and the only one that sees address-bar changes.
//
// Announcements are coalesced: each window is held once in a short watch
// list, and one wake-up message per burst asks the window thread to check
// them, at most kChecksPerRun windows at a time. A newly announced window
// stays watched for kWatchMs: where the system announces only its creation
// (Wine), the watch timer checks it again as soon as it is shown or its
// caption changes.
#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "app/zapotrix_main.h"
#include "platform/timer.h"
#include "platform/window.h"

namespace zt {

// How long an announced window is watched for its showing and caption.
constexpr uint32_t kWatchMs = 2000;
// Interval of the watch timer while any window is watched.
constexpr unsigned kWatchIntervalMs = 10;
// At most this many windows are watched; further announcements are left to
// the scan cycle.
constexpr size_t kMaxWatched = 50;
// Checks per wake-up or watch tick, so that user input runs in between.
constexpr size_t kChecksPerRun = 10;

class InstantMode {
 public:
  // wake: asks the window thread to call Run soon (posts one message).
  InstantMode(ZapotrixMain& main, Timer& watchTimer, std::function<void()> wake)
      : main_(main), timer_(watchTimer), wake_(std::move(wake)) {}
  ~InstantMode() { Stop(); }
  InstantMode(const InstantMode&) = delete;
  InstantMode& operator=(const InstantMode&) = delete;

  // Subscribes to the system's window announcements; false where the
  // system has none (then the scan cycle alone closes popups).
  bool Start();
  void Stop();
  bool running() const { return running_; }

  // An announcement: a window of a watched browser class joins the watch
  // list (once), and the first of a burst asks for a wake-up.
  void Announced(WindowHandle window, WindowEvent event);
  // The wake-up message and the watch timer: checks the windows that were
  // announced, or were shown or renamed since their last check.
  void Run();

  size_t watched() const { return watched_.size(); }

 private:
  struct Watched {
    WindowHandle window = 0;
    uint32_t until = 0;          // watched until this tick count
    bool due = true;             // announced since the last check
    bool checkedVisible = false; // as it was at the last check
    std::string checkedCaption;
  };
  void SetTimer(bool on);

  ZapotrixMain& main_;
  Timer& timer_;
  std::function<void()> wake_;
  std::vector<Watched> watched_;
  bool running_ = false;
  bool wakePending_ = false;
  bool timerOn_ = false;
};

}  // namespace zt
