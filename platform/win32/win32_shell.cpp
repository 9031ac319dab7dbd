// The documents folder: SHGetSpecialFolderLocation and SHGetPathFromIDListA,
// which exist on every system from Windows 95 on.
#include "platform/win32/win32_shell.h"

#include "platform/win32/win.h"
#include <shlobj.h>

namespace zt {

std::string Win32Shell::PersonalFolder() {
  LPITEMIDLIST idl = nullptr;
  if (FAILED(SHGetSpecialFolderLocation(nullptr, CSIDL_PERSONAL, &idl)) || !idl) return "";
  char path[MAX_PATH] = {};
  BOOL ok = SHGetPathFromIDListA(idl, path);
  CoTaskMemFree(idl);
  return ok ? path : "";
}

}  // namespace zt
