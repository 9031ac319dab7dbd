// The fixture of the secondary windows' tests under Wine: the main window
// in-process on the stand-in system, with helpers that open the statistics
// window and the rule assistant and read what they show.
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
  void Closed(const std::string& title, const char* key, int width = 0, int height = 0, ClosingRule rule = {}) {
    historylist(App().Scan(), title, key == std::string("URL") ? "http://" + title : "", width, height, key,
                std::move(rule));
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

  // The rule assistant for a browser window chosen in ListView1.
  void ChooseBrowser(const std::string& title, int width, int height, int row = 0) {
    SimWindow b;
    b.className = "IEFrame";
    b.caption = title + " - Microsoft Internet Explorer";
    b.rect = {10, 20, 10 + width, 20 + height};
    w.desktop.Add(std::move(b));
    SendMessageA(main, WM_TIMER, kTimer1Id, 0);
    ClickRow(IDC_LISTVIEW1, row);
  }
  void ClickRow(int list, int row, UINT code = NM_CLICK) {
    HWND h = GetDlgItem(main, list);
    ListView_SetItemState(h, -1, 0, LVIS_SELECTED);
    if (row >= 0) ListView_SetItemState(h, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    NMITEMACTIVATE n = {};
    n.hdr = {h, static_cast<UINT_PTR>(list), code};
    n.iItem = row;
    SendMessageA(main, WM_NOTIFY, list, reinterpret_cast<LPARAM>(&n));
  }
  HWND OpenAssistant() {
    Command(main, IDC_BTOPENRULE);
    Pump();
    return window->ruleAssistant() ? window->ruleAssistant()->hwnd() : nullptr;
  }
  struct Shown {
    std::string target, value;
    bool checked;
    bool operator==(const Shown& o) const { return target == o.target && value == o.value && checked == o.checked; }
  };
  static std::vector<Shown> RuleRows(HWND rule) {
    HWND list = GetDlgItem(rule, IDC_LISTVIEWRULE);
    std::vector<Shown> v;
    for (int r = 0; r < ListView_GetItemCount(list); ++r)
      v.push_back({Cell(list, r, 0), Cell(list, r, 1), ListView_GetCheckState(list, r) != 0});
    return v;
  }
  void AddKeyword(HWND rule, const std::string& keyword) {
    SetDlgItemTextA(rule, IDC_RULE_EDIT1, keyword.c_str());
    Command(rule, IDC_RULE_BUTTON1);
  }
  void ClickRuleTable(HWND rule, int row) {
    HWND list = GetDlgItem(rule, IDC_LISTVIEWRULE);
    ListView_SetItemState(list, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    NMITEMACTIVATE n = {};
    n.hdr = {list, static_cast<UINT_PTR>(IDC_LISTVIEWRULE), static_cast<UINT>(NM_CLICK)};
    n.iItem = row;
    SendMessageA(rule, WM_NOTIFY, IDC_LISTVIEWRULE, reinterpret_cast<LPARAM>(&n));
  }
  std::vector<std::string> Rules(const ListModel& list) {
    std::vector<std::string> v;
    for (const ListRow& r : list.rows()) v.push_back(r.cols.size() > 1 ? r.cols[0] + "x" + r.cols[1] : r.cols[0]);
    return v;
  }

  SimWorld w;
  Settings settings;
  std::unique_ptr<MainWindow> window;
  HWND main = nullptr;
};

}  // namespace zt::test
