// What the start-up order and the scan cycle ask of the main window. The
// Win32 main window implements it; tests implement it with a recorder.
#pragma once
#include <string>

#include "engine/scan_context.h"

namespace zt {

class MainView : public EngineView {
 public:
  virtual void SetCaption(const std::string& caption) = 0;
  // Status bar panels 0..6.
  virtual void SetStatusPanel(int panel, const std::string& text) = 0;
  // Applies the language tables of the main window (true = German).
  virtual void SetLanguage(bool german) = 0;
  // Label1, visible only while paused.
  virtual void SetPauseLabelVisible(bool visible) = 0;
  // Caption of the action Action_zapotrixhalten.
  virtual void SetPauseActionCaption(const std::string& caption) = 0;
  // Caption of every tray menu item with tag 2.
  virtual void SetTrayPauseCaption(const std::string& caption) = 0;
  // Selects a tab of the rule list tab set and shows its list.
  virtual void SelectRuleTab(int index) = 0;
  virtual void SetHintPauses(int pauseMs, int hidePauseMs) = 0;
  virtual void AddTrayIcon() = 0;
  virtual void EnableUpdaterAction(bool enabled) = 0;
  // Main window placement.
  virtual int ScreenWidth() = 0;
  virtual int ScreenHeight() = 0;
  virtual int WindowWidth() = 0;
  virtual int WindowHeight() = 0;
  virtual int WindowLeft() = 0;
  virtual int WindowTop() = 0;
  virtual void MoveWindow(int left, int top) = 0;
  // The minimum-size edit boxes EdSWWidth and EdSWHeight.
  virtual void SetSmallWindowEdits(const std::string& width, const std::string& height) = 0;
};

}  // namespace zt
