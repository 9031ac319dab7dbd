// Test helpers for Wine: files, folders and the program under test.
#include "wine_support.h"

#include "tools/file_tree.h"
#include "tools/remote_text.h"

namespace zt::test {

TempDir::TempDir() {
  static int counter = 0;
  char base[MAX_PATH];
  GetTempPathA(MAX_PATH, base);
  path_ = std::string(base) + "zt-test-" + std::to_string(GetCurrentProcessId()) + "-" +
          std::to_string(++counter);
  RemoveTree(path_);
  CreateDirectoryA(path_.c_str(), nullptr);
}

TempDir::~TempDir() { RemoveTree(path_); }

void WriteBytes(const std::string& path, const std::string& bytes) {
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return;
  DWORD wrote = 0;
  WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &wrote, nullptr);
  CloseHandle(h);
}

std::string ReadBytes(const std::string& path) {
  HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                         OPEN_EXISTING, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) return "";
  std::string out;
  char buf[65536];
  DWORD got = 0;
  while (ReadFile(h, buf, sizeof buf, &got, nullptr) && got > 0) out.append(buf, got);
  CloseHandle(h);
  return out;
}

bool FileExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::string BuildDir() {
  std::string unix = ZT_BIN_DIR;
  std::string win = "Z:";
  for (char c : unix) win += c == '/' ? '\\' : c;
  return win;
}

void LayOutProgram(const std::string& dir) { CopyTree(BuildDir() + "\\dist", dir); }

struct FindData {
  DWORD pid;
  const char* className;
  const char* title;
  HWND found;
};

static BOOL CALLBACK FindProc(HWND hwnd, LPARAM lp) {
  FindData* d = reinterpret_cast<FindData*>(lp);
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  if (pid != d->pid) return TRUE;
  char cls[256] = {};
  GetClassNameA(hwnd, cls, sizeof cls);
  if (lstrcmpiA(cls, d->className) != 0) return TRUE;
  if (d->title) {
    char text[256] = {};
    GetWindowTextA(hwnd, text, sizeof text);
    if (lstrcmpA(text, d->title) != 0) return TRUE;
  }
  d->found = hwnd;
  return FALSE;
}

HWND FindProcessWindow(DWORD pid, const char* className, const char* title) {
  FindData d = {pid, className, title, nullptr};
  EnumWindows(FindProc, reinterpret_cast<LPARAM>(&d));
  return d.found;
}

HWND WaitForProcessWindow(DWORD pid, const char* className, const char* title, DWORD timeoutMs) {
  HWND h = nullptr;
  WaitUntil([&] { return (h = FindProcessWindow(pid, className, title)) != nullptr; }, timeoutMs);
  return h;
}

HWND WaitForStatusBar(HWND main, DWORD timeoutMs) {
  HWND bar = nullptr;
  WaitUntil([&] { return (bar = FindWindowExA(main, nullptr, "msctls_statusbar32", nullptr)) != nullptr; }, timeoutMs);
  return bar;
}

std::string MessageBoxText(HWND box) {
  char text[1024] = {};
  GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
  return text;
}

std::string StatusPanelText(HWND statusBar, int panel) { return RemoteStatusPanelText(statusBar, panel); }

::testing::AssertionResult WaitForPanel(HWND statusBar, int panel, const std::string& text, DWORD timeoutMs) {
  if (!statusBar) return ::testing::AssertionFailure() << "no status bar";
  std::string shown;
  if (WaitUntil([&] { return (shown = StatusPanelText(statusBar, panel)) == text; }, timeoutMs))
    return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "status panel " << panel << " shows \"" << shown << "\" after " << timeoutMs
                                       << " ms, not \"" << text << "\"";
}

ProgramProcess::ProgramProcess(const std::string& exePath) {
  STARTUPINFOA si = {};
  si.cb = sizeof si;
  std::string cmd = "\"" + exePath + "\"";
  std::string dir = exePath.substr(0, exePath.rfind('\\'));
  if (!CreateProcessA(exePath.c_str(), &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, dir.c_str(), &si, &info_))
    info_ = {};
}

ProgramProcess::~ProgramProcess() {
  if (!info_.hProcess) return;
  if (WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT) {
    TerminateProcess(info_.hProcess, 99);
    WaitForSingleObject(info_.hProcess, 5000);
  }
  CloseHandle(info_.hProcess);
  CloseHandle(info_.hThread);
}

HWND ProgramProcess::WaitForMainWindow(DWORD timeoutMs) {
  return WaitForProcessWindow(pid(), "Tzapotrix_main", nullptr, timeoutMs);
}

HWND ProgramProcess::WaitForMessageBox(DWORD timeoutMs) {
  return WaitForProcessWindow(pid(), "#32770", "Zapotrix", timeoutMs);
}

bool ProgramProcess::WaitForExit(DWORD timeoutMs) {
  return info_.hProcess && WaitForSingleObject(info_.hProcess, timeoutMs) == WAIT_OBJECT_0;
}

DWORD ProgramProcess::ExitCode() {
  DWORD code = 0;
  GetExitCodeProcess(info_.hProcess, &code);
  return code;
}

}  // namespace zt::test
