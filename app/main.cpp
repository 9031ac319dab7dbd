// Program entry of zapotrix.exe: the single-instance guard, the hidden main
// window and the message loop. No command line is read.
#include "platform/win32/win.h"
#include <commctrl.h>

#include "app/zapotrix_main.h"
#include "platform/win32/win32_desktop.h"
#include "platform/win32/win32_download.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_services.h"
#include "platform/win32/win32_shell.h"
#include "platform/win32/win32_system.h"
#include "platform/win32/win32_worker.h"
#include "ui/main_window.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  zt::Win32Registry registry;
  zt::Win32System system;
  zt::Win32Desktop desktop;
  zt::Win32Downloader downloader;
  zt::Win32Worker worker;
  zt::Win32ServiceManager services;
  zt::Win32Shell shell;
  zt::Platform os{registry, system, desktop, downloader, worker, services, shell};
  if (!zt::AcquireSingleInstance(os)) return 0;

  INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_WIN95_CLASSES | ICC_BAR_CLASSES};
  InitCommonControlsEx(&icc);

  int code = 0;
  {
    zt::MainWindow window(os);
    if (!window.Create()) return 1;
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
      if (window.PreTranslate(msg)) continue;
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    code = static_cast<int>(msg.wParam);
  }
  system.CloseInstanceSemaphore();
  return code;
}
