// The Win32 main window in-process under Wine, on the stand-in system
// (registry, files, desktop and shell in memory, message boxes recorded):
// driven with the messages a user's actions send. Layout, language tables,
// tray icon and tray menu, hiding, rule editing, shutdown.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <cmath>
#include <cstdio>
#include <stdexcept>

#include "app/help_actions.h"
#include "engine/snapshot.h"
#include "gui_objects.h"
#include "platform/win32/win32_system.h"
#include "sim_world.h"
#include "ui/main_window.h"
#include "ui/main_window_texts.h"
#include "ui/resource.h"

namespace zt::test {
namespace {

// The keys typed into the tray menu while it is open; with none, it is
// closed again at once.
std::vector<WORD> g_menuKeys;
HWND g_menuOwner = nullptr;
bool g_cycleInMenu = false;  // a scan cycle runs while the menu is open

void CALLBACK CloseMenu(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  EndMenu();
}

void CALLBACK TypeIntoMenu(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  if (g_cycleInMenu) {
    for (WORD key : g_menuKeys) PostMessageA(g_menuOwner, WM_KEYDOWN, key, 0);
    SendMessageA(g_menuOwner, WM_TIMER, kTimer1Id, 0);
    SetTimer(nullptr, 0, 2000, CloseMenu);  // should the keys have gone astray
    return;
  }
  if (g_menuKeys.empty()) {
    EndMenu();
    return;
  }
  for (WORD key : g_menuKeys) PostMessageA(g_menuOwner, WM_KEYDOWN, key, 0);
}

// Takes WM_QUIT out of the queue: a destroyed main window posts it.
void DropQuit() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
  }
}

bool TrayIconExists(HWND window) {
  NOTIFYICONDATAA nid = {};
  nid.cbSize = NOTIFYICONDATAA_V1_SIZE;
  nid.hWnd = window;
  nid.uID = TrayIcon::kId;
  return Shell_NotifyIconA(NIM_MODIFY, &nid) != FALSE;
}

const TrayMenuItem& PauseItem(const TrayMenu& menu) {
  for (const TrayMenuItem& item : menu.items())
    if (item.command == TrayCommand::Pause) return item;
  throw std::logic_error("no pause item");
}

std::string WindowText(HWND w) {
  char text[512] = {};
  GetWindowTextA(w, text, sizeof text);
  return text;
}

class Window : public ::testing::Test {
 protected:
  void SetUp() override {
    SetDefaults(settings);
    settings.Mozilla = settings.Firefox = true;
  }
  void TearDown() override {
    window.reset();
    DropQuit();
  }

  // Lays out the program, stores the settings and creates the window.
  void Start(const std::string& db = "[WCS]\r\n1=Werbung\r\n") {
    w.Install(db);
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
  HWND Control(int id) { return GetDlgItem(main, id); }
  std::string Text(int id) { return WindowText(Control(id)); }
  AppState& App() { return window->main().state(); }
  // One scan cycle, as the timer runs it.
  void Cycle() { SendMessageA(main, WM_TIMER, kTimer1Id, 0); }

  void Click(int button) { SendMessageA(Control(button), BM_CLICK, 0, 0); }
  void Type(int edit, const std::string& keys) {
    for (char c : keys) SendMessageA(Control(edit), WM_CHAR, static_cast<unsigned char>(c), 0);
  }
  void SelectTab(int index) {
    TabCtrl_SetCurSel(Control(IDC_TABSET1), index);
    NMHDR n = {Control(IDC_TABSET1), IDC_TABSET1, static_cast<UINT>(TCN_SELCHANGE)};
    SendMessageA(main, WM_NOTIFY, IDC_TABSET1, reinterpret_cast<LPARAM>(&n));
  }
  // A click on a row of a list view: the list view selects it, then tells
  // the window.
  void ClickRow(int list, int row, UINT code = NM_CLICK) {
    ListView_SetItemState(Control(list), -1, 0, LVIS_SELECTED);
    if (row >= 0) ListView_SetItemState(Control(list), row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    NMITEMACTIVATE n = {};
    n.hdr = {Control(list), static_cast<UINT_PTR>(list), code};
    n.iItem = row;
    SendMessageA(main, WM_NOTIFY, list, reinterpret_cast<LPARAM>(&n));
  }
  int Rows(int list) { return ListView_GetItemCount(Control(list)); }
  std::string Cell(int list, int row, int column = 0) {
    char text[256] = {};
    ListView_GetItemText(Control(list), row, column, text, sizeof text);
    return text;
  }
  int ColumnWidth(int list, int column) { return ListView_GetColumnWidth(Control(list), column); }
  int ListWidth(int list) {
    RECT r;
    GetWindowRect(Control(list), &r);
    return r.right - r.left;
  }
  std::string MenuText(UINT command) {
    char text[256] = {};
    GetMenuStringA(GetMenu(main), command, text, sizeof text, MF_BYCOMMAND);
    return text;
  }
  // Opens the tray menu as a right click on the tray icon does.
  void OpenTrayMenu(std::vector<WORD> keys = {}) {
    g_menuKeys = std::move(keys);
    g_menuOwner = main;
    SetTimer(nullptr, 0, 1, TypeIntoMenu);
    SendMessageA(main, kMsgTrayCallback, TrayIcon::kId, WM_RBUTTONDOWN);
    Pump();
  }
  WindowHandle Browser(const std::string& caption, int width = 800, int height = 600) {
    SimWindow b;
    b.className = "IEFrame";
    b.caption = caption + " - Microsoft Internet Explorer";
    b.rect = {10, 20, 10 + width, 20 + height};
    return w.desktop.Add(std::move(b));
  }

  SimWorld w;
  Settings settings;
  std::unique_ptr<MainWindow> window;
  HWND main = nullptr;
};

TEST_F(Window, IsCreatedHiddenWithItsFrameAndEveryControl) {
  Start();
  char cls[64] = {};
  GetClassNameA(main, cls, sizeof cls);
  EXPECT_STREQ("Tzapotrix_main", cls);
  EXPECT_EQ("Zapotrix", WindowText(main));
  EXPECT_FALSE(IsWindowVisible(main));
  RECT client;
  GetClientRect(main, &client);
  EXPECT_EQ(635, client.right);
  EXPECT_EQ(485, client.bottom);
  LONG style = GetWindowLongA(main, GWL_STYLE);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_TRUE(style & WS_MINIMIZEBOX);
  EXPECT_FALSE(style & WS_MAXIMIZEBOX);
  EXPECT_FALSE(style & WS_THICKFRAME);
  for (int id : {IDC_GROUPBOX3, IDC_LISTVIEW1, IDC_BTOPENRULE, IDC_LABEL1, IDC_TABSET1, IDC_STATUSBAR1,
                 IDC_GROUPBOXWS, IDC_LISTVIEWWDS, IDC_EDWIDTH, IDC_EDHEIGHT, IDC_BTADDTOGRID, IDC_BTREMWDS,
                 IDC_GROUPBOX6, IDC_EDSWWIDTH, IDC_EDSWHEIGHT, IDC_CHECKBOXSW, IDC_GROUPBOXURL, IDC_LISTVIEWURL,
                 IDC_EDADDURL, IDC_BTURLADD, IDC_BTURLDEL, IDC_GROUPBOXADS, IDC_LISTVIEWADS, IDC_EDADDKEY,
                 IDC_BTADDKEY, IDC_BTDELKEY, IDC_GROUPBOXWCS, IDC_LISTVIEWWCS, IDC_EDADDCAPTION, IDC_BTADD,
                 IDC_BUTTONREMOVE})
    EXPECT_NE(nullptr, Control(id)) << id;

  // Status bar: seven panels of 190 and 75 pixels.
  int edges[8] = {};
  ASSERT_EQ(7, SendMessageA(Control(IDC_STATUSBAR1), SB_GETPARTS, 8, reinterpret_cast<LPARAM>(edges)));
  EXPECT_EQ(190, edges[0]);
  for (int i = 1; i < 7; ++i) EXPECT_EQ(75, edges[i] - edges[i - 1]);
  // ListView1: caption, URL, and the hidden handle.
  EXPECT_EQ(326, ColumnWidth(IDC_LISTVIEW1, 0));
  EXPECT_EQ(160, ColumnWidth(IDC_LISTVIEW1, 1));
  EXPECT_EQ(0, ColumnWidth(IDC_LISTVIEW1, 2));
  // Tab 3 with the caption editor; BTOpenRule waits for a chosen window;
  // the updater is enabled once the rules are loaded.
  EXPECT_EQ(3, TabCtrl_GetCurSel(Control(IDC_TABSET1)));
  EXPECT_TRUE(IsWindowVisible(Control(IDC_LISTVIEWWCS)) || !IsWindowVisible(main));
  EXPECT_TRUE(GetWindowLongA(Control(IDC_LISTVIEWWCS), GWL_STYLE) & WS_VISIBLE);
  for (int hidden : {IDC_LISTVIEWWDS, IDC_LISTVIEWURL, IDC_LISTVIEWADS, IDC_EDADDURL, IDC_CHECKBOXSW})
    EXPECT_FALSE(GetWindowLongA(Control(hidden), GWL_STYLE) & WS_VISIBLE) << hidden;
  EXPECT_FALSE(IsWindowEnabled(Control(IDC_BTOPENRULE)));
  EXPECT_FALSE(GetMenuState(GetMenu(main), IDM_ACTION_DATENBANKUPDATER, MF_BYCOMMAND) & MF_GRAYED);
  EXPECT_EQ(1, Rows(IDC_LISTVIEWWCS));
  EXPECT_EQ("Werbung", Cell(IDC_LISTVIEWWCS, 0));
  EXPECT_EQ("320", Text(IDC_EDSWWIDTH));
  EXPECT_EQ("200", Text(IDC_EDSWHEIGHT));
}

struct Action {
  UINT command;
  const char* MainWindowTexts::*text;
};
const Action kActions[] = {
    {IDM_ACTION_CLOSE, &MainWindowTexts::Action_close},
    {IDM_ACTION4_HANDBUCH, &MainWindowTexts::Action4_handbuch},
    {IDM_ACTION_PRODUKTE_NEWS, &MainWindowTexts::Action_produkte_news},
    {IDM_ACTION_DATENBANKUPDATER, &MainWindowTexts::Action_DatenbankUpdater},
    {IDM_ACTION_HOSTLISTENEDITOR, &MainWindowTexts::Action_Hostlisteneditor},
    {IDM_ACTION_EINSTELLUNGEN, &MainWindowTexts::Action_Einstellungen},
};

TEST_F(Window, LanguageRoutineWritesEveryTextOfItsTableAndIgnoresOtherValues) {
  Start();
  auto expect = [&](const MainWindowTexts& t) {
    for (const auto& c : kControlTexts) EXPECT_EQ(t.*c.text, Text(c.control)) << c.control;
    for (const ColumnText& c : kColumnTexts) {
      char text[128] = {};
      LVCOLUMNA col = {};
      col.mask = LVCF_TEXT;
      col.pszText = text;
      col.cchTextMax = sizeof text;
      ListView_GetColumn(Control(c.control), c.column, &col);
      EXPECT_STREQ(t.*c.text, text) << c.control << "/" << c.column;
    }
    for (int i = 0; i < 4; ++i) {
      char text[64] = {};
      TCITEMA tab = {};
      tab.mask = TCIF_TEXT;
      tab.pszText = text;
      tab.cchTextMax = sizeof text;
      SendMessageA(Control(IDC_TABSET1), TCM_GETITEMA, i, reinterpret_cast<LPARAM>(&tab));
      EXPECT_STREQ(t.TabSet1[i], text);
    }
    for (const Action& a : kActions) EXPECT_EQ(t.*a.text, MenuText(a.command)) << a.command;
    char menu[64] = {};
    GetMenuStringA(GetMenu(main), 0, menu, sizeof menu, MF_BYPOSITION);
    EXPECT_STREQ(t.MenuDatei, menu);
    GetMenuStringA(GetMenu(main), 3, menu, sizeof menu, MF_BYPOSITION);
    EXPECT_STREQ(t.MenuHilfe, menu);
    // The pause action shows its shortcut after a tab.
    std::string pause = MenuText(IDM_ACTION_ZAPOTRIXHALTEN);
    EXPECT_EQ(t.Action_zapotrixhalten, pause.substr(0, pause.find('\t')));
    // A tooltip.
    char hint[256] = {};
    TOOLINFOA tool = {};
    tool.cbSize = TTTOOLINFOA_V2_SIZE;
    tool.hwnd = main;
    tool.uId = reinterpret_cast<UINT_PTR>(Control(IDC_BTOPENRULE));
    tool.lpszText = hint;
    HWND tips = FindWindowExA(nullptr, nullptr, TOOLTIPS_CLASSA, nullptr);
    for (; tips; tips = FindWindowExA(nullptr, tips, TOOLTIPS_CLASSA, nullptr))
      if (GetWindow(tips, GW_OWNER) == main) break;
    ASSERT_NE(nullptr, tips);
    SendMessageA(tips, TTM_GETTEXTA, sizeof hint, reinterpret_cast<LPARAM>(&tool));
    EXPECT_STREQ(t.BTOpenRuleHint, hint);
  };
  // The stand-in system is English.
  expect(EnglishTexts().main);
  window->SetLanguage(kLanguageGerman);
  expect(GermanTexts().main);
  window->SetLanguage(2);
  window->SetLanguage(-1);
  expect(GermanTexts().main);
  window->SetLanguage(kLanguageEnglish);
  expect(EnglishTexts().main);
  // Design texts no routine changes.
  char tools[32] = {};
  GetMenuStringA(GetMenu(main), 1, tools, sizeof tools, MF_BYPOSITION);
  EXPECT_STREQ(kMenuTools, tools);
  EXPECT_EQ(kActionStatistik, MenuText(IDM_ACTION_STATISTIK));
  EXPECT_EQ(kActionInfo, MenuText(IDM_ACTION_INFO));
}

TEST_F(Window, GermanSystemShowsTheGermanTableFromTheStart) {
  w.system.langId = 0x0407;  // the stand-in names it as a German system does
  Start();
  EXPECT_EQ(GermanTexts().main.GroupBox3, Text(IDC_GROUPBOX3));
  EXPECT_EQ(GermanTexts().main.Label2, Text(IDC_LABEL2));
  OpenTrayMenu();
  EXPECT_EQ(GermanTexts().main.trayShow, window->trayMenu().items()[0].caption);
}

TEST_F(Window, TrayMenuForNoAndThreeBrowserWindows) {
  Start();
  OpenTrayMenu();
  HMENU menu = window->trayMenu().handle();
  ASSERT_NE(nullptr, menu);
  auto check = [&](const std::vector<std::string>& names) {
    const std::vector<TrayMenuItem>& items = window->trayMenu().items();
    ASSERT_EQ(names.size(), items.size());
    ASSERT_EQ(static_cast<int>(names.size()), GetMenuItemCount(window->trayMenu().handle()));
    for (size_t i = 0; i < names.size(); ++i) {
      MENUITEMINFOA info = {};
      info.cbSize = sizeof info;
      info.fMask = MIIM_TYPE | MIIM_ID | MIIM_DATA;
      GetMenuItemInfoA(window->trayMenu().handle(), static_cast<UINT>(i), TRUE, &info);
      if (names[i] == "-") {
        EXPECT_TRUE(items[i].separator()) << i;
        EXPECT_TRUE(info.fType & MFT_SEPARATOR) << i;
        EXPECT_FALSE(info.fType & MFT_OWNERDRAW) << i;  // drawn by the system
      } else {
        EXPECT_EQ(names[i], items[i].name) << i;
        EXPECT_TRUE(info.fType & MFT_OWNERDRAW) << i;
        EXPECT_EQ(i, info.dwItemData);
      }
    }
  };
  check({"Item_Anzeigen", "Item_Einstellungen", "Item_Statistik", "-", "Item_Anhalten", "-", "Item_Beenden"});

  Browser("Gewinn");
  Browser("Nachrichten");
  Browser("Wetter");
  Cycle();
  EXPECT_EQ(3, Rows(IDC_LISTVIEW1));
  OpenTrayMenu();
  check({"ItemX0", "ItemX1", "ItemX2", "-", "Item_Anzeigen", "Item_Einstellungen", "Item_Statistik", "-",
         "Item_Anhalten", "-", "Item_Beenden"});
  const std::vector<TrayMenuItem>& items = window->trayMenu().items();
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(std::string(EnglishTexts().main.trayCreateRule) + Cell(IDC_LISTVIEW1, i), items[i].caption);
    EXPECT_EQ(0, items[i].tag);
  }
  EXPECT_EQ(1, items[4].tag);
  EXPECT_EQ(4, items[5].tag);
  EXPECT_EQ(5, items[6].tag);
  EXPECT_EQ(2, items[8].tag);
  EXPECT_EQ(3, items[10].tag);

  // Choosing the second window's item selects its row and fills the edit boxes.
  OpenTrayMenu({VK_DOWN, VK_DOWN, VK_RETURN});
  EXPECT_EQ(1, App().engine.ListView1.selected);
  EXPECT_EQ(1, ListView_GetNextItem(Control(IDC_LISTVIEW1), -1, LVNI_SELECTED));
  EXPECT_EQ(Cell(IDC_LISTVIEW1, 1), Text(IDC_EDADDCAPTION));
  EXPECT_EQ("800", Text(IDC_EDWIDTH));
  EXPECT_TRUE(IsWindowEnabled(Control(IDC_BTOPENRULE)));
}

TEST_F(Window, AScanCycleWhileTheTrayMenuIsOpenLeavesItsKeysToIt) {
  Start();
  Browser("Gewinnspiel");
  Cycle();
  g_cycleInMenu = true;
  OpenTrayMenu({VK_DOWN, VK_DOWN, VK_RETURN});  // Item_Anzeigen
  g_cycleInMenu = false;
  EXPECT_TRUE(IsWindowVisible(main));
}

TEST_F(Window, PauseByShortcutInAnEditBoxChangesCaptionsAndLabel) {
  Start();
  OpenTrayMenu();
  BYTE keys[256];
  GetKeyboardState(keys);
  keys[VK_CONTROL] = 0x80;
  SetKeyboardState(keys);
  MSG ctrlS = {};
  ctrlS.hwnd = Control(IDC_EDADDCAPTION);
  ctrlS.message = WM_KEYDOWN;
  ctrlS.wParam = 'S';
  ctrlS.lParam = 0x001F0001;
  EXPECT_TRUE(window->PreTranslate(ctrlS));
  keys[VK_CONTROL] = 0;
  SetKeyboardState(keys);
  Pump();
  EXPECT_TRUE(App().flags.IsPaused);
  EXPECT_TRUE(GetWindowLongA(Control(IDC_LABEL1), GWL_STYLE) & WS_VISIBLE);
  std::string pause = MenuText(IDM_ACTION_ZAPOTRIXHALTEN);
  EXPECT_EQ(EnglishTexts().msg.actionContinue, pause.substr(0, pause.find('\t')));
  EXPECT_EQ(EnglishTexts().msg.trayContinue, PauseItem(window->trayMenu()).caption);
  OpenTrayMenu();  // the rebuilt menu keeps it
  EXPECT_EQ(EnglishTexts().msg.trayContinue, PauseItem(window->trayMenu()).caption);

  // The tray's pause item resumes.
  OpenTrayMenu({VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN});
  EXPECT_FALSE(App().flags.IsPaused);
  EXPECT_FALSE(GetWindowLongA(Control(IDC_LABEL1), GWL_STYLE) & WS_VISIBLE);
  pause = MenuText(IDM_ACTION_ZAPOTRIXHALTEN);
  EXPECT_EQ(EnglishTexts().msg.actionStop, pause.substr(0, pause.find('\t')));
  EXPECT_EQ(EnglishTexts().msg.trayStop, PauseItem(window->trayMenu()).caption);
}

TEST_F(Window, TitleBarCloseAndMinimizeHideIntoTheTrayAndADoubleClickShows) {
  Start();
  EXPECT_TRUE(TrayIconExists(main));
  for (WPARAM command : {SC_CLOSE, SC_MINIMIZE}) {
    SendMessageA(main, kMsgTrayCallback, TrayIcon::kId, WM_LBUTTONDBLCLK);
    EXPECT_TRUE(IsWindowVisible(main));
    EXPECT_FALSE(IsIconic(main));
    SendMessageA(main, WM_SYSCOMMAND, command, 0);
    Pump();
    EXPECT_TRUE(IsWindow(main));
    EXPECT_FALSE(IsWindowVisible(main));
    EXPECT_TRUE(TrayIconExists(main));
  }
  // A single click or a move does nothing.
  SendMessageA(main, kMsgTrayCallback, TrayIcon::kId, WM_LBUTTONDOWN);
  SendMessageA(main, kMsgTrayCallback, TrayIcon::kId, WM_MOUSEMOVE);
  EXPECT_FALSE(IsWindowVisible(main));
  EXPECT_TRUE(w.registry.KeyExists(HKey::CurrentUser, kSettingsKey));  // only what Start() wrote
  EXPECT_TRUE(w.system.boxes.empty());
}

TEST_F(Window, ShowingTheWindowTicksTheMinimumSizeBoxFromTheSettings) {
  settings.Small_Windows = false;
  Start();
  SendMessageA(main, kMsgTrayCallback, TrayIcon::kId, WM_LBUTTONDBLCLK);
  EXPECT_EQ(BST_UNCHECKED, IsDlgButtonChecked(main, IDC_CHECKBOXSW));
  SendMessageA(main, WM_SYSCOMMAND, SC_CLOSE, 0);
  App().settings.Small_Windows = true;
  SendMessageA(main, kMsgTrayCallback, TrayIcon::kId, WM_LBUTTONDBLCLK);
  EXPECT_EQ(BST_CHECKED, IsDlgButtonChecked(main, IDC_CHECKBOXSW));
}

TEST_F(Window, IconComesBackWhenTheShellStartsAgain) {
  Start();
  NOTIFYICONDATAA nid = {};
  nid.cbSize = NOTIFYICONDATAA_V1_SIZE;
  nid.hWnd = main;
  nid.uID = TrayIcon::kId;
  ASSERT_TRUE(Shell_NotifyIconA(NIM_DELETE, &nid));  // the shell lost it
  EXPECT_FALSE(TrayIconExists(main));
  SendMessageA(main, RegisterWindowMessageA("TaskbarCreated"), 0, 0);
  EXPECT_TRUE(TrayIconExists(main));
}

TEST_F(Window, TextRulesAreAddedByButtonAndEnterAndRemovedBySelection) {
  Start("");
  struct Editor {
    int tab, list, edit, add, remove;
  } editors[] = {
      {3, IDC_LISTVIEWWCS, IDC_EDADDCAPTION, IDC_BTADD, IDC_BUTTONREMOVE},
      {1, IDC_LISTVIEWURL, IDC_EDADDURL, IDC_BTURLADD, IDC_BTURLDEL},
      {2, IDC_LISTVIEWADS, IDC_EDADDKEY, IDC_BTADDKEY, IDC_BTDELKEY},
  };
  for (const Editor& e : editors) {
    SCOPED_TRACE(e.list);
    SelectTab(e.tab);
    EXPECT_TRUE(GetWindowLongA(Control(e.list), GWL_STYLE) & WS_VISIBLE);
    Type(e.edit, "Werbung");
    Click(e.add);
    Type(e.edit, "werbung\r");  // Enter adds too
    SetDlgItemTextA(main, e.edit, "Werbung");
    Click(e.add);  // a duplicate: nothing added, the box emptied
    SetDlgItemTextA(main, e.edit, "  Werbung");
    Click(e.add);
    ASSERT_EQ(3, Rows(e.list));
    EXPECT_EQ("  Werbung", Cell(e.list, 0));
    EXPECT_EQ("Werbung", Cell(e.list, 1));
    EXPECT_EQ("werbung", Cell(e.list, 2));
    EXPECT_EQ("", Text(e.edit));

    // Remove the first of three: the new first is selected.
    ClickRow(e.list, 0);
    EXPECT_EQ("  Werbung", Text(e.edit));  // the row click copied it
    Click(e.remove);
    ASSERT_EQ(2, Rows(e.list));
    EXPECT_EQ(0, ListView_GetNextItem(Control(e.list), -1, LVNI_SELECTED));
    EXPECT_EQ("", Text(e.edit));
    // A double click removes; the last row empties the list.
    ClickRow(e.list, 1, NM_DBLCLK);
    ClickRow(e.list, 0, NM_DBLCLK);
    EXPECT_EQ(0, Rows(e.list));
  }
  EXPECT_TRUE(w.system.boxes.empty());
}

TEST_F(Window, SizeRulesCompareNumbersAndRefuseWhatIsNoNumber) {
  Start("");
  SelectTab(0);
  Type(IDC_EDWIDTH, "0300");
  Type(IDC_EDHEIGHT, "250");
  Click(IDC_BTADDTOGRID);
  ASSERT_EQ(1, Rows(IDC_LISTVIEWWDS));
  EXPECT_EQ("300", Cell(IDC_LISTVIEWWDS, 0, 0));
  EXPECT_EQ("250", Cell(IDC_LISTVIEWWDS, 0, 1));
  Type(IDC_EDWIDTH, "300");
  Type(IDC_EDHEIGHT, "250");
  Click(IDC_BTADDTOGRID);
  EXPECT_EQ(1, Rows(IDC_LISTVIEWWDS));
  EXPECT_EQ("", Text(IDC_EDWIDTH));

  // Letters are discarded, at most four digits, Enter adds nothing.
  Type(IDC_EDWIDTH, "4a6b8x12\r");
  EXPECT_EQ("4681", Text(IDC_EDWIDTH));
  EXPECT_EQ(1, Rows(IDC_LISTVIEWWDS));
  Click(IDC_BTADDTOGRID);  // the height is empty
  ASSERT_EQ(1u, w.system.boxes.size());
  EXPECT_EQ(EnglishTexts().msg.valuesInvalid, w.system.boxes[0].text);
  EXPECT_EQ(kMbIconError, w.system.boxes[0].flags);
  EXPECT_EQ("4681", Text(IDC_EDWIDTH));

  // Clicking into a minimum-size box switches the rule off; ticking it with
  // an empty box refuses.
  SendMessageA(main, kMsgTrayCallback, TrayIcon::kId, WM_LBUTTONDBLCLK);
  EXPECT_EQ(BST_CHECKED, IsDlgButtonChecked(main, IDC_CHECKBOXSW));
  SendMessageA(Control(IDC_EDSWWIDTH), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
  SendMessageA(Control(IDC_EDSWWIDTH), WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
  EXPECT_EQ(BST_UNCHECKED, IsDlgButtonChecked(main, IDC_CHECKBOXSW));
  EXPECT_FALSE(App().settings.Small_Windows);
  SetDlgItemTextA(main, IDC_EDSWWIDTH, "640");
  SetDlgItemTextA(main, IDC_EDSWHEIGHT, "");
  Click(IDC_CHECKBOXSW);
  EXPECT_EQ(2u, w.system.boxes.size());
  EXPECT_EQ(BST_UNCHECKED, IsDlgButtonChecked(main, IDC_CHECKBOXSW));
  EXPECT_FALSE(App().settings.Small_Windows);
  SetDlgItemTextA(main, IDC_EDSWHEIGHT, "480");
  Click(IDC_CHECKBOXSW);
  EXPECT_TRUE(App().settings.Small_Windows);
  EXPECT_EQ(640, App().settings.SmallWindowWidth);
  EXPECT_EQ(480, App().settings.SmallWindowHeight);
}

TEST_F(Window, ColumnsNarrowOnceTheListNeedsAScrollBar) {
  Start("");
  SelectTab(1);
  int W = ListWidth(IDC_LISTVIEWURL);
  for (int i = 0; i < 9; ++i) {
    SetDlgItemTextA(main, IDC_EDADDURL, ("http://host" + std::to_string(i)).c_str());
    Click(IDC_BTURLADD);
  }
  EXPECT_EQ(W - 4, ColumnWidth(IDC_LISTVIEWURL, 0));
  SetDlgItemTextA(main, IDC_EDADDURL, "http://host9");
  Click(IDC_BTURLADD);
  EXPECT_EQ(W - 21, ColumnWidth(IDC_LISTVIEWURL, 0));

  SelectTab(0);
  int V = ListWidth(IDC_LISTVIEWWDS);
  auto half = [V](double minus) { return static_cast<int>(std::nearbyint(V / 2.0 - minus)); };
  for (int i = 0; i < 10; ++i) {
    SetDlgItemTextA(main, IDC_EDWIDTH, std::to_string(100 + i).c_str());
    SetDlgItemTextA(main, IDC_EDHEIGHT, "60");
    Click(IDC_BTADDTOGRID);
    int rows = i + 1;
    EXPECT_EQ(rows < 10 ? half(3) : half(11), ColumnWidth(IDC_LISTVIEWWDS, 0)) << rows;
    EXPECT_EQ(rows < 10 ? half(2) : half(11), ColumnWidth(IDC_LISTVIEWWDS, 1)) << rows;
  }
}

TEST_F(Window, ActiveWindowRowFillsTheEditBoxesAndItsHeaderRefusesResizing) {
  Start();
  Browser("Gewinnspiel", 468, 60);
  Cycle();
  ASSERT_EQ(1, Rows(IDC_LISTVIEW1));
  EXPECT_EQ("Gewinnspiel", Cell(IDC_LISTVIEW1, 0));
  ClickRow(IDC_LISTVIEW1, 0);
  EXPECT_TRUE(IsWindowEnabled(Control(IDC_BTOPENRULE)));
  EXPECT_EQ("Gewinnspiel", Text(IDC_EDADDCAPTION));
  EXPECT_EQ("468", Text(IDC_EDWIDTH));
  EXPECT_EQ("60", Text(IDC_EDHEIGHT));
  ClickRow(IDC_LISTVIEW1, -1);
  EXPECT_FALSE(IsWindowEnabled(Control(IDC_BTOPENRULE)));

  HWND list = Control(IDC_LISTVIEW1);
  NMHEADERA track = {};
  track.hdr = {ListView_GetHeader(list), 0, static_cast<UINT>(HDN_BEGINTRACKA)};
  EXPECT_EQ(1, SendMessageA(list, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&track)));
  track.hdr.code = HDN_BEGINTRACKW;
  EXPECT_EQ(1, SendMessageA(list, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&track)));
  // The rule lists' columns are not held.
  HWND rules = Control(IDC_LISTVIEWWCS);
  track.hdr = {ListView_GetHeader(rules), 0, static_cast<UINT>(HDN_BEGINTRACKA)};
  EXPECT_EQ(0, SendMessageA(rules, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&track)));
}

TEST_F(Window, ChosenActiveWindowNamesItsRulesInTheFirstPanelAndKeepsTheOthers) {
  Start("[WCS]\r\n1=Gewinnspiel\r\n[ADS]\r\n1=gewinn\r\n");
  Browser("Gewinnspiel");
  Browser("Nachrichten");
  Cycle();
  HWND status = Control(IDC_STATUSBAR1);
  auto panel = [status](int i) {
    char text[256] = {};
    SendMessageA(status, SB_GETTEXTA, i, reinterpret_cast<LPARAM>(text));
    return std::string(text);
  };
  auto others = [&] {
    std::vector<std::string> v;
    for (int i = 1; i < 7; ++i) v.push_back(panel(i));
    return v;
  };
  std::vector<std::string> before = others();
  EXPECT_EQ(" Active", before[5]);
  ClickRow(IDC_LISTVIEW1, 0);
  EXPECT_FALSE(SendMessageA(status, SB_ISSIMPLE, 0, 0));
  EXPECT_EQ(7, SendMessageA(status, SB_GETPARTS, 0, 0));
  EXPECT_EQ(" Would be closed by: ADS: gewinn; WCS: Gewinnspiel", panel(0));
  // The panel is narrower than the text: its tooltip holds it whole.
  char tip[256] = {};
  SendMessageA(status, SB_GETTIPTEXTA, MAKEWPARAM(0, sizeof tip), reinterpret_cast<LPARAM>(tip));
  EXPECT_STREQ(" Would be closed by: ADS: gewinn; WCS: Gewinnspiel", tip);
  EXPECT_EQ(before, others());
  ClickRow(IDC_LISTVIEW1, 1);
  EXPECT_EQ(" No rule would close this window", panel(0));
  // Nothing chosen: the version again.
  ClickRow(IDC_LISTVIEW1, -1);
  EXPECT_EQ(kVersionPanel, panel(0));
  EXPECT_EQ(before, others());
}

TEST_F(Window, TypingInARuleListFindsTheNextRowBeginningWithTheLetters) {
  Start("[WCS]\r\n1=Apfel\r\n2=Sonderangebot\r\n3=sie haben gewonnen\r\n4=Zebra\r\n");
  auto find = [&](const char* typed, int start) {
    NMLVFINDITEMA f = {};
    f.hdr = {Control(IDC_LISTVIEWWCS), IDC_LISTVIEWWCS, static_cast<UINT>(LVN_ODFINDITEMA)};
    f.iStart = start;
    f.lvfi.flags = LVFI_STRING | LVFI_PARTIAL;
    f.lvfi.psz = typed;
    return static_cast<int>(SendMessageA(main, WM_NOTIFY, IDC_LISTVIEWWCS, reinterpret_cast<LPARAM>(&f)));
  };
  // Sorted: Apfel, sie haben gewonnen, Sonderangebot, Zebra.
  EXPECT_EQ(1, find("SIE", 0));
  EXPECT_EQ(1, find("s", 0));
  EXPECT_EQ(2, find("s", 2));
  EXPECT_EQ(2, find("so", 0));
  EXPECT_EQ(0, find("a", 3));  // from the end round to the start
  EXPECT_EQ(-1, find("x", 0));
}

TEST_F(Window, ManualAndHomePageGoThroughTheShell) {
  Start();
  w.registry.SetRaw(HKey::ClassesRoot, kHtmlOpenCommandKey, "", {RegType::Sz, 0, "\"C:\\web\\browser.exe\" \"%1\""});
  SendMessageA(main, WM_COMMAND, IDM_ACTION_PRODUKTE_NEWS, 0);
  SendMessageA(main, WM_COMMAND, IDM_ACTION4_HANDBUCH, 0);
  ASSERT_EQ(2u, w.shell.executed.size());
  EXPECT_EQ("C:\\web\\browser.exe", w.shell.executed[0].file);
  EXPECT_EQ(kMakerHomePage, w.shell.executed[0].parameters);
  EXPECT_EQ(App().paths.HandbookFile, w.shell.executed[1].file);
  EXPECT_TRUE(w.system.boxes.empty());
  w.system.DeleteFile(App().paths.HandbookFile);
  SendMessageA(main, WM_COMMAND, IDM_ACTION4_HANDBUCH, 0);
  ASSERT_EQ(1u, w.system.boxes.size());
  EXPECT_EQ(EnglishTexts().msg.handbookMissing, w.system.boxes[0].text);
}

TEST_F(Window, QuitByMenuOrTrayItemSavesRemovesTheIconAndEnds) {
  for (bool fromTray : {false, true}) {
    SCOPED_TRACE(fromTray ? "tray" : "menu");
    Start("");
    SetDlgItemTextA(main, IDC_EDADDCAPTION, "Gewonnen");
    Click(IDC_BTADD);
    HWND was = main;
    if (fromTray) OpenTrayMenu({VK_UP, VK_RETURN});  // the last item, Item_Beenden
    else SendMessageA(main, WM_COMMAND, IDM_ACTION_CLOSE, 0);
    EXPECT_FALSE(IsWindow(was));
    EXPECT_FALSE(TrayIconExists(was));
    EXPECT_EQ("[WCS]\r\n1=Gewonnen\r\n", *w.system.ReadFile(App().paths.MainDBFile));
    EXPECT_TRUE(w.registry.QueryValue(HKey::CurrentUser, kSettingsKey, "Main_Left").has_value());
    window.reset();
    DropQuit();
  }
}

TEST_F(Window, LogOffSavesWithoutThePositionAndKeepsRunning) {
  settings.Main_Left = 100;
  settings.Main_Top = 100;
  Start("");
  SetDlgItemTextA(main, IDC_EDADDKEY, "casino");
  Click(IDC_BTADDKEY);
  MoveWindow(main, 10, 10, 100, 100, FALSE);
  EXPECT_EQ(TRUE, SendMessageA(main, WM_QUERYENDSESSION, 0, 0));
  EXPECT_EQ("[ADS]\r\n1=casino\r\n", *w.system.ReadFile(App().paths.MainDBFile));
  EXPECT_EQ(100u, w.registry.QueryValue(HKey::CurrentUser, kSettingsKey, "Main_Left")->dword);
  EXPECT_TRUE(IsWindow(main));
}

// A quit that arrives while start-up lets messages run: the window waits
// until the rules are loaded, then saves them and ends.
HHOOK g_hook = nullptr;
LRESULT CALLBACK QuitOnCreate(int code, WPARAM wp, LPARAM lp) {
  if (code == HCBT_CREATEWND) {
    char cls[64] = {};
    GetClassNameA(reinterpret_cast<HWND>(wp), cls, sizeof cls);
    if (lstrcmpA(cls, "Tzapotrix_main") == 0) PostMessageA(reinterpret_cast<HWND>(wp), WM_CLOSE, 0, 0);
  }
  return CallNextHookEx(g_hook, code, wp, lp);
}

TEST_F(Window, QuitDuringStartUpWaitsThenSavesAndEnds) {
  g_hook = SetWindowsHookExA(WH_CBT, QuitOnCreate, nullptr, GetCurrentThreadId());
  w.Install("[URL]\r\n1=http://b.example.com\r\n2=http://a.example.com\r\n");
  window = std::make_unique<MainWindow>(w.os);
  bool created = window->Create();
  UnhookWindowsHookEx(g_hook);
  ASSERT_TRUE(created);
  HWND was = window->hwnd();
  EXPECT_TRUE(IsWindow(was));  // the quit waited for the end of start-up
  EXPECT_TRUE(window->main().Started());
  Pump();
  EXPECT_FALSE(IsWindow(was));
  EXPECT_EQ("[URL]\r\n1=http://a.example.com\r\n2=http://b.example.com\r\n",
            *w.system.ReadFile(window->main().state().paths.MainDBFile));
}

// A system whose program folder cannot be found: start-up fails early.
class NoProgramFolder : public SimSystem {
 public:
  std::string ExecutablePath() override { throw std::runtime_error("no program folder"); }
};

TEST_F(Window, QuitAfterAFailedStartUpEndsWithoutSaving) {
  NoProgramFolder system;
  Platform os{w.registry, system, w.desktop, w.downloader, w.worker, w.services, w.shell};
  window = std::make_unique<MainWindow>(os);
  ASSERT_TRUE(window->Create());
  EXPECT_TRUE(window->main().StartFailed());
  ASSERT_EQ(1u, system.boxes.size());
  EXPECT_EQ(std::string(EnglishTexts().msg.startupFailed) + "\nno program folder", system.boxes[0].text);
  EXPECT_EQ(kMbIconError, system.boxes[0].flags);
  HWND was = window->hwnd();
  SendMessageA(was, WM_CLOSE, 0, 0);
  EXPECT_FALSE(IsWindow(was));
  EXPECT_FALSE(w.registry.KeyExists(HKey::CurrentUser, kSettingsKey));
}

// The same on the real system: the error box a user sees.
class NoProgramFolderReal : public Win32System {
 public:
  std::string ExecutablePath() override { throw std::runtime_error("no program folder"); }
};
std::string g_boxText;
void CALLBACK ReadAndCloseBox(HWND, UINT, UINT_PTR timer, DWORD) {
  HWND box = FindWindowA("#32770", "Zapotrix");
  DWORD pid = 0;
  if (!box || (GetWindowThreadProcessId(box, &pid), pid != GetCurrentProcessId())) return;
  KillTimer(nullptr, timer);
  char text[512] = {};
  GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
  g_boxText = text;
  PostMessageA(box, WM_COMMAND, IDOK, 0);
}

TEST_F(Window, FailedStartUpShowsTheErrorBox) {
  NoProgramFolderReal system;
  Platform os{w.registry, system, w.desktop, w.downloader, w.worker, w.services, w.shell};
  g_boxText.clear();
  UINT_PTR timer = SetTimer(nullptr, 0, 20, ReadAndCloseBox);
  window = std::make_unique<MainWindow>(os);
  ASSERT_TRUE(window->Create());
  KillTimer(nullptr, timer);
  EXPECT_EQ(std::string(EnglishTexts().msg.startupFailed) + "\nno program folder", g_boxText);
  HWND was = window->hwnd();
  SendMessageA(was, WM_CLOSE, 0, 0);
  EXPECT_FALSE(IsWindow(was));
}

TEST_F(Window, GdiAndUserObjectsStayTheSameOverManyMenuShowsAndEdits) {
  Start("");
  Browser("Gewinnspiel");
  Cycle();
  for (int i = 0; i < 20; ++i) OpenTrayMenu({VK_DOWN, VK_ESCAPE});  // caches warmed up
  // The counts must stay exactly the same: one object kept per use would
  // show as a growth of 100.
  int gdiStart = GdiObjectCount(), userStart = UserObjectCount();
  for (int i = 0; i < 100; ++i) OpenTrayMenu({VK_DOWN, VK_ESCAPE});
  int gdiMenus = GdiObjectCount(), userMenus = UserObjectCount();
  for (int i = 0; i < 100; ++i) {
    SetDlgItemTextA(main, IDC_EDADDKEY, ("keyword" + std::to_string(i)).c_str());
    Click(IDC_BTADDKEY);
    ClickRow(IDC_LISTVIEWADS, 0);
    Click(IDC_BTDELKEY);
  }
  Pump();
  int gdiEdits = GdiObjectCount(), userEdits = UserObjectCount();
  std::printf("GDI objects: %d after start, %d after 100 tray menus, %d after 100 adds and removes\n", gdiStart,
              gdiMenus, gdiEdits);
  std::printf("USER objects: %d after start, %d after 100 tray menus, %d after 100 adds and removes\n", userStart,
              userMenus, userEdits);
  EXPECT_EQ(gdiStart, gdiMenus);
  EXPECT_EQ(userStart, userMenus);
  EXPECT_EQ(gdiStart, gdiEdits);
  EXPECT_EQ(userStart, userEdits);
  EXPECT_EQ(0, Rows(IDC_LISTVIEWADS));
}

}  // namespace
}  // namespace zt::test
