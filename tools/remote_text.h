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

// Reads the text of one cell of a list view of another process: the item
// structure and its text buffer have to live in that process. Both
// processes must be of the same bitness (the structure holds pointers).
inline std::string RemoteListViewText(HWND list, int row, int column) {
  DWORD pid = 0;
  GetWindowThreadProcessId(list, &pid);
  HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
  if (!process) return "<no access>";
  std::string text;
  const SIZE_T textSize = 1024;
  char* remote = static_cast<char*>(VirtualAllocEx(process, nullptr, sizeof(LVITEMA) + textSize, MEM_COMMIT,
                                                   PAGE_READWRITE));
  if (remote) {
    LVITEMA item = {};
    item.iSubItem = column;
    item.pszText = remote + sizeof(LVITEMA);
    item.cchTextMax = static_cast<int>(textSize);
    DWORD_PTR result = 0;
    if (WriteProcessMemory(process, remote, &item, sizeof item, nullptr) &&
        SendMessageTimeoutA(list, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(remote), SMTO_ABORTIFHUNG, 2000,
                            &result)) {
      char buf[1024] = {};
      SIZE_T got = 0;
      if (ReadProcessMemory(process, remote + sizeof(LVITEMA), buf, sizeof buf - 1, &got)) text = buf;
    }
    VirtualFreeEx(process, remote, 0, MEM_RELEASE);
  }
  CloseHandle(process);
  return text;
}
