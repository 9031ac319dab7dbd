// Instant mode: the watch list of announced browser windows.
#include "app/instant_mode.h"

#include <algorithm>
#include <exception>

#include "engine/snapshot.h"

namespace zt {

bool InstantMode::Start() {
  running_ = main_.state().os.desktop.WatchWindowEvents(
      [this](WindowHandle w, WindowEvent e) { Announced(w, e); });
  return running_;
}

void InstantMode::Stop() {
  if (running_) main_.state().os.desktop.StopWindowEvents();
  running_ = false;
  watched_.clear();
  SetTimer(false);
}

void InstantMode::SetTimer(bool on) {
  if (on == timerOn_) return;  // a running timer keeps its rhythm
  timerOn_ = on;
  if (on) timer_.SetInterval(kWatchIntervalMs);
  timer_.SetEnabled(on);
}

void InstantMode::Announced(WindowHandle window, WindowEvent) {
  AppState& a = main_.state();
  // The class is read without a message to the window: cheap enough for
  // every announcement of the desktop.
  if (!WatchedBrowserClass(a.settings, a.os.desktop.ClassName(window, kClassNameBuffer))) return;
  auto it = std::find_if(watched_.begin(), watched_.end(), [window](const Watched& w) { return w.window == window; });
  if (it == watched_.end()) {
    if (watched_.size() >= kMaxWatched) return;
    watched_.emplace_back();
    watched_.back().window = window;
    it = watched_.end() - 1;
  }
  it->due = true;
  it->until = a.os.system.TickCount() + kWatchMs;
  if (!wakePending_) {
    wakePending_ = true;
    wake_();
  }
}

void InstantMode::Run() {
  wakePending_ = false;
  AppState& a = main_.state();
  Desktop& desk = a.os.desktop;
  size_t checks = 0;
  // A check lets messages run: announcements may add to the list meanwhile,
  // so it is walked by index and each entry found again after a check.
  for (size_t i = 0; i < watched_.size();) {
    WindowHandle window = watched_[i].window;
    bool gone = true;
    try {
      gone = !desk.IsWindow(window);
      if (!gone) {
        bool visible = desk.IsVisible(window);
        std::string caption = desk.Caption(window, kCaptionBuffer);
        const Watched& w = watched_[i];
        bool changed = visible && (!w.checkedVisible || caption != w.checkedCaption);
        if ((w.due || changed) && checks < kChecksPerRun) {
          ++checks;
          bool busy = main_.CheckWindowNow(window) == CheckOutcome::Busy;
          auto it = std::find_if(watched_.begin(), watched_.end(),
                                 [window](const Watched& x) { return x.window == window; });
          if (it == watched_.end()) continue;  // the list was emptied meanwhile (Stop)
          i = static_cast<size_t>(it - watched_.begin());
          if (!busy) {
            it->due = false;
            it->checkedVisible = visible;
            it->checkedCaption = caption;
          }
        }
      }
    } catch (const std::exception&) {
      // A window that cannot be looked at is left to the scan cycle.
      gone = true;
    }
    const Watched& w = watched_[i];
    bool expired = static_cast<int32_t>(a.os.system.TickCount() - w.until) >= 0;
    // A window still due when its watch ends (the program was busy all
    // along) is left to the scan cycle.
    if (gone || expired) watched_.erase(watched_.begin() + static_cast<std::ptrdiff_t>(i));
    else ++i;
  }
  SetTimer(running_ && !watched_.empty());
}

}  // namespace zt
