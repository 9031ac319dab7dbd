// Start-up order, scan cycle, pause switch and end of the program.
#include "app/zapotrix_main.h"

#include <exception>

#include "app/database_place.h"
#include "engine/history.h"
#include "engine/killers.h"
#include "engine/scanners.h"
#include "engine/snapshot.h"
#include "hosts/hosts_file.h"
#include "lang/texts.h"
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

void ZapotrixMain::Start() {
  try {
    FormCreate();
  } catch (const std::exception& e) {
    startFailed_ = true;
    app_.os.system.MessageBox(std::string(app_.texts().msg.startupFailed) + "\n" + e.what(), kAppCaption,
                              kMbIconError);
  }
}

QuitAnswer ZapotrixMain::QuitRequested() const {
  if (startFailed_) return QuitAnswer::EndWithoutSaving;
  return started_ ? QuitAnswer::SaveAndEnd : QuitAnswer::Wait;
}

CloseStep ZapotrixMain::Close(QuitBy by) {
  switch (QuitRequested()) {
    case QuitAnswer::Wait: return CloseStep::Wait;
    case QuitAnswer::EndWithoutSaving: return CloseStep::End;
    case QuitAnswer::SaveAndEnd: break;
  }
  if (quitAsking_ && by == QuitBy::User) return CloseStep::Stay;
  quitAsking_ = true;
  // Cleared however the save ends: after an error box a later quit may try again.
  struct Asking {
    bool& flag;
    ~Asking() { flag = false; }
  } asking{quitAsking_};
  return FormClose(by) ? CloseStep::End : CloseStep::Stay;
}

void ZapotrixMain::FormCreate() {
  AppState& a = app_;
  MainView& view = a.view;
  System& sys = a.os.system;

  // Design-time state of the timers.
  a.Timer1.SetEnabled(false);
  a.Timer_checkMessenger.SetInterval(kCheckMessengerInterval);
  a.Timer_checkMessenger.SetEnabled(true);

  view.SetCaption(kAppCaption);
  view.SetStatusPanel(0, kVersionPanel);
  a.flags.SkipSaveOnClose = false;
  a.flags.IsAdmin = false;
  a.flags.IsWinXP = false;
  // The language comes first: every later text is in it.
  a.flags.IsGerman = is_german_system(sys);
  view.SetLanguage(a.flags.IsGerman ? kLanguageGerman : kLanguageEnglish);

  // The program's files beside the executable; without them nothing is
  // saved at the end, so that a broken installation is not made worse.
  std::string exe = sys.ExecutablePath();
  a.paths.ProgramDir = exe.substr(0, exe.rfind('\\') + 1);
  a.paths.HostsListFile = a.paths.ProgramDir + "config\\zapotrix_hosts.dat";
  a.paths.MozillaFilterFile = a.paths.ProgramDir + "config\\zapotrix_mozilla.dat";
  a.paths.HandbookFile = a.paths.ProgramDir + "help\\zapotrix_handbuch.pdf";
  if (!ProgramFilesPresent() || !FileExists(sys, a.paths.HandbookFile)) {
    ShowMissingFiles();
    a.flags.SkipSaveOnClose = true;
  }
  // The rule database: the installed one, or this user's copy where the
  // user may not write the program folder.
  DatabasePlace db = ChooseDatabasePlace(sys, a.os.shell, a.paths.ProgramDir);
  a.paths.MainDBFile = db.MainDBFile;
  a.paths.NewMainDBFile = db.NewMainDBFile;

  // The window's state before the stored settings arrive.
  SetDefaults(a.settings);
  for (ListModel* l : {&a.engine.ListView1, &a.rules.WCS, &a.rules.WDS, &a.rules.ADS, &a.rules.URL})
    l->sortDirection = 0;
  a.Timer1.SetInterval(kFastInterval);
  view.SelectRuleTab(3);
  view.AddTrayIcon();
  view.SetHintPauses(250, 10000);
  a.engine.history.clear();
  a.engine.historyCounts = {};

  // What this system allows, then the stored settings.
  a.flags.IsAdmin = check_admin(a.os.registry);
  std::string version = Get_Win_Version(sys);
  a.flags.IsNTFamily = version == "Win2k" || version == "WinXP";
  a.flags.IsWinXP = version == "WinXP";
  a.flags.HostsDirectory = GetHostsDirectory(sys, a.flags.IsNTFamily);
  a.os.desktop.ReadCaptionsInUnicode(a.flags.IsNTFamily);
  RegIniRead(a.os.registry, a.settings);
  // Panels 1 to 4 show each scanner as the settings have it, in the
  // language, from here on (the window's design shows them all on, in German).
  XCFG_SCANNER_WDS();
  XCFG_SCANNER_URL();
  XCFG_SCANNER_ADS();
  XCFG_SCANNER_WCS();

  if (a.settings.Main_Left == -1 || a.settings.Main_Top == -1) {
    int top = (view.ScreenHeight() - view.WindowHeight()) / 2;
    int left = (view.ScreenWidth() - view.WindowWidth()) / 2;
    view.MoveWindow(left, top);
  } else {
    view.MoveWindow(a.settings.Main_Left, a.settings.Main_Top);
  }
  view.SetSmallWindowEdits(std::to_string(a.settings.SmallWindowWidth),
                           std::to_string(a.settings.SmallWindowHeight));

  // The system follows the settings: autostart, hosts file, filters, services.
  XCFG_Autostart(a.Autostart(), a.settings.AutoStart);
  view.ProcessPendingMessages();
  // A file error here is shown, and the start-up goes on: the program must
  // not end up without its rules and its scan timer.
  try {
    HostsEnv hosts = a.Hosts();
    // Windows 95/98/Me: blocking that an earlier version wrote into
    // hosts.sam, which no resolver reads, moves to HOSTS once.
    bool moved = ReturnLegacyBackup(hosts);
    if (a.settings.hosts && (a.settings.hosts_onstartup || moved) && check_host_access(hosts))
      hosts_dat_to_winhost(hosts, a.settings.host_ip);
  } catch (const std::exception& e) {
    sys.MessageBox(e.what(), kAppCaption, kMbIconError);
  }
  if (a.settings.Flash7 && a.flags.IsAdmin) Flash7change(a.os.registry, kFilterInstall);
  if (a.settings.Flash_MZ && a.flags.IsAdmin) Adfilter(a.Filters(), "Mozilla", kFilterInstall);
  if (a.flags.IsAdmin && a.flags.IsWinXP) SetAndStopServices(a.Services(), a.settings);

  // The rules, sorted and shown; then the scanning starts.
  LoadMainDB(sys, a.paths.MainDBFile, a.rules);
  std::initializer_list<ListModel*> lists = {&a.engine.ListView1, &a.rules.WCS, &a.rules.ADS,
                                             &a.rules.URL, &a.rules.WDS};
  for (ListModel* l : lists) {
    ListviewSort(*l, 0, 0);
    view.ListChanged(l->id());
  }
  for (ListModel* l : lists) FitColumns(view, *l);
  rulesLoaded_ = true;
  view.EnableUpdaterAction(true);
  view.RebuildTrayMenu();
  a.Timer1.SetEnabled(true);
  started_ = true;
  view.ProcessPendingMessages();
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
  ScanContext ctx = a.Scan();
  GetOpenWindows(ctx);
  bool any = a.engine.OpenWindows.count > 0;
  if (!any) {
    a.view.SetStatusPanel(6, kStandbyPanel);
    a.Timer1.SetInterval(kStandbyInterval);
  } else {
    XCFG_Interval();
    a.view.SetStatusPanel(6, a.texts().msg.active);
  }

  if (any && !a.flags.IsPaused) RunPasses(ctx, true);
  UpdateTrayTip();
  a.view.ProcessPendingMessages();
}

void ZapotrixMain::RunPasses(const ScanContext& ctx, bool withNotepad) {
  const Settings& s = app_.settings;
  if (s.UseWDS) KillwindowWDS(ctx);
  if (s.UseURL) killwindowURL(ctx);
  if (s.UseADS) killwindowADS(ctx);
  if (s.UseWCS) killwindowWCS(ctx);
  if (s.FlashAX) killFlashAX(ctx);
  if (s.Notepad && withNotepad) {
    try {
      KillNotepad(ctx);
    } catch (const std::exception&) {
      // An error inside the Notepad killer's enumeration ends it for this cycle.
    }
  }
}

CheckOutcome ZapotrixMain::CheckWindowNow(WindowHandle window) {
  if (inCycle_ || !started_) return CheckOutcome::Busy;
  inCycle_ = true;
  struct Leave {
    bool& flag;
    ~Leave() { flag = false; }
  } leave{inCycle_};

  AppState& a = app_;
  ScanContext ctx = a.Scan();
  SingleWindowSnapshot one(ctx, window);
  if (!one.recorded()) return CheckOutcome::NotABrowserWindow;
  if (a.Timer1.Interval() == kStandbyInterval) {
    XCFG_Interval();
    a.view.SetStatusPanel(6, a.texts().msg.active);
  }
  if (!a.flags.IsPaused) RunPasses(ctx, false);
  UpdateTrayTip();
  return CheckOutcome::Checked;
}

void ZapotrixMain::UpdateTrayTip() {
  unsigned long closed = app_.engine.closedSinceStart;
  if (trayTip_.Due(app_.os.system.TickCount(), closed)) app_.view.SetTrayTip(TrayTipText(app_.texts(), closed));
}

void ZapotrixMain::Timer_checkMessengerTimer() {
  app_.Timer_checkMessenger.SetEnabled(false);
  if (app_.flags.IsAdmin && app_.flags.IsWinXP) SetAndStopServices(app_.Services(), app_.settings);
}

void ZapotrixMain::XCFG_Interval() {
  static const struct {
    unsigned ms;
    const char* text;
  } modes[] = {{kFastInterval, kFastModePanel}, {kNormalInterval, kNormalModePanel}, {kSlowInterval, kSlowModePanel}};
  int mode = app_.settings.interval;
  if (mode < 0 || mode > 2) return;
  app_.Timer1.SetInterval(modes[mode].ms);
  app_.view.SetStatusPanel(5, modes[mode].text);
}

void ZapotrixMain::ScannerPanel(int panel, const char* name, bool on) {
  const MessageTexts& t = app_.texts().msg;
  app_.view.SetStatusPanel(panel, std::string(" ") + name + ": " + (on ? t.scannerOn : t.scannerOff));
}

void ZapotrixMain::XCFG_SCANNER_WDS() { ScannerPanel(1, "WDS", app_.settings.UseWDS); }
void ZapotrixMain::XCFG_SCANNER_URL() { ScannerPanel(2, "URL", app_.settings.UseURL); }
void ZapotrixMain::XCFG_SCANNER_ADS() { ScannerPanel(3, "ADS", app_.settings.UseADS); }
void ZapotrixMain::XCFG_SCANNER_WCS() { ScannerPanel(4, "WCS", app_.settings.UseWCS); }

void ZapotrixMain::Bypassmanager() {
  const MessageTexts& t = app_.texts().msg;
  bool pause = !app_.flags.IsPaused;
  app_.flags.IsPaused = pause;
  app_.view.SetPauseLabelVisible(pause);
  app_.view.SetPauseActionCaption(pause ? t.actionContinue : t.actionStop);
  app_.view.SetTrayPauseCaption(pause ? t.trayContinue : t.trayStop);
}

bool ZapotrixMain::ProgramFilesPresent() {
  System& sys = app_.os.system;
  return FileExists(sys, app_.paths.ProgramDir + kMainDBRelative) && FileExists(sys, app_.paths.HostsListFile) &&
         FileExists(sys, app_.paths.MozillaFilterFile);
}

void ZapotrixMain::ShowMissingFiles() {
  app_.os.system.MessageBox(app_.texts().msg.missingFiles, kAppCaption, kMbIconWarning);
}

std::string ZapotrixMain::SaveAll(bool quiet) {
  System& sys = app_.os.system;
  const Texts& texts = app_.texts();
  // A settings error does not keep the rules from being saved.
  std::string failed;
  try {
    RegIniSave(app_.os.registry, app_.settings);
  } catch (const RegistryError& e) {
    failed = e.what();
  }
  if (SaveMainDB(sys, app_.paths.MainDBFile, app_.rules, texts, quiet) == DbSave::Failed) {
    if (!failed.empty()) failed += "\n";
    failed += SaveFailedText(texts, texts.msg.dbSaveFailed, sys.LastWriteError());
  }
  if (app_.flags.IsAdmin) {
    Flash7change(app_.os.registry, kFilterRemove);
    Adfilter(app_.Filters(), "Mozilla", kFilterRemove);
  }
  return failed;
}

bool ZapotrixMain::FormClose(QuitBy by) {
  if (app_.flags.SkipSaveOnClose) return true;
  const bool quiet = by == QuitBy::Setup;
  if (!ProgramFilesPresent()) {
    if (!quiet) ShowMissingFiles();
    return true;
  }
  app_.settings.Main_Left = app_.view.WindowLeft();
  app_.settings.Main_Top = app_.view.WindowTop();
  std::string failed = SaveAll(quiet);
  if (failed.empty() || quiet) return true;
  // Keeping the program running lets the user make room and quit again,
  // but it must never be the only way out. "No" is the default: a stray
  // Enter keeps the rules.
  int answer = app_.os.system.MessageBox(failed + "\n\n" + app_.texts().msg.quitAnyway, kAppCaption,
                                         kMbYesNo | kMbIconError | kMbDefButton2);
  return answer == kIdYes;
}

void ZapotrixMain::Cleanup() {
  if (!started_ || startFailed_) return;
  if (!ProgramFilesPresent()) {
    ShowMissingFiles();
    return;
  }
  // The session ends whatever happens: say what could not be saved.
  std::string failed = SaveAll(false);
  if (!failed.empty()) app_.os.system.MessageBox(failed, kAppCaption, kMbIconError);
}

}  // namespace zt
