// The English texts.
#include "lang/texts.h"

namespace zt {
namespace {

MainWindowTexts MainWindow() {
  MainWindowTexts m;
  m.BTOpenRule = "Rules";
  m.BtURLAdd = "Add to List";
  m.BtUrlDel = "Remove";
  m.Label1 = "Zapotrix paused";
  m.GroupBox3 = " Active Browser Window ";
  m.ListView1Column0 = "Active Windows";
  m.GroupBox7 = " add/change URL ";
  m.Label2 = "";
  m.ListViewURLColumn0 = "Address";
  m.GroupBoxWS = " Window Size Scanner (WDS) ";
  m.ListViewWDSColumn0 = "Width";
  m.ListViewWDSColumn1 = "Height";
  m.GroupBox5 = " add/change Windowsize ";
  m.Label7 = "Width";
  m.Label6 = "Height";
  m.BtAddtoGrid = "Add to List";
  m.BtRemWDS = "Remove";
  m.GroupBox6 = " Minimum Windowsize ";
  m.Label10 = "Width";
  m.Label11 = "Height";
  m.CheckBoxSW = " close all windows with smaller size ";
  m.GroupBoxADS = " Keyword Scanner (ADS) ";
  m.ListViewADSColumn0 = "Keywords";
  m.GroupBox1 = " add new keywords ";
  m.Label3 = "";
  m.BtAddKey = "Add to List";
  m.BTDelKey = "Remove";
  m.GroupBoxWCS = " Window Caption Scanner (WCS) ";
  m.ListViewWCSColumn0 = "Window Caption";
  m.GroupBox2 = " add/change Window Caption ";
  m.BtAdd = "Add to List";
  m.ButtonRemove = "Remove";
  m.TabSet1[0] = "    Windowsize    ";
  m.TabSet1[1] = "        URL       ";
  m.TabSet1[2] = "     Keywords     ";
  m.TabSet1[3] = "  Window Caption  ";

  m.BTOpenRuleHint = "Starts the Rule Assistant for selected entry.";
  m.BtAddKeyHint = "Adds edited keyword to list";
  m.BTDelKeyHint = "Removes selected keyword from list";
  m.ListViewADSHint = "Every Entry will be checked for every browser window";
  m.BtURLAddHint = "Adds edited URL to list";
  m.BtUrlDelHint = "Removes selected URL from list";
  m.ListViewURLHint = "Every Entry will be checked for every browser window";
  m.BtAddHint = "Adds selected window to list";
  m.ButtonRemoveHint = "Removes selected entry from list";
  m.ListViewWCSHint = "Every Entry will be checked for every browser window";
  m.BtAddtoGridHint = "Adds Width and Height to list";
  m.BtRemWDSHint = "Removes selected entry from list";
  m.ListView1Hint = "Shows all active browser windows";
  m.ListViewWDSHint = "Every Entry will be checked for every browser window";

  m.MenuDatei = "&File";
  m.MenuExtras = "&Extra";
  m.MenuHilfe = "&Help";
  m.Action_zapotrixhalten = "&Stop Zapotrix";
  m.Action_close = "&Quit";
  m.Action4_handbuch = "Zapotrix-Manual&buch (pdf)";
  m.Action_produkte_news = "Veltrano-Homepage";
  m.Action_zapotrix_anzeigen = "Show Zapotrix";
  m.Action_DatenbankUpdater = "&Database-Update";
  m.Action_Hostlisteneditor = "&Hostlist-Editor (Banner-Remove)";
  m.Action_Einstellungen = "&Configuration";

  m.trayCreateRule = "Create Rule: ";
  m.trayShow = " Show zapotrix";
  m.trayOptions = " Options";
  m.trayQuit = " Quit";
  m.ruleWindowCaption = "Window Caption";
  m.ruleWindowSize = "Window Size";
  m.ruleKeywords = "Keywords";
  m.ruleNoValue = "none defined";
  m.trayTipClosedOne = "Zapotrix – %s popup closed";
  m.trayTipClosedMany = "Zapotrix – %s popups closed";
  return m;
}

UpdaterTexts UpdaterWindow() {
  UpdaterTexts u;
  u.caption = "Database Updater";
  u.Label1 = "Zapotrix Database Updater";
  u.Label4 = "The Updater searches for new data for your database";
  u.GroupBox1 = " Datenbank aktualisieren ";
  u.CheckBoxUPWDS = "Window Size Scanner";
  u.CheckBoxUPURL = "URL-Scanner";
  u.CheckBoxUPADS = "Keyword-Scanner";
  u.CheckBoxUPWCS = "Window Caption Scanner";
  u.CheckBoxUpClear = "Don not overwrite existing data";
  u.next = "Next";
  u.finish = "Finish";
  u.cancel = "Cancel";
  u.close = "Close";
  u.connecting = "Connecting to server ...";
  u.connected = "Connection etablished ...";
  u.receiving = "Receiving new data ...";
  u.done = "done...";
  u.failed = "Error on update";
  u.noSignature = "The database has no signature.";
  u.badSignature = "The signature does not match the database.";
  u.untrustedKey = "Signed with a key that is not trusted.";
  u.undated = "The signature carries no date.";
  u.rolledBack = "Older than the database taken before.";
  u.noRuleLists = "The download holds no rule lists.";
  u.tooLarge = "The download is too large.";
  u.stalled = "The server stopped sending.";
  u.tookTooLong = "The download took too long.";
  u.checkFailed = "The check failed (not enough memory).";
  u.refused = "%s entries not taken (blank or too general).";
  return u;
}

SettingsTexts SettingsDialog() {
  SettingsTexts k;
  k.caption = "Configuration";
  k.TabSheet1 = "Misc";
  k.TabSheet5 = "Extra";
  k.TabSheet7 = "Services";
  k.BT_Cancel = "Cancel";
  k.BT_OK = "OK";
  k.GroupBox3 = "Misc ";
  k.CheckBoxHint = "Show Hints";
  k.CheckBoxAutoStart = "Run with Windows";
  k.GroupBoxScanner = " Active Scanners ";
  k.CheckBoxWDS = "Use Window Size Scanner (WDS)";
  k.CheckBoxURL = "Use URL-Scanner (URS)";
  k.CheckBoxADS = "Use Keyword-Scanner (ADS)";
  k.CheckBoxWCS = "Use Window Caption Scanner (WCS)";
  k.GroupBoxBrowser = " Used browsers ";
  k.CheckBox_Firefox = "Mozilla Firefox (No Tab Support)";
  k.CheckBox_SeaMonkey = "SeaMonkey";
  k.CheckBox_Netscape = "Netscape 7 and 8";
  k.CheckBox_Opera = "Opera 7 to 12";
  k.CheckBox_KMeleon = "K-Meleon";
  k.CheckBox_Gecko = "Pale Moon, New Moon, Serpent, Mypal, RetroZilla";
  k.CheckBox_Chromium = "Google Chrome, Chromium, Supermium";
  k.CheckBoxFlashAX = "Remove Flash-Movies (Filter bis Version 6)";
  k.CheckBoxFlash7 = "Suppress Flash-Movies (Hard-Remove Versionen 1-7)";
  k.GroupBoxAdFilter = " Ad-Filter (filtering Flash, banners, ad-graphics ";
  k.GroupBoxExtras = " Extra ";
  k.CheckBox_Notepad = "Stop Notepad";
  k.CheckBox_Banner = "Remove ad-banner (activates new host list)";
  k.RadioButton_B127 = "Write 127.0.0.1 (recommended)";
  k.RadioButton_B0 = "Write 0.0.0.0";
  k.CheckBox_Check_host_on_start = "Set new host list on startup";
  k.GroupBoxServices = " Deactivate MS-Services (Windows XP only) ";
  k.Button1 = "All";
  k.Button2 = "None";

  k.BT_CancelHint = "Leaves the Configuration Window without change";
  k.BT_OKHint = "The new Options will be set";
  k.CheckBoxAutoStartHint = "The Programm will be started with windows";
  k.CheckBoxHintHint = "Hints will be showed";
  k.CheckBoxADSHint = "The Keyword Scanner (ADS) will be used";
  k.CheckBoxURLHint = "The URL Scanner will be used";
  k.CheckBoxWCSHint = "The Window Caption Scanner (WCS) will be used";
  k.CheckBoxWDSHint = "The Window Size Scanner (WDS) will be used";
  k.RadioButton1Hint = "Fast Scan Speed: All popups will be closed immediately";
  k.RadioButton2Hint = "Normal Scan Speed: All popups will be closed after 500 ms.";
  k.RadioButton3Hint = "Slow Scan Speed: All popups will be closed after 1 second.";
  k.CheckBox_IEHint = "Check it if you use Internet Explorer";
  k.CheckBox_FirefoxHint = "Check it if you use Mozilla Firefox";
  k.CheckBox_MZHint = "Check it if you use Mozilla";
  k.CheckBox_SeaMonkeyHint = "Check it if you use SeaMonkey";
  k.CheckBox_NetscapeHint = "Check it if you use Netscape";
  k.CheckBox_OperaHint = "Check it if you use Opera";
  k.CheckBox_KMeleonHint = "Check it if you use K-Meleon";
  k.CheckBox_GeckoHint = "Check it if you use one of these browsers";
  k.CheckBox_ChromiumHint = "Check it if you use one of these browsers";
  k.CheckBoxFlash7Hint = "Removes Macromedia Flash Movies (V7 and up)";
  k.CheckBoxFlashAXHint = "Removes Macromedia Flash Movies (V1-V6)";
  k.CheckboxFlash_MZHint = "Removes Macromedia Flash Movies and Ads";
  k.CheckBox_NotepadHint = "Notepad will be stopped";
  k.Button_hostDefHint = "The hostfile will be set to default.";
  k.CheckBox_BannerHint = "Setting a new hostlist will remove Ad-banners.";
  k.CheckBox_Check_host_on_startHint = "New hostlist will be set on startup.";
  k.RadioButton_B0Hint = "Writes address 0.0.0.0 in hostlist.";
  k.RadioButton_B127Hint = "Writes address 127.0.0.1 in hostlist.";

  k.titleWin9x = "Configuration (Win9x)";
  k.titleRestricted = "Configuration (Restricted Account)";
  k.titleRestrictedWin9x = "Configuration (Restricted Account, Win9x)";
  return k;
}

RuleAssistantTexts RuleAssistantWindow() {
  RuleAssistantTexts r;
  r.caption = "Rule Assistant";
  r.Label1 = "Add Rule";
  r.GroupBox2 = " Rule List ";
  r.ListViewRuleColumn1 = "Rule List";
  r.ListViewRuleColumn2 = "Description/Value";
  r.Label2 = "Add Keywords:";
  r.BTRuleAdd = "use Rule List";
  r.BTcancel = "Cancel";
  r.BTcancelHint = "The Rule Assistant will close without adding the rules";
  r.BTRuleAddHint = "All Rules will be added to the lists";
  r.Button1Hint = "The keyword will be added to the Rule List";
  r.ListViewRuleHint = "Shows all Rules which will be added to the lists";
  r.noValue = "none defined";
  r.rowCaption = "Window Caption";
  r.rowSize = "Window Size";
  r.rowKeywords = "Keywords";
  return r;
}

RuleTexts RuleRecordTexts() {
  RuleTexts r;
  r.minSize = "Minimum size: %s x %s";
  r.setting = "Setting: %s";
  r.wouldClose = "Would be closed by: %s";
  r.wouldCloseNone = "No rule would close this window";
  r.removeQuestion = "Remove the rule \"%s\"?";
  r.offQuestion = "Switch off \"%s\"?";
  return r;
}

StatisticsTexts StatisticsWindow() {
  StatisticsTexts s;
  s.ListViewHistoryColumn0 = "No.";
  s.ListViewHistoryColumn1 = "Window Caption";
  s.ListViewHistoryColumn3 = "Width";
  s.ListViewHistoryColumn4 = "Height";
  s.ListViewHistoryColumn6 = "Time";
  s.GroupBox1 = " closed Popups / Extras ";
  s.Edit1 = "Window Size : ";
  s.Edit2 = "URL : ";
  s.Edit3 = "Keywords : ";
  s.Edit4 = "Window Caption : ";
  s.Edit7 = "Flash movies removed : ";
  s.Edit5 = "Notepad blocked : ";
  s.Edit8 = "sum : ";
  s.Button1 = "OK";
  s.Button2 = "Help";
  s.ListViewHistoryColumn7 = "Rule";
  s.Regelentfernen1 = "Remove rule";
  s.countWindowSize = "Window Size : ";
  s.countUrl = "URL : ";
  s.countKeywords = "Keywords : ";
  s.countCaption = "Window Caption : ";
  s.countFlash = "Flash movies removed : ";
  s.countNotepad = "Notepad blocked : ";
  s.countTotal = "sum : ";
  s.kindWindowSize = "Window Size";
  s.kindCaption = "Window Caption";
  s.kindKeyword = "Keyword";
  return s;
}

HostsEditorTexts HostsEditorWindow() {
  HostsEditorTexts h;
  h.caption = "Hostlist-Editor";
  h.GroupBoxURL = "Database entries ";
  h.ListViewHostsColumn0 = "URL/IP-Address";
  h.Label1 = "Database entries: ";
  h.GroupBox7 = " add/change URL/IP-Address ";
  h.BtHostsAdd = "Add to list";
  h.Bt_clear = "Clear List";
  h.BtHostsDel = "Remove";
  h.Bt_OK = "OK";
  h.BT_Cancel = "Cancel";
  h.Button_help = "Help";
  h.Datei1 = "File";
  h.ImporthostsDateitxtformat1 = " Import hosts-Datei (.txt)";
  h.ExportListtxt1 = " Export List (.txt)";
  h.Fensterschliessen1 = " Close";
  h.BT_CancelHint = "The editor will close without changing the options";
  h.Bt_clearHint = "Clears the list";
  h.Bt_OKHint = "The editor will close. Changed Options will be set.";
  h.Button_helpHint = "Shows the help";
  h.BtHostsAddHint = "Adds edited URL to list";
  h.BtHostsDelHint = "Removes selected URL from list";
  h.countPrefix = "Database entries: ";
  h.clearQuestion = "Do you really want to clear the whole database?";
  h.fileFilter = "Textfile (*.txt)|*.txt|all files (*.*)|*.*";
  return h;
}

InfoTexts InfoWindow() {
  InfoTexts i;
  i.Label4 = "For updates and information";
  i.Label9 = "visit our websites:";
  i.Label7 = "Distribution and Updates:";
  return i;
}

}  // namespace

const Texts& EnglishTexts() {
  static const Texts t = {
      // msg
      {
          "ON",
          "OFF",
          " Active",
          "One or more files missing! Please reinstall zapotrix",
          "Zapotrix paused",
          "stop &Zapotrix",
          "continue &blocking",
          " stop blocking",
          " continue blocking",
          "Could not save database. File is write protected.",
          "Values invalid. Please check your input!",
          "Access to Service Manager denied.\n\rPlease check that your have administrator rights.",
          "Error accessing host-file. File is write protected.",
          "Fehler beim Zugriff auf das Backup der Host-Datei. Datei ist schreibgeschützt!",
          "Error accessing host file.",
          "Do you really want to restore defaults?",
          "Error getting menu path.",
          "Could not found Adobe Acrobat Reader 5",
          "Could not found \"zapotrix_handbuch.pdf\"",
          "Cannot read the file \"%s\".",
          "Cannot write the file \"%s\".",
          "Cannot write the file \"%s\": the folder \"%s\" does not exist.",
          "The disk is full.",
          "Access is denied.",
          "The file is write protected.",
          "The file could not be written.",
          "Could not save database.",
          "Quit anyway? The changes made since Zapotrix started will then be lost.\n\n"
          "Choose No to keep Zapotrix running: free some space or fix the access, then quit again.",
          "Zapotrix could not start:",
          "\"%s\" is not a host name. A host name consists of letters, digits, '.', '-' and '_' (at most 253 characters).",
          "%s host names imported, %s lines skipped.",
          "Zapotrix needs Internet Explorer 4 or later. This computer lacks:\n\n%s\n"
          "Please install Internet Explorer 4 or later, then start Zapotrix again.",
      },
      MainWindow(),
      // scanner
      {"Window Caption", "URL", "Keyword", "Windowsize", "MinSize", "Flashremove", "Notepad"},
      UpdaterWindow(),
      SettingsDialog(),
      RuleAssistantWindow(),
      StatisticsWindow(),
      HostsEditorWindow(),
      InfoWindow(),
      RuleRecordTexts(),
  };
  return t;
}

}  // namespace zt
