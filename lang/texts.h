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
  const char* scannerOn;          // status panels 1-4: " WDS: " + on/off
  const char* scannerOff;
  const char* active;             // status panel 6 while browser windows are open
  const char* missingFiles;       // program files missing at start or quit
  const char* pausedLabel;        // Label1, visible while paused
  const char* actionStop;         // Action_zapotrixhalten after resuming
  const char* actionContinue;     // Action_zapotrixhalten while paused
  const char* trayStop;           // tray item with tag 2 while running
  const char* trayContinue;       // tray item with tag 2 while paused
  const char* dbWriteProtected;   // the rule database cannot be saved (read-only or missing)
  const char* valuesInvalid;      // a size field holds no number
  const char* serviceAccessDenied;
  const char* hostsReadOnly;      // the hosts file may not be written
  const char* backupReadOnly;     // the backup of the hosts file may not be written
  const char* hostsAccess;        // the hosts setting cannot be applied
  const char* restoreDefaults;    // question of the "Standard" button
  const char* profilePathError;   // the documents folder cannot be found
  const char* viewerMissing;      // no program opens the manual
  const char* handbookMissing;    // the manual's file is missing
  // A file that cannot be read or written ("%s": the path, then the folder).
  const char* cannotRead;
  const char* cannotWrite;
  const char* folderMissing;
  // Why a save failed, appended to the message that names the file.
  const char* causeDiskFull;
  const char* causeAccessDenied;
  const char* causeReadOnly;
  const char* causeOther;
  // The rule database could not be saved (followed by the cause).
  const char* dbSaveFailed;
  // Added when a save at the user's quit failed: the program keeps running.
  const char* quitKeepsRunning;
  // Start-up failed; the error follows. A quit then ends without saving.
  const char* startupFailed;
  // A text the hosts list refuses as a host name ("%s": the text).
  const char* invalidHostName;
  // Import report ("%s": lines taken, lines skipped).
  const char* importReport;
};

// The names the history stores for the scanners that closed a window.
struct ScannerNames {
  const char* windowCaption;  // WCS
  const char* url;            // URL
  const char* keyword;        // ADS
  const char* windowSize;     // WDS
  const char* minSize;        // SmallWDS
  const char* flash;          // FlashAX
  const char* notepad;        // NTP
};

// The database updater window's button captions and progress lines.
struct UpdaterTexts {
  const char* next;            // forward button before the update
  const char* finish;          // forward button at the end
  const char* cancel;          // close button before and during the update
  const char* close;           // close button at the end
  const char* connecting;      // first progress line
  const char* connected;       // download succeeded
  const char* receiving;       // merging
  const char* done;            // finished
  const char* failed;          // download failed
  const char* writeProtected;  // downloaded file not usable (message box)
};

// The main window's controls, menus and actions.
struct MainWindowTexts {
  const char* Action_zapotrixhalten;  // before the first pause
};

struct Texts {
  MessageTexts msg;
  MainWindowTexts main;
  ScannerNames scanner;
  UpdaterTexts updater;
};

const Texts& GermanTexts();
const Texts& EnglishTexts();
inline const Texts& TextsFor(bool german) { return german ? GermanTexts() : EnglishTexts(); }

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
// History titles of the extra killers.
constexpr const char* kFlashTitle = "Macromedia Flash Player";
constexpr const char* kNotepadTitle = "Notepad";

}  // namespace zt
