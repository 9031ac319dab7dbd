// The fixture of the secondary windows' tests under Wine: the main window
// in-process on the stand-in system, with helpers that open the statistics
// window and read what it shows.
#pragma once
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

#include "app/statistics.h"
#include "sim_world.h"
#include "ui/main_window.h"
#include "ui/resource.h"

namespace zt::test {

inline std::string WindowText(HWND w) {
  char text[512] = {};
  GetWindowTextA(w, text, sizeof text);
  return text;
}

class Secondary : public ::testing::Test {
 protected:
  void SetUp() override { SetDefaults(settings); }
  void TearDown() override {
    window.reset();
    MSG msg;
    while (PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
  }
  void Start(bool german) {
    w.system.langId = german ? 0x0407 : 0x0409;
    w.Install("");
    RegIniSave(w.registry, settings);
    window = std::make_unique<MainWindow>(w.os);
    ASSERT_TRUE(window->Create());
    main = window->hwnd();
    Pump();
  }
  void Pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) continue;
      if (window && window->hwnd() && window->PreTranslate(msg)) continue;
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
  }
  AppState& App() { return window->main().state(); }
  const Texts& T() { return App().texts(); }
  void Command(HWND to, int id) { SendMessageA(to, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }
  // A closing recorded by a scanner, as the scan cycle records it.
  void Closed(const std::string& title, const char* key, int width = 0, int height = 0) {
    historylist(App().Scan(), title, key == std::string("URL") ? "http://" + title : "", width, height, key);
  }

  // The statistics window.
  HWND OpenStatistics() {
    Command(main, IDM_ACTION_STATISTIK);
    Pump();
    return window->statistik() ? window->statistik()->hwnd() : nullptr;
  }
  static std::string Cell(HWND list, int row, int column) {
    char text[256] = {};
    ListView_GetItemText(list, row, column, text, sizeof text);
    return text;
  }
  static std::vector<std::string> Row(HWND list, int row) {
    std::vector<std::string> v;
    for (int c = 0; c < kHistoryColumnCount; ++c) v.push_back(Cell(list, row, c));
    return v;
  }
  static std::vector<std::string> Counters(HWND stat) {
    std::vector<std::string> v;
    for (int id : {IDC_STATISTIK_EDIT1, IDC_STATISTIK_EDIT2, IDC_STATISTIK_EDIT3, IDC_STATISTIK_EDIT4,
                   IDC_STATISTIK_EDIT7, IDC_STATISTIK_EDIT5, IDC_STATISTIK_EDIT8})
      v.push_back(WindowText(GetDlgItem(stat, id)));
    return v;
  }

  SimWorld w;
  Settings settings;
  std::unique_ptr<MainWindow> window;
  HWND main = nullptr;
};

}  // namespace zt::test
