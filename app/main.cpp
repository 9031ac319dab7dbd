// Program entry of zapotrix.exe: the real platform and the program's life
// on it. No command line is read.
#include "platform/win32/win.h"

#include "platform/win32/win32_platform.h"
#include "ui/main_window.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  zt::Win32Platform<> platform;
  int code = zt::RunProgram(platform.os);
  platform.system.CloseInstanceSemaphore();
  return code;
}
