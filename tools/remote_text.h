// Reads the text of a status bar panel of another process: the buffer for
// SB_GETTEXT has to live in that process.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <string>

inline std::string RemoteStatusPanelText(HWND statusBar, int panel) {
  DWORD pid = 0;
  GetWindowThreadProcessId(statusBar, &pid);
  HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
  if (!process) return "<no access>";
  std::string text;
  void* remote = VirtualAllocEx(process, nullptr, 4096, MEM_COMMIT, PAGE_READWRITE);
  DWORD_PTR result = 0;
  if (remote && SendMessageTimeoutA(statusBar, SB_GETTEXTA, panel, reinterpret_cast<LPARAM>(remote),
                                    SMTO_ABORTIFHUNG, 2000, &result)) {
    char buf[4096] = {};
    SIZE_T got = 0;
    if (ReadProcessMemory(process, remote, buf, sizeof buf - 1, &got)) text = buf;
  }
  if (remote) VirtualFreeEx(process, remote, 0, MEM_RELEASE);
  CloseHandle(process);
  return text;
}
