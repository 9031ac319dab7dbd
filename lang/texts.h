// Every text the program shows, in German and English: one table per
// language (lang/german.cpp, lang/english.cpp). The portable logic and the
// windows read them from here; no other file holds a text of either
// language. Texts are CP1252 bytes. Texts that are the same in both
// languages (the program's name, the version, the speed modes) are the
// constants at the end.
#pragma once
#include <initializer_list>
#include <string>

#include "platform/system.h"

namespace zt {

// The texts of the scan engine, the start-up order and the messages of the
// portable logic.
struct MessageTexts {
  const char* scannerOn = "";          // status panels 1-4: " WDS: " + on/off
  const char* scannerOff = "";
  const char* active = "";             // status panel 6 while browser windows are open
  const char* missingFiles = "";       // program files missing at start or quit
  const char* pausedLabel = "";        // Label1, visible while paused
  const char* actionStop = "";         // Action_zapotrixhalten after resuming
  const char* actionContinue = "";     // Action_zapotrixhalten while paused
  const char* trayStop = "";           // tray item with tag 2 while running
  const char* trayContinue = "";       // tray item with tag 2 while paused
  const char* dbWriteProtected = "";   // the rule database cannot be saved (read-only or missing)
  const char* valuesInvalid = "";      // a size field holds no number
  const char* serviceAccessDenied = "";
  const char* hostsReadOnly = "";      // the hosts file may not be written
  const char* backupReadOnly = "";     // the backup of the hosts file may not be written
  const char* hostsAccess = "";        // the hosts setting cannot be applied
  const char* restoreDefaults = "";    // question of the "Standard" button
  const char* profilePathError = "";   // the documents folder cannot be found
  const char* viewerMissing = "";      // no program opens the manual
  const char* handbookMissing = "";    // the manual's file is missing
  // A file that cannot be read or written ("%s": the path, then the folder).
  const char* cannotRead = "";
  const char* cannotWrite = "";
  const char* folderMissing = "";
  // Why a save failed, appended to the message that names the file.
  const char* causeDiskFull = "";
  const char* causeAccessDenied = "";
  const char* causeReadOnly = "";
  const char* causeOther = "";
  // The rule database could not be saved (followed by the cause).
  const char* dbSaveFailed = "";
  // Added when a save at the user's quit failed: the question whether to
  // quit anyway (Yes) or keep running (No).
  const char* quitAnyway = "";
  // Start-up failed; the error follows. A quit then ends without saving.
  const char* startupFailed = "";
  // A text the hosts list refuses as a host name ("%s": the text).
  const char* invalidHostName = "";
  // Import report ("%s": lines taken, lines skipped).
  const char* importReport = "";
  // At start on a system that lacks what Internet Explorer 4 brings ("%s":
  // the missing parts, one per line); the program ends after it.
  const char* systemTooOld = "";
};

// The names the history stores for the scanners that closed a window.
struct ScannerNames {
  const char* windowCaption = "";  // WCS
  const char* url = "";            // URL
  const char* keyword = "";        // ADS
  const char* windowSize = "";     // WDS
  const char* minSize = "";        // SmallWDS
  const char* flash = "";          // FlashAX
  const char* notepad = "";        // NTP
};

// The database updater window: its language routine's control texts, then
// the button captions and progress lines of a run.
struct UpdaterTexts {
  const char* caption = "";        // window caption
  const char* Label1 = "";
  const char* Label4 = "";
  const char* GroupBox1 = "";      // German in both languages
  const char* CheckBoxUPWDS = "";
  const char* CheckBoxUPURL = "";
  const char* CheckBoxUPADS = "";
  const char* CheckBoxUPWCS = "";
  const char* CheckBoxUpClear = "";
  const char* next = "";            // forward button before the update
  const char* finish = "";          // forward button at the end
  const char* cancel = "";          // close button before and during the update
  const char* close = "";           // close button at the end
  const char* connecting = "";      // first progress line
  const char* connected = "";       // download succeeded
  const char* receiving = "";       // merging
  const char* done = "";            // finished
  const char* failed = "";          // download failed
  // Why a run failed: the line after "failed".
  const char* noSignature = "";     // no signature beside the database
  const char* badSignature = "";    // a signature that does not match
  const char* untrustedKey = "";    // signed with a key not trusted
  const char* undated = "";         // a signature without timestamp
  const char* rolledBack = "";      // older than the database taken before
  const char* noRuleLists = "";     // none of the four sections
  const char* tooLarge = "";        // over the size limit
  const char* stalled = "";         // the server stopped sending
  const char* tookTooLong = "";     // over the overall time limit
  const char* checkFailed = "";     // the check or merge failed (out of memory)
  // Downloaded entries not taken ("%s": how many).
  const char* refused = "";
};

// The main window Tzapotrix_main: what its language routine writes into the
// controls, tooltips, menus and actions, and the texts the window builds at
// run time (tray menu, rule assistant rows). The German table is also the
// window's design: the window shows it before the routine runs.
struct MainWindowTexts {
  // Controls.
  const char* BTOpenRule = "";
  const char* BtURLAdd = "";
  const char* BtUrlDel = "";
  const char* Label1 = "";
  const char* GroupBox3 = "";
  const char* ListView1Column0 = "";
  const char* GroupBox7 = "";
  const char* Label2 = "";  // the no-wildcards note, empty in English
  const char* ListViewURLColumn0 = "";
  const char* GroupBoxWS = "";
  const char* ListViewWDSColumn0 = "";
  const char* ListViewWDSColumn1 = "";
  const char* GroupBox5 = "";
  const char* Label7 = "";
  const char* Label6 = "";
  const char* BtAddtoGrid = "";
  const char* BtRemWDS = "";
  const char* GroupBox6 = "";
  const char* Label10 = "";
  const char* Label11 = "";
  const char* CheckBoxSW = "";
  const char* GroupBoxADS = "";
  const char* ListViewADSColumn0 = "";
  const char* GroupBox1 = "";
  const char* Label3 = "";  // the no-wildcards note, empty in English
  const char* BtAddKey = "";
  const char* BTDelKey = "";
  const char* GroupBoxWCS = "";
  const char* ListViewWCSColumn0 = "";
  const char* GroupBox2 = "";
  const char* BtAdd = "";
  const char* ButtonRemove = "";
  const char* TabSet1[4] = {"", "", "", ""};  // 18 characters each
  // Tooltips.
  const char* BTOpenRuleHint = "";
  const char* BtAddKeyHint = "";
  const char* BTDelKeyHint = "";
  const char* ListViewADSHint = "";
  const char* BtURLAddHint = "";
  const char* BtUrlDelHint = "";
  const char* ListViewURLHint = "";
  const char* BtAddHint = "";
  const char* ButtonRemoveHint = "";
  const char* ListViewWCSHint = "";
  const char* BtAddtoGridHint = "";
  const char* BtRemWDSHint = "";
  const char* ListView1Hint = "";
  const char* ListViewWDSHint = "";
  // Menu bar items 1, 3 and 4 (item 2 is kMenuTools) and the actions.
  const char* MenuDatei = "";
  const char* MenuExtras = "";
  const char* MenuHilfe = "";
  const char* Action_zapotrixhalten = "";  // before the first pause
  const char* Action_close = "";
  const char* Action4_handbuch = "";
  const char* Action_produkte_news = "";
  const char* Action_zapotrix_anzeigen = "";
  const char* Action_DatenbankUpdater = "";
  const char* Action_Hostlisteneditor = "";
  const char* Action_Einstellungen = "";
  // Tray menu items (the pause item's captions are trayStop/trayContinue of
  // MessageTexts; " Statistik/History" is kTrayStatistik).
  const char* trayCreateRule = "";  // prefix of a browser window's item
  const char* trayShow = "";        // Item_Anzeigen
  const char* trayOptions = "";     // Item_Einstellungen
  const char* trayQuit = "";        // Item_Beenden
  // Row labels of the rule assistant's proposals.
  const char* ruleWindowCaption = "";
  const char* ruleWindowSize = "";
  const char* ruleKeywords = "";
  const char* ruleNoValue = "";
  // The tray icon's tooltip ("%s": the number of popups closed since start).
  const char* trayTipClosedOne = "";
  const char* trayTipClosedMany = "";
};

// The settings dialog TKonfiguration. Its other two messages, the hosts
// error and the "Standard" question, are hostsAccess and restoreDefaults of
// MessageTexts, which the hosts logic shows.
struct SettingsTexts {
  const char* caption = "";
  const char* TabSheet1 = "";
  const char* TabSheet5 = "";
  const char* TabSheet7 = "";
  const char* BT_Cancel = "";
  const char* BT_OK = "";
  const char* GroupBox3 = "";  // the general group
  const char* CheckBoxHint = "";
  const char* CheckBoxAutoStart = "";
  const char* GroupBoxScanner = "";
  const char* CheckBoxWDS = "";
  const char* CheckBoxURL = "";
  const char* CheckBoxADS = "";
  const char* CheckBoxWCS = "";
  const char* GroupBoxBrowser = "";
  const char* CheckBox_Firefox = "";
  // The browser families beyond the first three.
  const char* CheckBox_SeaMonkey = "";
  const char* CheckBox_Netscape = "";
  const char* CheckBox_Opera = "";
  const char* CheckBox_KMeleon = "";
  const char* CheckBox_Gecko = "";
  const char* CheckBox_Chromium = "";
  const char* CheckBoxFlashAX = "";
  const char* CheckBoxFlash7 = "";
  const char* GroupBoxAdFilter = "";
  const char* GroupBoxExtras = "";
  const char* CheckBox_Notepad = "";
  const char* CheckBox_Banner = "";
  const char* RadioButton_B127 = "";
  const char* RadioButton_B0 = "";
  const char* CheckBox_Check_host_on_start = "";
  const char* GroupBoxServices = "";
  const char* Button1 = "";  // all services
  const char* Button2 = "";  // no services
  // Tooltips.
  const char* BT_CancelHint = "";
  const char* BT_OKHint = "";
  const char* CheckBoxAutoStartHint = "";
  const char* CheckBoxHintHint = "";
  const char* CheckBoxADSHint = "";
  const char* CheckBoxURLHint = "";
  const char* CheckBoxWCSHint = "";
  const char* CheckBoxWDSHint = "";
  const char* RadioButton1Hint = "";
  const char* RadioButton2Hint = "";
  const char* RadioButton3Hint = "";
  const char* CheckBox_IEHint = "";
  const char* CheckBox_FirefoxHint = "";
  const char* CheckBox_MZHint = "";
  const char* CheckBox_SeaMonkeyHint = "";
  const char* CheckBox_NetscapeHint = "";
  const char* CheckBox_OperaHint = "";
  const char* CheckBox_KMeleonHint = "";
  const char* CheckBox_GeckoHint = "";
  const char* CheckBox_ChromiumHint = "";
  const char* CheckBoxFlash7Hint = "";
  const char* CheckBoxFlashAXHint = "";
  const char* CheckboxFlash_MZHint = "";
  const char* CheckBox_NotepadHint = "";
  const char* Button_hostDefHint = "";
  const char* CheckBox_BannerHint = "";
  const char* CheckBox_Check_host_on_startHint = "";
  const char* RadioButton_B0Hint = "";
  const char* RadioButton_B127Hint = "";
  // Dialog titles on older systems and restricted accounts.
  const char* titleWin9x = "";
  const char* titleRestricted = "";
  const char* titleRestrictedWin9x = "";
};

// The rule assistant TQvRule.
struct RuleAssistantTexts {
  const char* caption = "";
  const char* Label1 = "";
  const char* GroupBox2 = "";
  const char* ListViewRuleColumn1 = "";
  const char* ListViewRuleColumn2 = "";
  const char* Label2 = "";
  const char* BTRuleAdd = "";
  const char* BTcancel = "";
  const char* BTcancelHint = "";
  const char* BTRuleAddHint = "";
  const char* Button1Hint = "";
  const char* ListViewRuleHint = "";
  const char* noValue = "";  // the keyword row's placeholder until a keyword is added
  // The target column of rows 0, 2 and 3 (row 1 is kAssistantUrlRow).
  const char* rowCaption = "";
  const char* rowSize = "";
  const char* rowKeywords = "";
};

// The statistics and history window TQvStatistik.
struct StatisticsTexts {
  const char* ListViewHistoryColumn0 = "";
  const char* ListViewHistoryColumn1 = "";
  const char* ListViewHistoryColumn3 = "";
  const char* ListViewHistoryColumn4 = "";
  const char* ListViewHistoryColumn6 = "";
  const char* GroupBox1 = "";
  const char* Edit1 = "";
  const char* Edit2 = "";
  const char* Edit3 = "";
  const char* Edit4 = "";
  const char* Edit7 = "";
  const char* Edit5 = "";
  const char* Edit8 = "";
  const char* Button1 = "";
  const char* Button2 = "";
  const char* ListViewHistoryColumn7 = "";  // the rule that decided the closing
  const char* Regelentfernen1 = "";         // context menu of a history row
  // Prefixes of the counter lines.
  const char* countWindowSize = "";
  const char* countUrl = "";
  const char* countKeywords = "";
  const char* countCaption = "";
  const char* countFlash = "";
  const char* countNotepad = "";
  const char* countTotal = "";
  // Rule kind names.
  const char* kindWindowSize = "";
  const char* kindCaption = "";
  const char* kindKeyword = "";
};

// The hosts list editor THostlistenEditor.
struct HostsEditorTexts {
  const char* caption = "";
  const char* GroupBoxURL = "";
  const char* ListViewHostsColumn0 = "";
  const char* Label1 = "";
  const char* GroupBox7 = "";
  const char* BtHostsAdd = "";
  const char* Bt_clear = "";
  const char* BtHostsDel = "";
  const char* Bt_OK = "";
  const char* BT_Cancel = "";
  const char* Button_help = "";
  const char* Datei1 = "";
  const char* ImporthostsDateitxtformat1 = "";
  const char* ExportListtxt1 = "";
  const char* Fensterschliessen1 = "";
  const char* BT_CancelHint = "";
  const char* Bt_clearHint = "";
  const char* Bt_OKHint = "";
  const char* Button_helpHint = "";
  const char* BtHostsAddHint = "";
  const char* BtHostsDelHint = "";
  const char* countPrefix = "";    // Label1: prefix of the entry count
  const char* clearQuestion = "";  // question of the clear-list button
  const char* fileFilter = "";     // import and export dialogs
};

// The info window TINFO: its routine sets only these three labels.
struct InfoTexts {
  const char* Label4 = "";
  const char* Label9 = "";
  const char* Label7 = "";
};

// The rule that decided a closing, as the statistics window and the main
// window's status line name it, and taking it back.
struct RuleTexts {
  const char* minSize = "";         // the minimum-size rule ("%s": width, height limits)
  const char* setting = "";         // an extra killer's setting ("%s": its check box text)
  const char* wouldClose = "";      // first status panel for a chosen window ("%s": the rules)
  const char* wouldCloseNone = "";  // first status panel when no rule matches the chosen window
  const char* removeQuestion = "";  // before a list entry is removed ("%s": the rule)
  const char* offQuestion = "";     // before a rule or setting is switched off ("%s": the rule)
};

struct Texts {
  MessageTexts msg;
  MainWindowTexts main;
  ScannerNames scanner;
  UpdaterTexts updater;
  SettingsTexts settings;
  RuleAssistantTexts assistant;
  StatisticsTexts statistics;
  HostsEditorTexts hostsEditor;
  InfoTexts info;
  RuleTexts rules;
};

const Texts& GermanTexts();
const Texts& EnglishTexts();
inline const Texts& TextsFor(bool german) { return german ? GermanTexts() : EnglishTexts(); }

// The argument of every window's language routine SetLanguage.
constexpr int kLanguageEnglish = 0;
constexpr int kLanguageGerman = 1;

// The texts a window's language routine has chosen. SetLanguage(1) gives the
// German table, SetLanguage(0) the English one, any other value changes
// nothing; until it has run with 0 or 1 every text is empty. Section picks
// the window's part of the tables (the whole Texts for the main window).
template <class Section>
class WindowLanguage {
 public:
  using Select = const Section& (*)(const Texts&);
  explicit WindowLanguage(Select select) : select_(select) {}

  // True when the language was applied.
  bool Set(int language) {
    if (language != kLanguageGerman && language != kLanguageEnglish) return false;
    texts_ = &select_(TextsFor(language == kLanguageGerman));
    return true;
  }
  const Section& texts() const { return texts_ ? *texts_ : kEmpty; }

 private:
  static inline const Section kEmpty{};
  Select select_;
  const Section* texts_ = nullptr;
};

// The text with each "%s" replaced by the next argument, in order.
std::string Format(const char* text, std::initializer_list<std::string> args);

// A failed save's message: the head ("Could not save database.") and the
// cause in the language of the texts.
std::string SaveFailedText(const Texts& texts, const std::string& head, WriteError cause);

// The same in both languages.
constexpr const char* kAppCaption = "Zapotrix";
constexpr const char* kVersion = "1.2.0.90";
constexpr const char* kVersionPanel = " Zapotrix Version 1.2.0.90";
constexpr const char* kStandbyPanel = " Standby";
constexpr const char* kAlreadyRunning = "zapotrix is already running!";
constexpr const char* kFastModePanel = " Fast Mode";
constexpr const char* kNormalModePanel = " Normal Mode";
constexpr const char* kSlowModePanel = " Slow Mode";
// Status bar panels before anything updates them.
constexpr const char* kInitialPanels[7] = {" Zapotrix build 080", " WDS: An", " URL: An", " ADS: An",
                                           " WCS: An", " Fast Mode", " standby"};
// A rule list's entry ("ADS: casino"; "%s": the list's key, the entry), a
// size entry's pair ("%s": width, height), the separator of several rules.
constexpr const char* kRuleEntry = "%s: %s";
constexpr const char* kRuleSize = "%s x %s";
constexpr const char* kRuleSeparator = "; ";
// History titles of the extra killers.
constexpr const char* kFlashTitle = "Macromedia Flash Player";
constexpr const char* kNotepadTitle = "Notepad";
// The error box of an error that carries no text of its own.
constexpr const char* kUnknownError = "Unknown error";

// Design texts that no language routine changes: the windows show them in
// both languages.
// The main window.
constexpr const char* kMenuTools = "&Tools";
constexpr const char* kActionStatistik = "&Statistik/History";
constexpr const char* kActionInfo = "&Info";
constexpr const char* kTrayStatistik = " Statistik/History";
constexpr const char* kListView1Column1 = "URL";
constexpr const char* kListView1Column2 = "handle";
// The maker's home page (the help menu and the info window).
constexpr const char* kMakerHomePage = "http://www.veltrano.de";
// The settings dialog.
constexpr const char* kSettingsTabSheet2 = "Scanner";
constexpr const char* kSettingsTabSheet3 = "Browser";
constexpr const char* kSettingsTabSheet4 = "Flash/Ad-Filter";
constexpr const char* kSettingsGroupBoxInterval = " Scan Intervall ";
constexpr const char* kSettingsRadioButton1 = "Fast Mode (250 ms)";
constexpr const char* kSettingsRadioButton2 = "Normal Mode (500 ms)";
constexpr const char* kSettingsRadioButton3 = "Slow Mode (1 sec)";
constexpr const char* kSettingsCheckBox_IE = "Internet Explorer";
constexpr const char* kSettingsCheckBox_MZ = "Mozilla";
constexpr const char* kSettingsGroupBoxFlashIE = " Flash - Internet Explorer ";
constexpr const char* kSettingsCheckboxFlash_MZ = "Mozilla";
constexpr const char* kSettingsGroupBoxBanner = " Ad/Banner-Remove ";
constexpr const char* kSettingsButton_hostDef = "Standard";
constexpr const char* kSettingsServices[6] = {" Nachrichtendienst", " Warndienst", " Remote-Registrierung",
                                              " Fehlerberichterstattung ", " Automatische Updates ",
                                              " Systemwiederherstellung  "};
// The rule assistant.
constexpr const char* kAssistantButton1 = "+";
constexpr const char* kAssistantAdd = "hinzufügen";              // context menu hinzufgen1
constexpr const char* kAssistantDontAdd = "nicht hinzufügen";    // context menu nichthinzufgen1
constexpr const char* kAssistantUrlRow = "URL";
constexpr const char* kAssistantDitto = "           \"";        // eleven blanks and a double quote
// The statistics window.
constexpr const char* kStatisticsCaption = "Statistik / History";
constexpr const char* kStatisticsColumn2 = "URL";
constexpr const char* kStatisticsColumn5 = "Scanner";
constexpr const char* kStatisticsHelpTopic = "Statistik/History";
// The hosts list editor.
constexpr const char* kHostsConfirmTitle = "Bestätigen";
constexpr const char* kHostsConfirmYes = "&Ja";
constexpr const char* kHostsConfirmNo = "&Nein";
constexpr const char* kHostsExportTitle = "Datenbank exportieren als:";
constexpr const char* kHostsHelpTopic = "Hostlisten-Editor";
// The info window.
constexpr const char* kInfoCaption = "Info";
constexpr const char* kInfoLabel1 = "Zapotrix";
constexpr const char* kInfoLabel3 = "Version 1.2.0.90";
constexpr const char* kInfoLabel2 = "© 2003-2005 veltrano software";
constexpr const char* kInfoLabel5 = "www.veltrano.de";
constexpr const char* kInfoLabel6 = "www.zapotrix-vertrieb.de";
constexpr const char* kDistributorHomePage = "http://www.zapotrix-vertrieb.de";
constexpr const char* kInfoLabel8 = "powered by";
constexpr const char* kInfoButton1 = "Ok";

}  // namespace zt
