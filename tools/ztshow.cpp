// ztshow: the main window of zapotrix.exe, run as the program runs it (the
// real registry, files, desktop and shell, from the folder it lies in), on
// a system that names its language as given. Wine names every language in
// English, so a German system cannot be played there otherwise; the
// screenshots use this to show the German window.
//   ztshow LANGUAGE-NAME     e.g. ztshow "Deutsch (Deutschland)"
#include "platform/win32/win.h"
#include <commctrl.h>

#include <string>

#include "app/zapotrix_main.h"
#include "platform/win32/win32_desktop.h"
#include "platform/win32/win32_download.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_services.h"
#include "platform/win32/win32_shell.h"
#include "platform/win32/win32_system.h"
#include "platform/win32/win32_worker.h"
#include "ui/main_window.h"

namespace {

class NamedLanguageSystem : public zt::Win32System {
 public:
  explicit NamedLanguageSystem(std::string name) : name_(std::move(name)) {}
  std::string LanguageName(uint16_t) override { return name_; }

 private:
  std::string name_;
};

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  if (__argc < 2) return 2;
  zt::Win32Registry registry;
  NamedLanguageSystem system(__argv[1]);
  zt::Win32Desktop desktop;
  zt::Win32Downloader downloader;
  zt::Win32Worker worker;
  zt::Win32ServiceManager services;
  zt::Win32Shell shell;
  zt::Platform os{registry, system, desktop, downloader, worker, services, shell};
  if (!zt::AcquireSingleInstance(os)) return 0;

  INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_WIN95_CLASSES | ICC_BAR_CLASSES};
  InitCommonControlsEx(&icc);
  zt::MainWindow window(os);
  if (!window.Create()) return 1;
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    if (window.PreTranslate(msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return static_cast<int>(msg.wParam);
}
