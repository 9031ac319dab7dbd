// The hosts list editor window in-process under Wine, on real files in a
// temporary folder: its layout and texts, the buttons that wait for the
// list, add/remove/clear, import and export through answered dialogs, OK
// and Cancel (the list file, a read-only list file, the hosts file
// rewrite), sorting, the manual, its opening and closing from the main
// window, and a list of 150,000 names.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <deque>
#include <string>
#include <vector>

#include "app/app_state.h"
#include "hosts/hosts_file.h"
#include "platform/sim/sim_shell.h"
#include "platform/sim/sim_timer.h"
#include "platform/win32/win32_desktop.h"
#include "platform/win32/win32_download.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_services.h"
#include "platform/win32/win32_system.h"
#include "platform/win32/win32_worker.h"
#include "recording_view.h"
#include "sim_world.h"
#include "ui/hosts_editor.h"
#include "ui/main_window.h"
#include "ui/resource.h"
#include "wine_support.h"

namespace zt::test {
namespace {

// The real system, with message boxes recorded instead of shown.
class BoxRecordingSystem : public Win32System {
 public:
  int MessageBox(const std::string& text, const std::string&, unsigned flags) override {
    boxes.push_back({text, flags});
    return IDOK;
  }
  struct Box {
    std::string text;
    unsigned flags;
  };
  std::vector<Box> boxes;
};

// The dialogs, answered by the test and recorded.
struct AnsweredDialogs : HostsEditorDialogs {
  std::string OpenFile(HWND owner, const std::string& filter) override {
    calls.push_back({"open", owner, "", filter, "", "", ""});
    return Next();
  }
  std::string SaveFile(HWND owner, const std::string& title, const std::string& filter,
                       const std::string& ext) override {
    calls.push_back({"save", owner, title, filter, ext, "", ""});
    return Next();
  }
  bool Ask(HWND owner, const std::string& title, const std::string& text, const std::string& yes,
           const std::string& no) override {
    calls.push_back({"ask", owner, title, text, "", yes, no});
    return Next() == "yes";
  }
  std::string Next() {
    if (answers.empty()) return "";
    std::string a = answers.front();
    answers.pop_front();
    return a;
  }
  struct Call {
    std::string kind;
    HWND owner;
    std::string title, text, extension, yes, no;
  };
  std::deque<std::string> answers;  // file names, or "yes"
  std::vector<Call> calls;
};

std::string WindowText(HWND w) {
  char text[512] = {};
  GetWindowTextA(w, text, sizeof text);
  return text;
}

class HostsEditorWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* sub : {"\\etc", "\\prog", "\\prog\\config", "\\prog\\help"})
      CreateDirectoryA((dir.path() + sub).c_str(), nullptr);
    app.flags.IsAdmin = app.flags.IsNTFamily = true;
    app.flags.HostsDirectory = dir.path() + "\\etc\\";
    app.paths.ProgramDir = dir.path() + "\\prog\\";
    app.paths.HostsListFile = app.paths.ProgramDir + "config\\zapotrix_hosts.dat";
    app.paths.HandbookFile = app.paths.ProgramDir + "help\\zapotrix_handbuch.pdf";
    app.settings.host_ip = "127.0.0.1";
    WriteBytes(HostsFile(), "# the default\r\n127.0.0.1 localhost\r\n");
    WriteBytes(ListFile(), "track.example.net\r\nads.example.com\r\n");
    main = CreateWindowExA(0, "STATIC", "main", WS_OVERLAPPED | WS_CAPTION, 100, 80, 635, 485, nullptr, nullptr,
                           nullptr, nullptr);
  }
  void TearDown() override {
    editor.reset();
    DestroyWindow(main);
  }

  // Opens the editor as the main window's action does; loaded: Timer1 has run.
  void Open(bool loaded = true) {
    editor = std::make_unique<THostlistenEditor>(app, main, dialogs);
    ASSERT_TRUE(editor->Create());
    ed = editor->hwnd();
    editor->Show();
    if (loaded) SendMessageA(ed, WM_TIMER, kHostsTimer1Id, 0);
  }
  std::string HostsFile() { return dir.path() + "\\etc\\hosts"; }
  std::string ListFile() { return dir.path() + "\\prog\\config\\zapotrix_hosts.dat"; }
  HWND Control(int id) { return GetDlgItem(ed, id); }
  std::string Text(int id) { return WindowText(Control(id)); }
  void Click(int button) { SendMessageA(Control(button), BM_CLICK, 0, 0); }
  void Menu(int item) { SendMessageA(ed, WM_COMMAND, item, 0); }
  void Type(const std::string& text) { SetWindowTextA(Control(IDC_EDADDHOSTS), text.c_str()); }
  std::vector<std::string> Rows() {
    std::vector<std::string> rows;
    HWND list = Control(IDC_LISTVIEWHOSTS);
    for (int i = 0; i < ListView_GetItemCount(list); ++i) {
      char text[300] = {};
      ListView_GetItemText(list, i, 0, text, sizeof text);
      rows.push_back(text);
    }
    return rows;
  }
  void ClickRow(int row, UINT code = NM_CLICK) {
    HWND list = Control(IDC_LISTVIEWHOSTS);
    ListView_SetItemState(list, -1, 0, LVIS_SELECTED);
    ListView_SetItemState(list, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    NMITEMACTIVATE n = {};
    n.hdr = {list, IDC_LISTVIEWHOSTS, code};
    n.iItem = row;
    SendMessageA(ed, WM_NOTIFY, IDC_LISTVIEWHOSTS, reinterpret_cast<LPARAM>(&n));
  }
  void ClickHeader() {
    NMLISTVIEW n = {};
    n.hdr = {Control(IDC_LISTVIEWHOSTS), IDC_LISTVIEWHOSTS, static_cast<UINT>(LVN_COLUMNCLICK)};
    n.iSubItem = 0;
    SendMessageA(ed, WM_NOTIFY, IDC_LISTVIEWHOSTS, reinterpret_cast<LPARAM>(&n));
  }
  bool Closed() { return !IsWindow(ed) && !editor->hwnd(); }

  TempDir dir;
  Win32Registry registry;
  BoxRecordingSystem system;
  Win32Desktop desktop;
  Win32ServiceManager services;
  SimShell shell;
  Win32Downloader downloader;
  Win32Worker worker;
  Platform os{registry, system, desktop, downloader, worker, services, shell};
  RecordingView view;
  SimTimer t1, t2;
  AppState app{os, view, t1, t2};
  AnsweredDialogs dialogs;
  HWND main = nullptr;
  std::unique_ptr<THostlistenEditor> editor;
  HWND ed = nullptr;
};

TEST_F(HostsEditorWindow, FrameAndButtonsThatWaitForTheList) {
  Open(false);
  char cls[64] = {};
  GetClassNameA(ed, cls, sizeof cls);
  EXPECT_STREQ("THostlistenEditor", cls);
  RECT client, frame, owner;
  GetClientRect(ed, &client);
  EXPECT_EQ(456, client.right);
  EXPECT_EQ(534, client.bottom);
  LONG style = GetWindowLongA(ed, GWL_STYLE);
  EXPECT_FALSE(style & (WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
  GetWindowRect(ed, &frame);
  GetWindowRect(main, &owner);
  EXPECT_NEAR((owner.left + owner.right) / 2, (frame.left + frame.right) / 2, 1);
  EXPECT_NEAR((owner.top + owner.bottom) / 2, (frame.top + frame.bottom) / 2, 1);
  EXPECT_TRUE(LVS_OWNERDATA & GetWindowLongA(Control(IDC_LISTVIEWHOSTS), GWL_STYLE));

  const int waiting[] = {IDC_BTHOSTSADD, IDC_BTHOSTSDEL, IDC_HOSTS_BT_CLEAR, IDC_HOSTS_BT_OK, IDC_HOSTS_BT_CANCEL};
  for (int id : waiting) EXPECT_FALSE(IsWindowEnabled(Control(id))) << id;
  EXPECT_TRUE(IsWindowEnabled(Control(IDC_HOSTS_BUTTON_HELP)));
  EXPECT_TRUE(Rows().empty());
  EXPECT_EQ("Database entries: ", Text(IDC_HOSTS_LABEL1));

  // Timer1 itself, 200 ms after the window was made.
  ASSERT_TRUE(WaitUntil([&] {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    return IsWindowEnabled(Control(IDC_HOSTS_BT_OK)) != FALSE;
  }, 5000));
  for (int id : waiting) EXPECT_TRUE(IsWindowEnabled(Control(id))) << id;
  EXPECT_EQ(std::vector<std::string>({"ads.example.com", "track.example.net"}), Rows());
  EXPECT_EQ("Database entries: 2", Text(IDC_HOSTS_LABEL1));
}

TEST_F(HostsEditorWindow, TextsOfBothLanguages) {
  for (bool german : {false, true}) {
    SCOPED_TRACE(german ? "German" : "English");
    app.flags.IsGerman = german;
    Open();
    const HostsEditorTexts& t = TextsFor(german).hostsEditor;
    EXPECT_EQ(t.caption, WindowText(ed));
    struct {
      int id;
      const char* text;
    } const controls[] = {{IDC_HOSTS_GROUPBOXURL, t.GroupBoxURL}, {IDC_HOSTS_GROUPBOX7, t.GroupBox7},
                          {IDC_BTHOSTSADD, t.BtHostsAdd},         {IDC_BTHOSTSDEL, t.BtHostsDel},
                          {IDC_HOSTS_BT_CLEAR, t.Bt_clear},       {IDC_HOSTS_BT_OK, t.Bt_OK},
                          {IDC_HOSTS_BT_CANCEL, t.BT_Cancel},     {IDC_HOSTS_BUTTON_HELP, t.Button_help}};
    for (const auto& c : controls) EXPECT_EQ(c.text, Text(c.id)) << c.id;
    EXPECT_EQ(std::string(t.countPrefix) + "2", Text(IDC_HOSTS_LABEL1));
    char column[64] = {};
    LVCOLUMNA col = {};
    col.mask = LVCF_TEXT;
    col.pszText = column;
    col.cchTextMax = sizeof column;
    ListView_GetColumn(Control(IDC_LISTVIEWHOSTS), 0, &col);
    EXPECT_STREQ(t.ListViewHostsColumn0, column);
    HMENU menu = GetMenu(ed);
    char item[64] = {};
    GetMenuStringA(menu, 0, item, sizeof item, MF_BYPOSITION);
    EXPECT_STREQ(t.Datei1, item);
    for (auto [id, text] : {std::pair{IDM_IMPORTHOSTSDATEITXTFORMAT1, t.ImporthostsDateitxtformat1},
                            std::pair{IDM_EXPORTLISTTXT1, t.ExportListtxt1},
                            std::pair{IDM_FENSTERSCHLIESSEN1, t.Fensterschliessen1}}) {
      GetMenuStringA(menu, id, item, sizeof item, MF_BYCOMMAND);
      EXPECT_STREQ(text, item);
    }
    // The clear question: German title and buttons in both languages.
    dialogs.answers = {"no"};
    Click(IDC_HOSTS_BT_CLEAR);
    ASSERT_EQ(1u, dialogs.calls.size());
    EXPECT_EQ(ed, dialogs.calls[0].owner);
    EXPECT_EQ("Bestätigen", dialogs.calls[0].title);
    EXPECT_EQ(t.clearQuestion, dialogs.calls[0].text);
    EXPECT_EQ("&Ja", dialogs.calls[0].yes);
    EXPECT_EQ("&Nein", dialogs.calls[0].no);
    Menu(IDM_IMPORTHOSTSDATEITXTFORMAT1);
    Menu(IDM_EXPORTLISTTXT1);
    ASSERT_EQ(3u, dialogs.calls.size());
    EXPECT_EQ(t.fileFilter, dialogs.calls[1].text);
    EXPECT_EQ("Datenbank exportieren als:", dialogs.calls[2].title);
    EXPECT_EQ(t.fileFilter, dialogs.calls[2].text);
    EXPECT_EQ("txt", dialogs.calls[2].extension);
    dialogs.calls.clear();
    editor.reset();
  }
}

TEST_F(HostsEditorWindow, AddRefuseRemoveAndClear) {
  Open();
  Type("b.example.org");
  Click(IDC_BTHOSTSADD);
  Type("ads.example.com");  // already there
  Click(IDC_BTHOSTSADD);
  EXPECT_EQ("", Text(IDC_EDADDHOSTS));
  EXPECT_EQ(std::vector<std::string>({"ads.example.com", "b.example.org", "track.example.net"}), Rows());
  EXPECT_EQ("Database entries: 3", Text(IDC_HOSTS_LABEL1));

  // What cannot be a host name is refused with its message and stays in the box.
  Type("evil.com 1.2.3.4");
  Click(IDC_BTHOSTSADD);
  ASSERT_EQ(1u, system.boxes.size());
  EXPECT_EQ(Format(EnglishTexts().msg.invalidHostName, {"evil.com 1.2.3.4"}), system.boxes[0].text);
  EXPECT_EQ("evil.com 1.2.3.4", Text(IDC_EDADDHOSTS));
  EXPECT_EQ(3u, Rows().size());

  // A click copies the entry into the box; a double click removes it.
  ClickRow(1);
  EXPECT_EQ("b.example.org", Text(IDC_EDADDHOSTS));
  ClickRow(1, NM_DBLCLK);
  EXPECT_EQ(std::vector<std::string>({"ads.example.com", "track.example.net"}), Rows());
  EXPECT_EQ(0, ListView_GetNextItem(Control(IDC_LISTVIEWHOSTS), -1, LVNI_SELECTED));
  Click(IDC_BTHOSTSDEL);
  EXPECT_EQ(std::vector<std::string>({"track.example.net"}), Rows());
  EXPECT_EQ("Database entries: 1", Text(IDC_HOSTS_LABEL1));

  dialogs.answers = {"no"};
  Click(IDC_HOSTS_BT_CLEAR);
  EXPECT_EQ(1u, Rows().size());
  dialogs.answers = {"yes"};
  Click(IDC_HOSTS_BT_CLEAR);
  EXPECT_TRUE(Rows().empty());
  EXPECT_EQ("Database entries: 0", Text(IDC_HOSTS_LABEL1));
}

TEST_F(HostsEditorWindow, ImportReportsAndExportWritesHostsLines) {
  std::string in = dir.path() + "\\in.txt";
  WriteBytes(in, "# list\r\n127.0.0.1 new.example.com\r\n127.0.0.1 bad name\r\n0.0.0.0 other.com\r\n"
                 "127.0.0.1 ads.example.com\r\n");
  Open();
  dialogs.answers = {in};
  Menu(IDM_IMPORTHOSTSDATEITXTFORMAT1);
  EXPECT_EQ(std::vector<std::string>({"ads.example.com", "ads.example.com", "new.example.com", "track.example.net"}),
            Rows());
  EXPECT_EQ("Database entries: 4", Text(IDC_HOSTS_LABEL1));
  ASSERT_EQ(1u, system.boxes.size());
  EXPECT_EQ(Format(EnglishTexts().msg.importReport, {"2", "1"}), system.boxes[0].text);
  EXPECT_EQ(kMbIconInformation, system.boxes[0].flags & 0xF0);

  // A cancelled dialog imports nothing and reports nothing.
  Menu(IDM_IMPORTHOSTSDATEITXTFORMAT1);
  EXPECT_EQ(4u, Rows().size());
  EXPECT_EQ(1u, system.boxes.size());

  std::string out = dir.path() + "\\out.txt";
  dialogs.answers = {out};
  Menu(IDM_EXPORTLISTTXT1);
  EXPECT_EQ("127.0.0.1  ads.example.com\r\n127.0.0.1  ads.example.com\r\n127.0.0.1  new.example.com\r\n"
            "127.0.0.1  track.example.net\r\n",
            ReadBytes(out));
  // An export into a folder that does not exist names it; the list stays.
  dialogs.answers = {dir.path() + "\\nowhere\\out.txt"};
  Menu(IDM_EXPORTLISTTXT1);
  ASSERT_EQ(2u, system.boxes.size());
  EXPECT_NE(std::string::npos, system.boxes[1].text.find("nowhere"));
  EXPECT_EQ(kMbIconError, system.boxes[1].flags & 0xF0);
  EXPECT_EQ(4u, Rows().size());
}

// OK saves only a changed list, and rewrites the hosts file only when the
// list changed and blocking is on; Cancel and the menu's close save nothing.
TEST_F(HostsEditorWindow, OkAndCancelPaths) {
  const std::string before = "track.example.net\r\nads.example.com\r\n";
  const std::string hostsBefore = "# the default\r\n127.0.0.1 localhost\r\n";
  const std::string hostsAfter =
      "# the default\r\n\r\n\r\n127.0.0.1  localhost\r\n127.0.0.1  a.example.com\r\n127.0.0.1  ads.example.com\r\n"
      "127.0.0.1  track.example.net\r\n";
  struct Case {
    const char* name;
    bool add;
    bool hosts;
    int close;
    std::string list, hostsFile;
  } const cases[] = {
      {"OK unchanged", false, true, IDC_HOSTS_BT_OK, before, hostsBefore},
      {"OK changed, blocking off", true, false, IDC_HOSTS_BT_OK,
       "a.example.com\r\nads.example.com\r\ntrack.example.net\r\n", hostsBefore},
      {"OK changed, blocking on", true, true, IDC_HOSTS_BT_OK,
       "a.example.com\r\nads.example.com\r\ntrack.example.net\r\n", hostsAfter},
      {"Cancel", true, true, IDC_HOSTS_BT_CANCEL, before, hostsBefore},
      {"menu close", true, true, IDM_FENSTERSCHLIESSEN1, before, hostsBefore},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    WriteBytes(ListFile(), before);
    WriteBytes(HostsFile(), hostsBefore);
    DeleteFileA(HostsBackupPath(app.paths.ProgramDir).c_str());
    app.settings.hosts = c.hosts;
    Open();
    if (c.add) {
      Type("a.example.com");
      Click(IDC_BTHOSTSADD);
    }
    if (c.close == IDM_FENSTERSCHLIESSEN1) Menu(c.close);
    else Click(c.close);
    EXPECT_TRUE(Closed());
    EXPECT_TRUE(editor->editor().ListViewHosts.empty());
    EXPECT_EQ(c.list, ReadBytes(ListFile()));
    EXPECT_EQ(c.hostsFile, ReadBytes(HostsFile()));
    EXPECT_TRUE(system.boxes.empty());
    editor.reset();
  }
}

TEST_F(HostsEditorWindow, ReadOnlyListFileKeepsTheEditorOpenWithTheList) {
  app.settings.hosts = true;
  Open();
  SetFileAttributesA(ListFile().c_str(), FILE_ATTRIBUTE_READONLY);
  Type("a.example.com");
  Click(IDC_BTHOSTSADD);
  Click(IDC_HOSTS_BT_OK);
  ASSERT_EQ(1u, system.boxes.size());
  EXPECT_NE(std::string::npos, system.boxes[0].text.find(ListFile()));
  EXPECT_NE(std::string::npos, system.boxes[0].text.find(EnglishTexts().msg.causeReadOnly));
  EXPECT_EQ(kMbIconError, system.boxes[0].flags & 0xF0);
  EXPECT_TRUE(IsWindow(ed));
  EXPECT_EQ(3u, Rows().size());
  EXPECT_EQ("track.example.net\r\nads.example.com\r\n", ReadBytes(ListFile()));
  EXPECT_EQ("# the default\r\n127.0.0.1 localhost\r\n", ReadBytes(HostsFile()));

  // Writable again, the same OK saves and rewrites.
  SetFileAttributesA(ListFile().c_str(), FILE_ATTRIBUTE_NORMAL);
  Click(IDC_HOSTS_BT_OK);
  EXPECT_TRUE(Closed());
  EXPECT_EQ("a.example.com\r\nads.example.com\r\ntrack.example.net\r\n", ReadBytes(ListFile()));
  EXPECT_NE(std::string::npos, ReadBytes(HostsFile()).find("127.0.0.1  a.example.com\r\n"));
}

TEST_F(HostsEditorWindow, UnreadableListFileLeavesOnlyCancel) {
  // Another program holds the list file open without sharing it.
  HANDLE held = CreateFileA(ListFile().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, held);
  Open();
  CloseHandle(held);
  ASSERT_EQ(1u, system.boxes.size());
  EXPECT_EQ(Format(EnglishTexts().msg.cannotRead, {ListFile()}), system.boxes[0].text);
  // Nothing can be saved over the file that was not read.
  for (int id : {IDC_HOSTS_BT_OK, IDC_BTHOSTSADD, IDC_BTHOSTSDEL, IDC_HOSTS_BT_CLEAR})
    EXPECT_FALSE(IsWindowEnabled(Control(id))) << id;
  EXPECT_TRUE(IsWindowEnabled(Control(IDC_HOSTS_BT_CANCEL)));
  Click(IDC_HOSTS_BT_CANCEL);
  EXPECT_TRUE(Closed());
  EXPECT_EQ("track.example.net\r\nads.example.com\r\n", ReadBytes(ListFile()));
}

TEST_F(HostsEditorWindow, HeaderClickReversesAndKeepsTheSelectedName) {
  WriteBytes(ListFile(), "b.com\r\na.com\r\nC.com\r\n");
  Open();
  EXPECT_EQ(std::vector<std::string>({"a.com", "b.com", "C.com"}), Rows());
  ClickRow(0);
  ClickHeader();
  EXPECT_EQ(std::vector<std::string>({"C.com", "b.com", "a.com"}), Rows());
  EXPECT_EQ(2, ListView_GetNextItem(Control(IDC_LISTVIEWHOSTS), -1, LVNI_SELECTED));
  HDITEMA h = {};
  h.mask = HDI_IMAGE | HDI_FORMAT;
  Header_GetItem(ListView_GetHeader(Control(IDC_LISTVIEWHOSTS)), 0, &h);
  EXPECT_EQ(1, h.iImage);
  ClickHeader();
  EXPECT_EQ(std::vector<std::string>({"a.com", "b.com", "C.com"}), Rows());
  // An added name takes its place in the order shown.
  ClickHeader();
  Type("bb.com");
  Click(IDC_BTHOSTSADD);
  EXPECT_EQ(std::vector<std::string>({"C.com", "bb.com", "b.com", "a.com"}), Rows());
}

TEST_F(HostsEditorWindow, HelpOpensTheManual) {
  WriteBytes(app.paths.HandbookFile, "%PDF-1.4\n");
  Open();
  Click(IDC_HOSTS_BUTTON_HELP);
  ASSERT_EQ(1u, shell.executed.size());
  EXPECT_EQ("open", shell.executed[0].verb);
  EXPECT_EQ(app.paths.HandbookFile, shell.executed[0].file);
  DeleteFileA(app.paths.HandbookFile.c_str());
  Click(IDC_HOSTS_BUTTON_HELP);
  ASSERT_EQ(1u, system.boxes.size());
  EXPECT_EQ(EnglishTexts().msg.handbookMissing, system.boxes[0].text);
}

TEST_F(HostsEditorWindow, HundredFiftyThousandNamesAreVirtualRows) {
  std::string big;
  for (int i = 0; i < 150000; ++i) big += "host" + std::to_string(i) + ".example.com\r\n";
  WriteBytes(ListFile(), big);
  Open();
  HWND list = Control(IDC_LISTVIEWHOSTS);
  EXPECT_EQ(150000, ListView_GetItemCount(list));
  EXPECT_EQ("Database entries: 150000", Text(IDC_HOSTS_LABEL1));
  // Typing finds a name (the list view asks its parent; Wine 8 hands an
  // ANSI parent the typed text in UTF-16, so the question is put here as
  // Windows puts it); adding one that is there adds nothing.
  NMLVFINDITEMA find = {};
  find.hdr = {list, IDC_LISTVIEWHOSTS, static_cast<UINT>(LVN_ODFINDITEMA)};
  find.lvfi.flags = LVFI_STRING | LVFI_PARTIAL;
  find.lvfi.psz = "host149999.";
  int row = static_cast<int>(SendMessageA(ed, WM_NOTIFY, IDC_LISTVIEWHOSTS, reinterpret_cast<LPARAM>(&find)));
  ASSERT_GE(row, 0);
  char text[64] = {};
  ListView_GetItemText(list, row, 0, text, sizeof text);
  EXPECT_STREQ("host149999.example.com", text);
  Type("host77.example.com");
  Click(IDC_BTHOSTSADD);
  EXPECT_EQ(150000, ListView_GetItemCount(list));
  ClickHeader();
  ListView_GetItemText(list, 0, 0, text, sizeof text);
  EXPECT_STREQ("host99999.example.com", text);
}

// A window procedure's calling convention: no lambda on 32-bit Windows.
BOOL CALLBACK CollectEditor(HWND h, LPARAM lp) {
  char cls[64] = {};
  GetClassNameA(h, cls, sizeof cls);
  if (lstrcmpA(cls, "THostlistenEditor") == 0) reinterpret_cast<std::vector<HWND>*>(lp)->push_back(h);
  return TRUE;
}

// Opened from the main window's menu: one editor at most, made anew after
// it closed.
TEST(HostsEditorFromMainWindow, OpensOnceAndAnewAfterClosing) {
  SimWorld w;
  w.Install();
  auto window = std::make_unique<MainWindow>(w.os);
  ASSERT_TRUE(window->Create());
  HWND main = window->hwnd();
  auto editors = [] {
    std::vector<HWND> found;
    EnumThreadWindows(GetCurrentThreadId(), CollectEditor, reinterpret_cast<LPARAM>(&found));
    return found;
  };
  SendMessageA(main, WM_COMMAND, IDM_ACTION_HOSTLISTENEDITOR, 0);
  SendMessageA(main, WM_COMMAND, IDM_ACTION_HOSTLISTENEDITOR, 0);
  std::vector<HWND> open = editors();
  ASSERT_EQ(1u, open.size());
  EXPECT_TRUE(IsWindowVisible(open[0]));
  EXPECT_EQ(main, GetWindow(open[0], GW_OWNER));
  SendMessageA(open[0], WM_TIMER, kHostsTimer1Id, 0);
  char label[64] = {};
  GetDlgItemTextA(open[0], IDC_HOSTS_LABEL1, label, sizeof label);
  EXPECT_STREQ("Database entries: 1", label);
  SendMessageA(GetDlgItem(open[0], IDC_HOSTS_BT_CANCEL), BM_CLICK, 0, 0);
  EXPECT_FALSE(IsWindow(open[0]));
  EXPECT_TRUE(editors().empty());
  SendMessageA(main, WM_COMMAND, IDM_ACTION_HOSTLISTENEDITOR, 0);
  EXPECT_EQ(1u, editors().size());
  window.reset();
  EXPECT_TRUE(editors().empty());
  MSG msg;
  while (PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
  }
}

}  // namespace
}  // namespace zt::test
