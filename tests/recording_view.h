// A MainView that records what the logic shows, and can run a user action
// at each "process pending messages" point.
#pragma once
#include <functional>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/main_view.h"
#include "lang/texts.h"

namespace zt::test {

class RecordingView : public MainView {
 public:
  void SetCaption(const std::string& c) override { caption = c; }
  void SetStatusPanel(int panel, const std::string& text) override { panels[panel] = text; }
  void SetLanguage(int language) override {
    german = language == kLanguageGerman;
    languageSet = true;
  }
  void SetPauseLabelVisible(bool v) override { pauseLabelVisible = v; }
  void SetPauseActionCaption(const std::string& c) override { pauseAction = c; }
  void SetTrayPauseCaption(const std::string& c) override { trayPause = c; }
  void ListChanged(ListViewId id) override { changed.push_back(id); }
  int ListWidth(ListViewId) override { return listWidth; }
  void SetColumnWidth(ListViewId id, int column, int width) override { widths[{id, column}] = width; }
  void SelectRuleTab(int index) override { ruleTab = index; }
  void SetHintPauses(int p, int h) override { hintPause = p; hintHidePause = h; }
  void AddTrayIcon() override {
    if (trayFails) throw std::runtime_error(trayFails);
    ++trayIconAdds;
  }
  void RebuildTrayMenu() override { ++trayMenuBuilds; }
  void SetTrayTip(const std::string& tip) override { trayTips.push_back(tip); }
  void EnableUpdaterAction(bool e) override { updaterEnabled = e; }
  int ScreenWidth() override { return 1024; }
  int ScreenHeight() override { return 768; }
  int WindowWidth() override { return 515; }
  int WindowHeight() override { return 403; }
  int WindowLeft() override { return left; }
  int WindowTop() override { return top; }
  void MoveWindow(int l, int t) override { left = l; top = t; }
  void SetSmallWindowEdits(const std::string& w, const std::string& h) override { edWidth = w; edHeight = h; }
  std::string EditText(EditBox box) override { return edits[box]; }
  void SetEditText(EditBox box, const std::string& text) override { edits[box] = text; }
  void ShowRulePanel(int index) override { rulePanel = index; }
  void EnableOpenRule(bool e) override { openRuleEnabled = e; }
  void SetSmallWindowsCheck(bool c) override { smallWindowsChecked = c; }
  bool ListShown(ListViewId) override { return listsShown; }
  void FocusList(ListViewId id) override { focused = id; }
  void ProcessPendingMessages() override {
    ++pumps;
    if (onPump) onPump();
  }

  std::string caption;
  std::vector<std::string> trayTips;  // every tooltip shown, in order
  std::map<int, std::string> panels;
  bool german = false, languageSet = false;
  bool pauseLabelVisible = false;
  std::string pauseAction, trayPause;
  std::vector<ListViewId> changed;
  int listWidth = 400;
  std::map<std::pair<ListViewId, int>, int> widths;
  int ruleTab = -1, hintPause = 0, hintHidePause = 0;
  int trayIconAdds = 0, trayMenuBuilds = 0;
  const char* trayFails = nullptr;  // AddTrayIcon throws this text
  bool updaterEnabled = false;
  int left = 0, top = 0;
  std::string edWidth, edHeight;
  std::map<EditBox, std::string> edits;
  int rulePanel = -1;
  bool openRuleEnabled = false, smallWindowsChecked = false;
  bool listsShown = true;
  ListViewId focused = ListViewId::Other;
  int pumps = 0;
  std::function<void()> onPump;
};

}  // namespace zt::test
