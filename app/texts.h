// The texts of the start-up order, the scan cycle and the pause switch in
// both languages (CP1252).
#pragma once

namespace zt {

struct CoreTexts {
  const char* on;               // scanner state in status panels 1-4
  const char* off;
  const char* active;           // status panel 6
  const char* missingFiles;     // missing-file warning
  const char* pausedLabel;      // Label1
  const char* actionStop;       // Action_zapotrixhalten after resuming
  const char* actionContinue;   // Action_zapotrixhalten while paused
  const char* trayStop;         // tray item with tag 2 while running
  const char* trayContinue;     // tray item with tag 2 while paused
};

const CoreTexts& Texts(bool german);

constexpr const char* kAppCaption = "Zapotrix";
constexpr const char* kVersionPanel = " Zapotrix Version 1.2.0.90";
constexpr const char* kStandbyPanel = " Standby";
constexpr const char* kAlreadyRunning = "zapotrix is already running!";

}  // namespace zt
