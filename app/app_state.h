// Process-wide state, owned by the main window for the whole run: the
// platform, the view, the settings, the process flags, the file paths, the
// rule lists and the engine's state. It lends each module what that module
// works on (a scan context, the hosts environment, ...), never itself.
#pragma once
#include <string>

#include "app/main_view.h"
#include "engine/scan_context.h"
#include "hosts/hosts_file.h"
#include "lang/texts.h"
#include "platform/platform.h"
#include "platform/timer.h"
#include "rules/rule_lists.h"
#include "system/filters.h"
#include "system/probes.h"
#include "system/services.h"
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
  EngineState engine;  // active windows, snapshot, history, scan caches

  // The texts of the start-up language.
  const Texts& texts() const { return TextsFor(flags.IsGerman); }

  ScanContext Scan() { return {os.desktop, os.system, view, settings, texts(), rules, engine}; }
  HostsEnv Hosts() const {
    return {os.system, texts(), flags.IsAdmin, HostsFilePath(flags.HostsDirectory, flags.IsNTFamily),
            HostsBackupPath(paths.ProgramDir), paths.HostsListFile, flags.IsNTFamily};
  }
  FilterEnv Filters() const {
    return {os.registry, os.system, os.shell, texts(), flags.IsGerman, paths.MozillaFilterFile};
  }
  ServicesEnv Services() const { return {os.registry, os.services, os.system, texts()}; }
  AutostartEnv Autostart() const { return {os.registry, os.system, flags.IsAdmin}; }
};

}  // namespace zt
