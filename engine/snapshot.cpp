// Browser window snapshot and the list of active windows.
#include "engine/snapshot.h"

#include <exception>

#include "app/app_state.h"
#include "rules/list_ops.h"

namespace zt {
namespace {

struct Recognition {
  int kind;
  const char* className;  // whole-name, case-sensitive
  const char* mustContain;
  bool Settings::*enabled;
  int image;
};

constexpr Recognition kRecognition[] = {
    {kInternetExplorer, "IEFrame", "Microsoft Internet Explorer", &Settings::Internet_Explorer, 3},
    {kFirefox, "MozillaUIWindowClass", "Mozilla Firefox", &Settings::Firefox, 10},
    {kMozilla, "MozillaWindowClass", "Mozilla", &Settings::Mozilla, 4},
};

// The Internet Explorer address bar, from the frame down to the edit field.
constexpr const char* kAddressChain[] = {"WorkerW", "rebarwindow32", "comboboxex32", "ComboBox", "Edit"};

size_t CaptionTotal(const OpenWindowsTable& t) {
  size_t sum = 0;
  for (size_t i = 0; i < t.count; ++i) sum += t.records[i].Caption.size();
  return sum;
}

}  // namespace

const std::string& BrowserSuffix(int kind) {
  static const std::string suffixes[] = {"", " - Microsoft Internet Explorer", " - Mozilla Firefox", " - Mozilla"};
  return kind >= 1 && kind <= 3 ? suffixes[kind] : suffixes[0];
}

int BrowserImage(int kind) {
  for (const Recognition& r : kRecognition)
    if (r.kind == kind) return r.image;
  return -1;
}

std::string cutstring(const std::string& text, const std::string& suffix) {
  size_t at = text.find(suffix);
  if (at == std::string::npos) return {};
  return text.substr(0, at) + text.substr(at + suffix.size());
}

bool EnumWindowsProc(AppState& app, WindowHandle window) {
  try {
    Desktop& desk = app.os.desktop;
    std::string className = desk.ClassName(window, kClassNameBuffer);
    if (!desk.IsVisible(window) || window == 0) return true;
    for (const Recognition& r : kRecognition) {
      if (className != r.className || !(app.settings.*r.enabled)) continue;
      std::string caption = desk.Caption(window, kCaptionBuffer);
      if (caption.empty() || caption.find(r.mustContain) == std::string::npos) continue;
      OpenWindowsTable& t = app.OpenWindows;
      if (t.count >= kMaxOpenWindows) continue;
      TBrowserWindow& rec = t.records[t.count];
      rec.Caption = std::move(caption);
      rec.URL.clear();
      rec.Kind = r.kind;
      rec.Handle = window;
      rec.Handled = false;
      ++t.count;
    }
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

std::string ReadIEAddress(AppState& app, WindowHandle window) {
  try {
    Desktop& desk = app.os.desktop;
    WindowHandle w = window;
    for (const char* cls : kAddressChain) {
      w = desk.FindChild(w, cls);
      if (w == 0) return {};
    }
    std::optional<std::string> text = desk.ReadText(w, kAddressReadTimeoutMs);
    if (!text) return {};
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

void FillListView1(AppState& app) {
  ListModel& list = app.ListView1;
  int selected = list.selected;
  std::vector<ListRow> rows;
  const OpenWindowsTable& t = app.OpenWindows;
  rows.reserve(t.count);
  for (size_t i = 0; i < t.count; ++i) {
    const TBrowserWindow& r = t.records[i];
    rows.push_back(ListRow{{cutstring(r.Caption, BrowserSuffix(r.Kind)), r.URL, std::to_string(r.Handle)},
                           BrowserImage(r.Kind)});
  }
  list.Replace(std::move(rows));
  int last = static_cast<int>(list.size()) - 1;
  list.selected = selected > last ? last : selected;
  app.view.ListChanged(list.id());
  for (const auto& [column, width] : rowwidthLW(list.id(), app.view.ListWidth(list.id()), list.size()))
    app.view.SetColumnWidth(list.id(), column, width);
  app.view.RebuildTrayMenu();
  app.view.ProcessPendingMessages();
}

void GetOpenWindows(AppState& app) {
  OpenWindowsTable& t = app.OpenWindows;
  size_t before = CaptionTotal(t);
  t.count = 0;
  try {
    app.os.desktop.EnumTopLevel([&app](WindowHandle w) { return EnumWindowsProc(app, w); });
  } catch (const std::exception&) {
    // The windows recorded up to the error stay; the next cycle starts afresh.
  }
  for (size_t i = 0; i < t.count; ++i)
    if (t.records[i].Kind == kInternetExplorer) t.records[i].URL = ReadIEAddress(app, t.records[i].Handle);
  if (CaptionTotal(t) != before) FillListView1(app);
}

}  // namespace zt
