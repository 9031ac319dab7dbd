// The snapshot of the browser windows open now, taken at the start of every
// scan cycle: at most 50 records in enumeration order, the Internet
// Explorer addresses, and the list of active windows shown from it.
#pragma once
#include <array>
#include <string>

#include "engine/browsers.h"
#include "platform/window.h"

namespace zt {

struct ScanContext;
struct Settings;
struct EngineState;

struct TBrowserWindow {
  std::string Caption;
  std::string URL;
  int Kind = 0;
  WindowHandle Handle = 0;
  bool Handled = false;
};

constexpr size_t kMaxOpenWindows = 50;

struct OpenWindowsTable {
  std::array<TBrowserWindow, kMaxOpenWindows> records;
  size_t count = 0;
};

// Buffer sizes of the class name and caption reads.
constexpr int kClassNameBuffer = 255;
constexpr int kCaptionBuffer = 255;
// Longest wait for a browser's address bar to answer.
constexpr unsigned kAddressReadTimeoutMs = 200;
// The address reads of one cycle together wait at most this long; the
// windows left over get an empty address for this cycle.
constexpr unsigned kAddressBudgetMs = 250;
// An address bar that did not answer in time is not asked again for this
// long: a hung browser must not stall every cycle.
constexpr unsigned kUnansweredRetryMs = 5000;

// Remembers a record the user let through (see LetThroughWindow).
void LetThrough(EngineState& state, const TBrowserWindow& record);

// Rebuilds the snapshot; refreshes ListView1 and the tray menu when the
// total length of the captions changed.
void GetOpenWindows(const ScanContext& ctx);
// The enumeration callback: records one top-level window when it is a
// browser window of a kind switched on. True to go on.
bool EnumWindowsProc(const ScanContext& ctx, WindowHandle window);
// The address of an Internet Explorer window cut to scheme and host, or
// the empty text. The address bar is looked for as Internet Explorer 8, 7
// and 6 lay it out, in this order. Waits at most timeoutMs for the address bar; timedOut
// tells whether it did not answer in that time.
std::string ReadIEAddress(const ScanContext& ctx, WindowHandle window, unsigned timeoutMs = kAddressReadTimeoutMs,
                          bool* timedOut = nullptr);
// For as long as it lives, the snapshot holds one window only, as the
// enumeration of the scan cycle would record it (with its address), so
// that the cycle's passes judge that window alone; then the cycle's
// snapshot is back.
class SingleWindowSnapshot {
 public:
  SingleWindowSnapshot(const ScanContext& ctx, WindowHandle window);
  ~SingleWindowSnapshot();
  SingleWindowSnapshot(const SingleWindowSnapshot&) = delete;
  SingleWindowSnapshot& operator=(const SingleWindowSnapshot&) = delete;
  // False when the window is no visible browser window of a watched kind.
  bool recorded() const;

 private:
  OpenWindowsTable& live_;
  OpenWindowsTable cycle_;
};

// Rebuilds ListView1 from the snapshot, fits its columns and rebuilds the
// tray menu.
void FillListView1(const ScanContext& ctx);
// The text with the first occurrence of suffix removed; empty when suffix
// does not occur.
std::string cutstring(const std::string& text, const std::string& suffix);

}  // namespace zt
