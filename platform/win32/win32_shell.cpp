// The documents folder (SHGetSpecialFolderLocation and SHGetPathFromIDListA)
// and ShellExecuteA, which exist on every system from Windows 95 on.
#include "platform/win32/win32_shell.h"

#include "platform/win32/win.h"
#include <shellapi.h>
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

int Win32Shell::Execute(const std::string& verb, const std::string& file, const std::string& parameters) {
  HINSTANCE result = ShellExecuteA(nullptr, verb.c_str(), file.c_str(),
                                   parameters.empty() ? nullptr : parameters.c_str(), nullptr, SW_SHOW);
  return static_cast<int>(reinterpret_cast<INT_PTR>(result));
}

}  // namespace zt
