// Process-wide state, owned by the main window for the whole run: the
// platform, the view, the settings, the process flags, the file paths, the
// rule lists, the list of active browser windows and the history.
#pragma once
#include <string>

#include "app/main_view.h"
#include "engine/history.h"
#include "engine/scan_cache.h"
#include "engine/snapshot.h"
#include "platform/platform.h"
#include "platform/timer.h"
#include "rules/rule_lists.h"
#include "system/settings.h"

namespace zt {

struct ProcessFlags {
  bool IsGerman = false;
  bool IsAdmin = false;
  bool IsNTFamily = false;
  bool IsWinXP = false;
  std::string HostsDirectory;
  bool IsPaused = false;         // blocking stopped by the user
  bool SkipSaveOnClose = false;  // end without saving
};

struct FilePaths {
  std::string ProgramDir;  // with trailing backslash
  std::string MainDBFile;
  std::string HostsListFile;
  std::string MozillaFilterFile;
  std::string HandbookFile;
  std::string NewMainDBFile;
};

struct AppState {
  AppState(Platform& p, MainView& v, Timer& t1, Timer& t2)
      : os(p), view(v), Timer1(t1), Timer_checkMessenger(t2) {}

  Platform& os;
  MainView& view;
  Timer& Timer1;
  Timer& Timer_checkMessenger;

  Settings settings;
  ProcessFlags flags;
  FilePaths paths;
  RuleLists rules;
  ListModel ListView1{ListViewId::ListView1};  // active browser windows
  OpenWindowsTable OpenWindows;                // browser windows of the last snapshot
  History history;                             // closed popups, oldest first
  ScanCache scanCache;                         // rule lists as the keyword and size passes use them
};

}  // namespace zt
