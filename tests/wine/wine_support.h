// Helpers for tests under Wine: temporary folders, files, and driving the
// real zapotrix.exe from a program folder laid out as installed.
#pragma once
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

namespace zt::test {

// A fresh folder under the temporary directory, removed with its content.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

void WriteBytes(const std::string& path, const std::string& bytes);
std::string ReadBytes(const std::string& path);
bool FileExists(const std::string& path);
// The build tree's folder as a Windows path.
std::string BuildDir();
// Copies the installed layout (zapotrix.exe, config\, help\) into dir.
void LayOutProgram(const std::string& dir);

// A top-level window of a process with a class name; 0 when none.
HWND FindProcessWindow(DWORD pid, const char* className, const char* title = nullptr);
// Waits until such a window exists; 0 after the timeout.
HWND WaitForProcessWindow(DWORD pid, const char* className, const char* title, DWORD timeoutMs);
// The status bar of zapotrix's main window; the window exists a moment
// before its children, so this waits for it (0 after the timeout).
HWND WaitForStatusBar(HWND main, DWORD timeoutMs = 5000);
// Text of a message box (its static text control).
std::string MessageBoxText(HWND box);
// Text of a panel of a status bar in another process.
std::string StatusPanelText(HWND statusBar, int panel);
// Polls until pred() holds or the timeout passes.
template <class Pred>
bool WaitUntil(Pred pred, DWORD timeoutMs) {
  DWORD start = GetTickCount();
  while (!pred()) {
    if (GetTickCount() - start > timeoutMs) return false;
    Sleep(20);
  }
  return true;
}
// Waits until a status bar panel shows text; the failure tells what the
// panel showed last.
::testing::AssertionResult WaitForPanel(HWND statusBar, int panel, const std::string& text,
                                        DWORD timeoutMs = 5000);

// zapotrix.exe started from a program folder; ended by force if it is
// still running when the object goes away.
class ProgramProcess {
 public:
  explicit ProgramProcess(const std::string& exePath);
  ~ProgramProcess();
  ProgramProcess(const ProgramProcess&) = delete;
  ProgramProcess& operator=(const ProgramProcess&) = delete;

  bool started() const { return info_.hProcess != nullptr; }
  DWORD pid() const { return info_.dwProcessId; }
  // The hidden main window (class Tzapotrix_main); 0 after the timeout.
  HWND WaitForMainWindow(DWORD timeoutMs = 15000);
  HWND WaitForMessageBox(DWORD timeoutMs = 15000);
  // True when the process ended within the timeout.
  bool WaitForExit(DWORD timeoutMs = 15000);
  // Lets the time pass on purpose: true when the process is still running
  // after it.
  bool StillRunningAfter(DWORD ms) { return started() && !WaitForExit(ms); }
  DWORD ExitCode();

 private:
  PROCESS_INFORMATION info_ = {};
};

}  // namespace zt::test
