// A stand-in world for the popup engine: the main window's state, browser
// windows of each kind on the stand-in desktop, and rule list helpers.
#pragma once
#include <initializer_list>
#include <string>
#include <vector>

#include "engine/history.h"
#include "engine/killers.h"
#include "engine/scanners.h"
#include "engine/snapshot.h"
#include "rules/list_ops.h"
#include "sim_world.h"

namespace zt::test {

// The window class of the first recognition row of the kind (Firefox:
// the class of Firefox 1.5 to 3.6).
inline const char* BrowserClass(int kind) {
  for (const RecognitionRow& r : RecognitionRows())
    if (r.kind == kind) return r.className;
  return "MozillaWindowClass";
}

struct EngineWorld : SimWorld {
  ZapotrixMain main{os, view, timer1, timerCheck};
  AppState& app = main.state();

  EngineWorld() {
    Settings& s = app.settings;
    s.Internet_Explorer = s.Mozilla = s.Firefox = true;
    s.Small_Windows = false;
  }

  // A browser window titled title + the kind's suffix, at the bottom of the
  // Z-order, with the given outer size.
  WindowHandle Browser(int kind, const std::string& title, int width = 800, int height = 600) {
    SimWindow w;
    w.className = BrowserClass(kind);
    w.caption = title + BrowserSuffix(kind);
    w.rect = {10, 20, 10 + width, 20 + height};
    return desktop.Add(std::move(w));
  }
  // The address bar of each Internet Explorer version.
  enum class Bar { IE6, IE7, IE8 };
  // The Internet Explorer address bar chain holding the address; returns
  // the edit field.
  WindowHandle AddressBar(WindowHandle ie, const std::string& address, Bar layout = Bar::IE6) {
    WindowHandle w = desktop.AddChild(ie, "WorkerW");
    w = desktop.AddChild(w, "ReBarWindow32");
    if (layout != Bar::IE6) w = desktop.AddChild(w, "Address Band Root");
    if (layout == Bar::IE8) return desktop.AddChild(w, "Edit", address);
    w = desktop.AddChild(w, "ComboBoxEx32");
    w = desktop.AddChild(w, "ComboBox");
    return desktop.AddChild(w, "Edit", address);
  }
  // A window of the recognition row, titled title + its kind's suffix.
  WindowHandle Browser(const RecognitionRow& row, const std::string& title, int width = 800, int height = 600) {
    WindowHandle h = Browser(row.kind, title, width, height);
    desktop.at(h).className = row.className;
    return h;
  }
  // Every browser switch on.
  void AllBrowsersOn() {
    Settings& s = app.settings;
    s.Internet_Explorer = s.Mozilla = s.Firefox = true;
    for (const BrowserFamilyValue& v : kBrowserFamilyValues) s.*v.field = true;
  }
  void Resize(WindowHandle w, int width, int height) {
    WindowRect& r = desktop.at(w).rect;
    r.right = r.left + width;
    r.bottom = r.top + height;
  }

  static void Fill(ListModel& list, std::initializer_list<std::vector<std::string>> rows) {
    for (const auto& r : rows) list.Add(r);
    ListviewSort(list, 0, 0);
  }

  void Snapshot() { GetOpenWindows(app.Scan()); }
  // One scan cycle as the timer runs it.
  void Cycle() { main.Timer1Timer(); }
  // Closes (destroys) every window that was sent WM_CLOSE, as a browser does.
  void Deliver() {
    for (const PostedMessage& m : desktop.posted)
      if (m.msg == kWmClose) desktop.Destroy(m.to);
    desktop.posted.clear();
  }

  std::vector<std::string> ClosedTitles() const {
    std::vector<std::string> v;
    for (const HistoryEntry& e : app.engine.history) v.push_back(e.title);
    return v;
  }
  std::vector<std::string> Scanners() const {
    std::vector<std::string> v;
    for (const HistoryEntry& e : app.engine.history) v.push_back(e.scanner);
    return v;
  }
  // Windows that received WM_CLOSE, in posting order.
  std::vector<WindowHandle> CloseTargets() const {
    std::vector<WindowHandle> v;
    for (const PostedMessage& m : desktop.posted)
      if (m.msg == kWmClose) v.push_back(m.to);
    return v;
  }
};

}  // namespace zt::test
