// Start-up order, scan cycle, pause switch and end of the program.
#include "app/zapotrix_main.h"

#include "app/texts.h"
#include "engine/history.h"
#include "engine/killers.h"
#include "engine/scanners.h"
#include "engine/snapshot.h"
#include "hosts/hosts_file.h"
#include "rules/list_ops.h"
#include "rules/main_db.h"
#include "system/filters.h"
#include "system/probes.h"
#include "system/services.h"

namespace zt {

bool AcquireSingleInstance(Platform& os) {
  switch (os.system.CreateInstanceSemaphore("zapotrix")) {
    case SemaphoreResult::Created:
      return true;
    case SemaphoreResult::AlreadyExists:
      if (os.desktop.FindTopLevelWindow("zapotrix") != 0)
        os.system.MessageBox(kAlreadyRunning, kAppCaption, kMbIconInformation);
      return false;
    case SemaphoreResult::Failed:
      break;
  }
  return false;
}

void ZapotrixMain::FormCreate() {
  AppState& a = app_;
  MainView& view = a.view;
  System& sys = a.os.system;

  // Design-time state of the timers.
  a.Timer1.SetEnabled(false);
  a.Timer_checkMessenger.SetInterval(kCheckMessengerInterval);
  a.Timer_checkMessenger.SetEnabled(true);

  view.SetCaption(kAppCaption);                              // 1
  view.SetStatusPanel(0, kVersionPanel);
  a.flags.SkipSaveOnClose = false;                           // 2
  a.flags.IsAdmin = false;
  a.flags.IsWinXP = false;
  a.flags.IsGerman = is_german_system(a);                    // 3
  view.SetLanguage(a.flags.IsGerman);

  std::string exe = sys.ExecutablePath();                    // 4
  a.paths.ProgramDir = exe.substr(0, exe.rfind('\\') + 1);
  a.paths.MainDBFile = a.paths.ProgramDir + "config\\zapotrix_mainDB.ini";
  a.paths.HostsListFile = a.paths.ProgramDir + "config\\zapotrix_hosts.dat";
  a.paths.MozillaFilterFile = a.paths.ProgramDir + "config\\zapotrix_mozilla.dat";
  a.paths.HandbookFile = a.paths.ProgramDir + "help\\zapotrix_handbuch.pdf";
  a.paths.NewMainDBFile = a.paths.ProgramDir + "config\\zapotrix_mainDB_new.ini";

  if (!FileExists(sys, a.paths.MainDBFile) || !FileExists(sys, a.paths.HostsListFile) ||  // 5
      !FileExists(sys, a.paths.MozillaFilterFile) || !FileExists(sys, a.paths.HandbookFile)) {
    ShowMissingFiles();
    a.flags.SkipSaveOnClose = true;
  }

  SetDefaults(a.settings);                                   // 6
  for (ListModel* l : {&a.ListView1, &a.rules.WCS, &a.rules.WDS, &a.rules.ADS, &a.rules.URL})
    l->sortDirection = 0;                                    // 7
  a.Timer1.SetInterval(kFastInterval);                       // 8
  view.SelectRuleTab(3);                                     // 9
  view.AddTrayIcon();                                        // 10
  view.SetHintPauses(250, 10000);                            // 11
  ClearHistory(a);                                           // 12
  a.flags.IsAdmin = check_admin(a);                          // 13
  std::string version = Get_Win_Version(a);                  // 14
  a.flags.IsNTFamily = version == "Win2k" || version == "WinXP";
  a.flags.IsWinXP = version == "WinXP";
  a.flags.HostsDirectory = GetHostsDirectory(sys, a.flags.IsNTFamily);  // 15
  RegIniRead(a.os.registry, a.settings);                     // 16

  if (a.settings.Main_Left == -1 || a.settings.Main_Top == -1) {  // 17
    int top = (view.ScreenHeight() - view.WindowHeight()) / 2;
    int left = (view.ScreenWidth() - view.WindowWidth()) / 2;
    view.MoveWindow(left, top);
  } else {
    view.MoveWindow(a.settings.Main_Left, a.settings.Main_Top);
  }
  view.SetSmallWindowEdits(std::to_string(a.settings.SmallWindowWidth),  // 18
                           std::to_string(a.settings.SmallWindowHeight));

  XCFG_Autostart(a);                                         // 19
  view.ProcessPendingMessages();

  if (a.settings.hosts_onstartup && a.settings.hosts) {     // 20
    // A file error here is shown, and the start-up goes on: the program must
    // not end up without its rules and its scan timer.
    try {
      if (check_host_access(a)) hosts_dat_to_winhost(a);
    } catch (const std::exception& e) {
      sys.MessageBox(e.what(), kAppCaption, kMbIconError);
    }
  }
  if (a.settings.Flash7 && a.flags.IsAdmin) Flash7change(a, 1);              // 21
  if (a.settings.Flash_MZ && a.flags.IsAdmin) Adfilter(a, "Mozilla", 1);     // 22
  if (a.flags.IsAdmin && a.flags.IsWinXP) SetAndStopServices(a);            // 23

  LoadMainDB(sys, a.paths.MainDBFile, a.rules);              // 24
  std::initializer_list<ListModel*> lists = {&a.ListView1, &a.rules.WCS, &a.rules.ADS,
                                             &a.rules.URL, &a.rules.WDS};
  for (ListModel* l : lists) {                               // 25
    ListviewSort(*l, 0, 0);
    view.ListChanged(l->id());
  }
  for (ListModel* l : lists) FitColumns(*l);

  view.EnableUpdaterAction(true);                            // 26
  view.RebuildTrayMenu();                                    // 27
  a.Timer1.SetEnabled(true);                                 // 28
  started_ = true;
  view.ProcessPendingMessages();
}

void ZapotrixMain::FitColumns(ListModel& list) {
  for (const auto& [column, width] : rowwidthLW(list.id(), app_.view.ListWidth(list.id()), list.size()))
    app_.view.SetColumnWidth(list.id(), column, width);
}

void ZapotrixMain::Timer1Timer() {
  // A tick that arrives while a cycle waits in one of its message-processing
  // points is skipped: a nested cycle would rebuild the snapshot under the
  // running pass.
  if (inCycle_) return;
  inCycle_ = true;
  struct Leave {
    bool& flag;
    ~Leave() { flag = false; }
  } leave{inCycle_};

  AppState& a = app_;
  GetOpenWindows(a);
  bool any = a.OpenWindows.count > 0;
  if (!any) {
    a.view.SetStatusPanel(6, kStandbyPanel);
    a.Timer1.SetInterval(kStandbyInterval);
  } else {
    XCFG_Interval();
    a.view.SetStatusPanel(6, Texts(a.flags.IsGerman).active);
  }

  if (any && !a.flags.IsPaused) {
    const Settings& s = a.settings;
    if (s.UseWDS) KillwindowWDS(a);
    if (s.UseURL) killwindowURL(a);
    if (s.UseADS) killwindowADS(a);
    if (s.UseWCS) killwindowWCS(a);
    if (s.FlashAX) killFlashAX(a);
    if (s.Notepad) {
      try {
        KillNotepad(a);
      } catch (const std::exception&) {
        // An error inside the Notepad killer's enumeration ends it for this cycle.
      }
    }
  }
  a.view.ProcessPendingMessages();
}

void ZapotrixMain::Timer_checkMessengerTimer() {
  app_.Timer_checkMessenger.SetEnabled(false);
  if (app_.flags.IsAdmin && app_.flags.IsWinXP) SetAndStopServices(app_);
}

void ZapotrixMain::XCFG_Interval() {
  static const struct {
    unsigned ms;
    const char* text;
  } modes[] = {{kFastInterval, " Fast Mode"}, {kNormalInterval, " Normal Mode"}, {kSlowInterval, " Slow Mode"}};
  int mode = app_.settings.interval;
  if (mode < 0 || mode > 2) return;
  app_.Timer1.SetInterval(modes[mode].ms);
  app_.view.SetStatusPanel(5, modes[mode].text);
}

void ZapotrixMain::ScannerPanel(int panel, const char* name, bool on) {
  const CoreTexts& t = Texts(app_.flags.IsGerman);
  app_.view.SetStatusPanel(panel, std::string(" ") + name + ": " + (on ? t.on : t.off));
}

void ZapotrixMain::XCFG_SCANNER_WDS() { ScannerPanel(1, "WDS", app_.settings.UseWDS); }
void ZapotrixMain::XCFG_SCANNER_URL() { ScannerPanel(2, "URL", app_.settings.UseURL); }
void ZapotrixMain::XCFG_SCANNER_ADS() { ScannerPanel(3, "ADS", app_.settings.UseADS); }
void ZapotrixMain::XCFG_SCANNER_WCS() { ScannerPanel(4, "WCS", app_.settings.UseWCS); }

void ZapotrixMain::Bypassmanager() {
  const CoreTexts& t = Texts(app_.flags.IsGerman);
  bool pause = !app_.flags.IsPaused;
  app_.flags.IsPaused = pause;
  app_.view.SetPauseLabelVisible(pause);
  app_.view.SetPauseActionCaption(pause ? t.actionContinue : t.actionStop);
  app_.view.SetTrayPauseCaption(pause ? t.trayContinue : t.trayStop);
}

bool ZapotrixMain::ProgramFilesPresent() {
  System& sys = app_.os.system;
  return FileExists(sys, app_.paths.MainDBFile) && FileExists(sys, app_.paths.HostsListFile) &&
         FileExists(sys, app_.paths.MozillaFilterFile);
}

void ZapotrixMain::ShowMissingFiles() {
  app_.os.system.MessageBox(Texts(app_.flags.IsGerman).missingFiles, kAppCaption, kMbIconWarning);
}

void ZapotrixMain::SaveAll() {
  RegIniSave(app_.os.registry, app_.settings);
  SaveMainDB(app_.os.system, app_.paths.MainDBFile, app_.rules, app_.flags.IsGerman);
  if (app_.flags.IsAdmin) {
    Flash7change(app_, 2);
    Adfilter(app_, "Mozilla", 2);
  }
}

void ZapotrixMain::FormClose() {
  if (app_.flags.SkipSaveOnClose) return;
  if (!ProgramFilesPresent()) {
    ShowMissingFiles();
    return;
  }
  app_.settings.Main_Left = app_.view.WindowLeft();
  app_.settings.Main_Top = app_.view.WindowTop();
  SaveAll();
}

void ZapotrixMain::Cleanup() {
  if (!started_) return;
  if (!ProgramFilesPresent()) {
    ShowMissingFiles();
    return;
  }
  SaveAll();
}

}  // namespace zt
