// The GDI and USER objects a process holds. Windows counts them with
// GetGuiResources; Wine does not implement it, but accepts a handle whose
// upper half is zero as "that slot, any generation", so the slots in use
// can be counted instead. Slow (a second or two): for measurements, not
// loops.
#pragma once
#include <windows.h>

namespace zt::test {

inline int GdiObjectCount(HANDLE process = GetCurrentProcess()) {
  if (DWORD n = GetGuiResources(process, GR_GDIOBJECTS)) return static_cast<int>(n);
  int count = 0;
  for (ULONG_PTR slot = 1; slot < 0x10000; ++slot)
    if (GetObjectType(reinterpret_cast<HGDIOBJ>(slot))) ++count;
  return count;
}

// Windows and menus of a process (by its id).
inline int UserObjectCount(DWORD pid = GetCurrentProcessId()) {
  HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, pid);
  DWORD n = process ? GetGuiResources(process, GR_USEROBJECTS) : 0;
  if (process) CloseHandle(process);
  if (n) return static_cast<int>(n);
  int count = 0;
  for (ULONG_PTR slot = 0x20; slot < 0x10000; slot += 2) {
    HWND w = reinterpret_cast<HWND>(slot);
    DWORD owner = 0;
    if (IsWindow(w)) {
      GetWindowThreadProcessId(w, &owner);
      count += owner == pid;
    } else if (pid == GetCurrentProcessId() && IsMenu(reinterpret_cast<HMENU>(slot))) {
      ++count;
    }
  }
  return count;
}

}  // namespace zt::test
