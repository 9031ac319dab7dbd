// Browser window snapshot and the list of active windows.
#include "engine/snapshot.h"

#include <algorithm>
#include <exception>

#include "engine/scan_context.h"
#include "rules/list_ops.h"

namespace zt {
namespace {

// The Internet Explorer address bar: from the frame to the tool bar, then
// on as each version lays it out. FindChild sees direct children only, so
// an older layout never matches a newer one's path.
constexpr const char* kAddressBarStart[] = {"WorkerW", "rebarwindow32"};
// Internet Explorer 7 and 8 put the address into a band of its own.
constexpr char kAddressBand[] = "Address Band Root";
struct AddressBarPath {
  const char* classes[3];  // null-terminated when shorter
  // The text is read from the deepest window found, once the path has
  // come this deep.
  size_t readable;
};
constexpr AddressBarPath kBandPaths[] = {
    {{"Edit", nullptr, nullptr}, 1},                 // 8: the edit field itself
    {{"comboboxex32", "ComboBox", "Edit"}, 1},       // 7: the combo box answers with its edit's text
};
constexpr AddressBarPath kToolBarPath = {{"comboboxex32", "ComboBox", "Edit"}, 3};  // 6 and earlier

// The window the path leads to from start, or 0 where it ends too early.
WindowHandle Follow(Desktop& desk, WindowHandle start, const AddressBarPath& path) {
  WindowHandle w = start;
  size_t depth = 0;
  for (; depth < 3 && path.classes[depth]; ++depth) {
    WindowHandle next = desk.FindChild(w, path.classes[depth]);
    if (next == 0) break;
    w = next;
  }
  return depth >= path.readable ? w : 0;
}

size_t CaptionTotal(const OpenWindowsTable& t) {
  size_t sum = 0;
  for (size_t i = 0; i < t.count; ++i) sum += t.records[i].Caption.size();
  return sum;
}

}  // namespace

std::string cutstring(const std::string& text, const std::string& suffix) {
  size_t at = text.find(suffix);
  if (at == std::string::npos) return {};
  return text.substr(0, at) + text.substr(at + suffix.size());
}

void LetThrough(EngineState& state, const TBrowserWindow& record) {
  for (LetThroughWindow& l : state.letThrough)
    if (l.window == record.Handle) {
      l.caption = record.Caption;
      return;
    }
  state.letThrough.push_back({record.Handle, record.Caption});
}

namespace {

bool IsLetThrough(const EngineState& state, WindowHandle window, const std::string& caption) {
  for (const LetThroughWindow& l : state.letThrough)
    if (l.window == window) return l.caption == caption;
  return false;
}

// Forgets the windows let through that are gone from the snapshot or
// changed their caption: a handle the system gives a new window later
// must not inherit the decision.
void ForgetLetThrough(EngineState& state) {
  const OpenWindowsTable& t = state.OpenWindows;
  auto gone = [&t](const LetThroughWindow& l) {
    for (size_t i = 0; i < t.count; ++i)
      if (t.records[i].Handle == l.window) return t.records[i].Caption != l.caption;
    return true;
  };
  state.letThrough.erase(std::remove_if(state.letThrough.begin(), state.letThrough.end(), gone),
                         state.letThrough.end());
}

// Asks one Internet Explorer window's address bar, keeping what the cycles
// know of it: a bar that rests after a timeout is not asked.
void ReadOneAddress(const ScanContext& ctx, TBrowserWindow& rec) {
  AddressBars& known = ctx.state.addressBars;  // sorted by window handle
  auto it = std::lower_bound(known.begin(), known.end(), rec.Handle,
                             [](const AddressBarState& s, WindowHandle w) { return s.window < w; });
  bool have = it != known.end() && it->window == rec.Handle;
  AddressBarState state = have ? *it : AddressBarState{rec.Handle};
  uint32_t now = ctx.system.TickCount();
  if (!state.answered && have && static_cast<int32_t>(state.retryAt - now) > 0) return;
  bool timedOut = false;
  rec.URL = ReadIEAddress(ctx, rec.Handle, kAddressReadTimeoutMs, &timedOut);
  state.answered = !timedOut;
  state.askedAt = now;
  if (timedOut) state.retryAt = ctx.system.TickCount() + kUnansweredRetryMs;
  if (have) *it = state;
  else known.insert(it, state);
}

}  // namespace

bool EnumWindowsProc(const ScanContext& ctx, WindowHandle window) {
  try {
    Desktop& desk = ctx.desktop;
    std::string className = desk.ClassName(window, kClassNameBuffer);
    if (!desk.IsVisible(window) || window == 0) return true;
    // The caption is read only where some browser of the class is watched.
    TableView<RecognitionRow> rows = RowsOfClass(className);
    if (!AnyKindOn(ctx.settings, rows)) return true;
    std::string caption = desk.Caption(window, kCaptionBuffer);
    if (caption.empty()) return true;
    int kind = RecognizeBrowser(rows, caption);
    if (!KindOn(ctx.settings, kind)) return true;
    OpenWindowsTable& t = ctx.state.OpenWindows;
    if (t.count >= kMaxOpenWindows) return true;
    TBrowserWindow& rec = t.records[t.count];
    rec.Caption = std::move(caption);
    rec.URL.clear();
    rec.Kind = kind;
    rec.Handle = window;
    rec.Handled = IsLetThrough(ctx.state, window, rec.Caption);
    ++t.count;
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

std::string ReadIEAddress(const ScanContext& ctx, WindowHandle window, unsigned timeoutMs, bool* timedOut) {
  if (timedOut) *timedOut = false;
  try {
    Desktop& desk = ctx.desktop;
    WindowHandle bar = window;
    for (const char* cls : kAddressBarStart) {
      bar = desk.FindChild(bar, cls);
      if (bar == 0) return {};
    }
    WindowHandle field = 0;
    if (WindowHandle band = desk.FindChild(bar, kAddressBand)) {
      for (const AddressBarPath& path : kBandPaths)
        if ((field = Follow(desk, band, path)) != 0) break;
    } else {
      field = Follow(desk, bar, kToolBarPath);
    }
    if (field == 0) return {};
    std::optional<std::string> text = desk.ReadText(field, timeoutMs);
    if (!text) {
      if (timedOut) *timedOut = desk.IsWindow(field);
      return {};
    }
    // Scheme, "://" and host: what stands before the third '/'.
    size_t end = 0;
    for (int slashes = 0; end < text->size(); ++end)
      if ((*text)[end] == '/' && ++slashes == 3) break;
    std::string address = text->substr(0, end);
    if (address.find("http") == std::string::npos) return {};
    return address;
  } catch (const std::exception&) {
    return {};
  }
}

void FillListView1(const ScanContext& ctx) {
  ListModel& list = ctx.state.ListView1;
  int selected = list.selected;
  std::vector<ListRow> rows;
  const OpenWindowsTable& t = ctx.state.OpenWindows;
  rows.reserve(t.count);
  for (size_t i = 0; i < t.count; ++i) {
    const TBrowserWindow& r = t.records[i];
    rows.push_back(ListRow{{cutstring(r.Caption, BrowserSuffix(r.Kind)), r.URL, std::to_string(r.Handle)},
                           BrowserImage(r.Kind)});
  }
  list.Replace(std::move(rows));
  int last = static_cast<int>(list.size()) - 1;
  list.selected = selected > last ? last : selected;
  ctx.view.ListChanged(list.id());
  FitColumns(ctx.view, list);
  ctx.view.RebuildTrayMenu();
  ctx.view.ProcessPendingMessages();
}

namespace {

// Reads the address bars of the Internet Explorer windows within the
// cycle's budget. Bars that answered last time are asked first, then the
// others, the longest unasked first (a new window before all), so a hung
// browser cannot keep the others waiting. A bar that did not answer in time
// is skipped for a while.
void ReadAddresses(const ScanContext& ctx) {
  OpenWindowsTable& t = ctx.state.OpenWindows;
  AddressBars& known = ctx.state.addressBars;  // sorted by window handle
  struct Ask {
    TBrowserWindow* record;
    AddressBarState state;
  };
  std::vector<Ask> order;
  order.reserve(t.count);
  bool anyUnanswered = false;
  for (size_t i = 0; i < t.count; ++i) {
    TBrowserWindow& rec = t.records[i];
    if (!ReadsAddress(rec.Kind)) continue;
    auto it = std::lower_bound(known.begin(), known.end(), rec.Handle,
                               [](const AddressBarState& s, WindowHandle w) { return s.window < w; });
    AddressBarState state = it != known.end() && it->window == rec.Handle ? *it : AddressBarState{rec.Handle};
    anyUnanswered = anyUnanswered || !state.answered;
    order.push_back({&rec, state});
  }
  if (anyUnanswered)
    std::stable_sort(order.begin(), order.end(), [](const Ask& a, const Ask& b) {
      if (a.state.answered != b.state.answered) return a.state.answered;
      return a.state.askedAt < b.state.askedAt;
    });
  const uint32_t start = ctx.system.TickCount();
  for (Ask& ask : order) {
    AddressBarState& state = ask.state;
    uint32_t now = ctx.system.TickCount();
    uint32_t spent = now - start;
    bool resting = !state.answered && static_cast<int32_t>(state.retryAt - now) > 0;
    if (resting || spent >= kAddressBudgetMs) continue;
    unsigned timeout = std::min<unsigned>(kAddressReadTimeoutMs, kAddressBudgetMs - spent);
    bool timedOut = false;
    ask.record->URL = ReadIEAddress(ctx, ask.record->Handle, timeout, &timedOut);
    state.answered = !timedOut;
    state.askedAt = now;
    if (timedOut) state.retryAt = ctx.system.TickCount() + kUnansweredRetryMs;
  }
  // Only the windows of this snapshot are remembered.
  known.clear();
  for (const Ask& ask : order) known.push_back(ask.state);
  std::sort(known.begin(), known.end(),
            [](const AddressBarState& a, const AddressBarState& b) { return a.window < b.window; });
}

}  // namespace

void GetOpenWindows(const ScanContext& ctx) {
  OpenWindowsTable& t = ctx.state.OpenWindows;
  size_t before = CaptionTotal(t);
  t.count = 0;
  try {
    ctx.desktop.EnumTopLevel([&ctx](WindowHandle w) { return EnumWindowsProc(ctx, w); });
  } catch (const std::exception&) {
    // The windows recorded up to the error stay; the next cycle starts afresh.
  }
  ReadAddresses(ctx);
  ForgetLetThrough(ctx.state);
  if (CaptionTotal(t) != before) FillListView1(ctx);
}

SingleWindowSnapshot::SingleWindowSnapshot(const ScanContext& ctx, WindowHandle window)
    : live_(ctx.state.OpenWindows), cycle_(std::move(ctx.state.OpenWindows)) {
  live_.count = 0;
  if (!EnumWindowsProc(ctx, window) || live_.count == 0) return;
  if (ReadsAddress(live_.records[0].Kind)) ReadOneAddress(ctx, live_.records[0]);
}

SingleWindowSnapshot::~SingleWindowSnapshot() { live_ = std::move(cycle_); }

bool SingleWindowSnapshot::recorded() const { return live_.count > 0; }

}  // namespace zt
