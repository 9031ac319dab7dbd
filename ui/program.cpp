// The program's life on Windows: the system check, the single instance,
// the common controls, the main window and the message loop.
#include "platform/win32/system_function.h"
#include "system/probes.h"
#include "ui/main_window.h"

namespace zt {

int RunProgram(Platform& os) {
  // Before any window: the list views need the common controls of
  // Internet Explorer 4, which a bare Windows 95 lacks.
  if (!CheckMinimumSystem(os.system)) return 1;
  if (!AcquireSingleInstance(os)) return 0;
  // Looked up, not imported: the common controls of Windows 95 lack it, and
  // the loader would refuse to start the program before it could say why.
  using InitFn = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
  INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_WIN95_CLASSES | ICC_BAR_CLASSES};
  if (auto init = SystemFunction<InitFn>("comctl32.dll", "InitCommonControlsEx")) init(&icc);
  MainWindow window(os);
  if (!window.Create()) return 1;
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    if (WindowBase::PreTranslate(msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return static_cast<int>(msg.wParam);
}

}  // namespace zt
