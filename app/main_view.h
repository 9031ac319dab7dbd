// What the start-up order, the scan cycle and the rule editing ask of the
// main window. The Win32 main window implements it; tests implement it with
// a recorder.
#pragma once
#include <string>

#include "engine/scan_context.h"

namespace zt {

// The edit boxes of the main window.
enum class EditBox { EDADDCaption, EdAddURL, EdAddKey, EdWidth, EdHeight, EdSWWidth, EdSWHeight };

class MainView : public EngineView {
 public:
  virtual void SetCaption(const std::string& caption) = 0;
  // Status bar panels 0..6; a text longer than its panel shows whole as the
  // panel's tooltip.
  virtual void SetStatusPanel(int panel, const std::string& text) = 0;
  // The window's language routine: kLanguageGerman or kLanguageEnglish;
  // any other value changes nothing.
  virtual void SetLanguage(int language) = 0;
  // Label1, visible only while paused.
  virtual void SetPauseLabelVisible(bool visible) = 0;
  // Caption of the action Action_zapotrixhalten.
  virtual void SetPauseActionCaption(const std::string& caption) = 0;
  // Caption of every tray menu item with tag 2.
  virtual void SetTrayPauseCaption(const std::string& caption) = 0;
  // Selects a tab of the rule list tab set and runs its click handler.
  virtual void SelectRuleTab(int index) = 0;
  virtual void SetHintPauses(int pauseMs, int hidePauseMs) = 0;
  virtual void AddTrayIcon() = 0;
  // The tray icon's tooltip.
  virtual void SetTrayTip(const std::string& tip) = 0;
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

  // The rule editors.
  virtual std::string EditText(EditBox box) = 0;
  virtual void SetEditText(EditBox box, const std::string& text) = 0;
  // Shows the editor panel of a tab (0 sizes, 1 addresses, 2 keywords,
  // 3 captions) and hides the three others.
  virtual void ShowRulePanel(int index) = 0;
  // BTOpenRule, which opens the rule assistant for the chosen window.
  virtual void EnableOpenRule(bool enabled) = 0;
  // Ticks or clears CheckBoxSW without running its click handler.
  virtual void SetSmallWindowsCheck(bool checked) = 0;
  // True when the list view and the main window are both visible.
  virtual bool ListShown(ListViewId list) = 0;
  // Gives the keyboard focus to a list view.
  virtual void FocusList(ListViewId list) = 0;
};

}  // namespace zt
