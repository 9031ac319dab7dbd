// ztprobe: looks at a running zapotrix.exe from outside, for `make run`.
//   ztprobe          prints the main window's state and status panels
//   ztprobe --quit   asks the program to end (as its quit command does)
//   ztprobe --add-keyword TEXT
//                    types the text into the keyword box of the main window
//                    and presses its "Add to List" button
//   ztprobe --show   shows the main window, as a double-click on the tray
//                    icon does
//   ztprobe --menu   opens the tray menu at the cursor, as a right click on
//                    the tray icon does
//   ztprobe --rect   prints the main window's outer rectangle on screen:
//                    left top width height
//   ztprobe --settings        chooses the settings command (the dialog opens)
//   ztprobe --settings-rect   prints the settings dialog's outer rectangle
//                             once it is shown, like --rect
//   ztprobe --settings-close  closes the settings dialog as its close box does
//   ztprobe --settings-page N shows page N (0 the first) of the settings dialog,
//                             as the arrow keys on its tabs do
//   ztprobe --hosts-editor   opens the hosts list editor, as its menu item does
//   ztprobe --rect CLASS  the same for the program's window of that class
//                    (TQvStatistik, TQvRule)
//   ztprobe --statistics  opens the statistics window, as its menu item does
//   ztprobe --row0   prints the screen point in the middle of the first row
//                    of the active browser windows: x y
//   ztprobe --open COMMAND CLASS
//                    sends the menu command (a number, e.g. 2009 for the info
//                    window) and waits for the window of that class to be
//                    shown and painted; prints its outer rectangle and the
//                    milliseconds from the command to the first paint:
//                    left top width height ms
//   ztprobe --close CLASS
//                    closes that window as its title bar's close box does
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "tools/remote_text.h"
#include "ui/resource.h"

// The tray icon's callback message and identifier.
constexpr UINT kTrayCallback = WM_USER + 1;
constexpr WPARAM kTrayIconId = 100;

int main(int argc, char** argv) {
  HWND main = nullptr;
  for (int i = 0; i < 100 && !main; ++i) {
    main = FindWindowA("Tzapotrix_main", nullptr);
    if (!main) Sleep(100);
  }
  if (!main) {
    std::printf("zapotrix: no main window found\n");
    return 1;
  }
  if (argc > 1 && std::strcmp(argv[1], "--quit") == 0) {
    PostMessageA(main, WM_CLOSE, 0, 0);
    std::printf("zapotrix: asked to quit (settings and rule database are saved)\n");
    return 0;
  }
  if (argc > 2 && std::strcmp(argv[1], "--add-keyword") == 0) {
    HWND edit = GetDlgItem(main, IDC_EDADDKEY);
    HWND add = GetDlgItem(main, IDC_BTADDKEY);
    if (!edit || !add) {
      std::printf("zapotrix: no keyword box found\n");
      return 1;
    }
    SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(argv[2]));
    SendMessageA(main, WM_COMMAND, MAKEWPARAM(IDC_BTADDKEY, BN_CLICKED), reinterpret_cast<LPARAM>(add));
    std::printf("zapotrix: keyword added\n");
    return 0;
  }
  if (argc > 1 && std::strcmp(argv[1], "--show") == 0) {
    PostMessageA(main, kTrayCallback, kTrayIconId, WM_LBUTTONDBLCLK);
    std::printf("zapotrix: asked to show its main window\n");
    return 0;
  }
  if (argc > 1 && std::strcmp(argv[1], "--menu") == 0) {
    PostMessageA(main, kTrayCallback, kTrayIconId, WM_RBUTTONDOWN);
    std::printf("zapotrix: asked to open its tray menu\n");
    return 0;
  }
  if (argc > 1 && std::strcmp(argv[1], "--hosts-editor") == 0) {
    PostMessageA(main, WM_COMMAND, IDM_ACTION_HOSTLISTENEDITOR, 0);
    std::printf("zapotrix: asked to open the hosts list editor\n");
    return 0;
  }
  if (argc > 1 && std::strcmp(argv[1], "--statistics") == 0) {
    PostMessageA(main, WM_COMMAND, IDM_ACTION_STATISTIK, 0);
    std::printf("zapotrix: asked to open its statistics window\n");
    return 0;
  }
  if (argc > 1 && std::strcmp(argv[1], "--row0") == 0) {
    HWND list = GetDlgItem(main, IDC_LISTVIEW1);
    RECT r = {}, header = {};
    GetWindowRect(list, &r);
    GetWindowRect(FindWindowExA(list, nullptr, WC_HEADERA, nullptr), &header);
    std::printf("%ld %ld\n", r.left + 60, header.bottom + 8);
    return 0;
  }
  if (argc > 1 && std::strcmp(argv[1], "--rect") == 0) {
    HWND of = argc > 2 ? FindWindowA(argv[2], nullptr) : main;
    if (!of) {
      std::printf("zapotrix: no window of class %s\n", argv[2]);
      return 1;
    }
    RECT r = {};
    GetWindowRect(of, &r);
    std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right - r.left, r.bottom - r.top);
    return 0;
  }
  if (argc > 1 && std::strcmp(argv[1], "--settings") == 0) {
    PostMessageA(main, WM_COMMAND, IDM_ACTION_EINSTELLUNGEN, 0);
    std::printf("zapotrix: asked to open its settings dialog\n");
    return 0;
  }
  if (argc > 1 && std::strncmp(argv[1], "--settings-", 11) == 0) {
    HWND dialog = nullptr;
    for (int i = 0; i < 100 && !(dialog && IsWindowVisible(dialog)); ++i) {
      dialog = FindWindowA("TKonfiguration", nullptr);
      if (!(dialog && IsWindowVisible(dialog))) Sleep(100);
    }
    if (!dialog) {
      std::printf("zapotrix: no settings dialog found\n");
      return 1;
    }
    if (std::strcmp(argv[1], "--settings-close") == 0) {
      PostMessageA(dialog, WM_CLOSE, 0, 0);
      return 0;
    }
    if (std::strcmp(argv[1], "--settings-page") == 0 && argc > 2) {
      HWND tabs = FindWindowExA(dialog, nullptr, "SysTabControl32", nullptr);
      int want = std::atoi(argv[2]);
      for (int i = 0; tabs && i < 20; ++i) {
        int at = static_cast<int>(SendMessageA(tabs, TCM_GETCURSEL, 0, 0));
        if (at == want) return 0;
        PostMessageA(tabs, WM_KEYDOWN, at > want ? VK_LEFT : VK_RIGHT, 0);
        Sleep(200);
      }
      std::printf("zapotrix: the settings dialog did not show page %d\n", want);
      return 1;
    }
    RECT r = {};
    GetWindowRect(dialog, &r);
    std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right - r.left, r.bottom - r.top);
    return 0;
  }
  if (argc > 3 && std::strcmp(argv[1], "--open") == 0) {
    LARGE_INTEGER freq, start, now;
    QueryPerformanceFrequency(&freq);
    QueryPerformanceCounter(&start);
    PostMessageA(main, WM_COMMAND, static_cast<WPARAM>(std::atoi(argv[2])), 0);
    // Shown, and nothing left to paint: the first paint is done.
    for (int i = 0; i < 20000; ++i) {
      HWND w = FindWindowA(argv[3], nullptr);
      if (w && IsWindowVisible(w) && !GetUpdateRect(w, nullptr, FALSE)) {
        QueryPerformanceCounter(&now);
        RECT r = {};
        GetWindowRect(w, &r);
        std::printf("%ld %ld %ld %ld %.1f\n", r.left, r.top, r.right - r.left, r.bottom - r.top,
                    1000.0 * static_cast<double>(now.QuadPart - start.QuadPart) / static_cast<double>(freq.QuadPart));
        return 0;
      }
      Sleep(1);
    }
    std::printf("zapotrix: no window of class %s appeared\n", argv[3]);
    return 1;
  }
  if (argc > 2 && std::strcmp(argv[1], "--close") == 0) {
    HWND w = FindWindowA(argv[2], nullptr);
    if (w) PostMessageA(w, WM_CLOSE, 0, 0);
    for (int i = 0; w && IsWindow(w) && i < 500; ++i) Sleep(10);
    return w ? 0 : 1;
  }
  char title[256] = {};
  GetWindowTextA(main, title, sizeof title);
  std::printf("zapotrix: main window \"%s\" (class Tzapotrix_main) is %s\n", title,
              IsWindowVisible(main) ? "shown" : "hidden, the program lives in the tray");
  HWND status = FindWindowExA(main, nullptr, STATUSCLASSNAMEA, nullptr);
  std::printf("zapotrix: status bar:");
  for (int i = 0; status && i < 7; ++i) std::printf(" [%s]", RemoteStatusPanelText(status, i).c_str());
  std::printf("\n");
  return 0;
}
