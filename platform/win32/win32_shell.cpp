// The documents folder (SHGetSpecialFolderLocation and SHGetPathFromIDListA)
// and ShellExecuteA, which exist on every system from Windows 95 on; the
// application-data folder, where the system has a function that names it.
#include "platform/win32/win32_shell.h"

#include "platform/win32/system_function.h"
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

std::string Win32Shell::AppDataFolder() {
  // SHGetSpecialFolderPathA came with the shell update of Internet Explorer
  // 4: Windows 95 and NT 4 without it lack it, so it is looked up at run
  // time.
  using GetFolderFn = BOOL(WINAPI*)(HWND owner, LPSTR path, int folder, BOOL create);
  auto get = SystemFunction<GetFolderFn>("shell32.dll", "SHGetSpecialFolderPathA");
  char path[MAX_PATH + 1] = {};
  if (!get || !get(nullptr, path, CSIDL_APPDATA, TRUE)) return "";
  std::string folder = path;
  if (!folder.empty() && folder.back() == '\\') folder.pop_back();
  return folder;
}

int Win32Shell::Execute(const std::string& verb, const std::string& file, const std::string& parameters) {
  HINSTANCE result = ShellExecuteA(nullptr, verb.c_str(), file.c_str(),
                                   parameters.empty() ? nullptr : parameters.c_str(), nullptr, SW_SHOW);
  return static_cast<int>(reinterpret_cast<INT_PTR>(result));
}

}  // namespace zt
