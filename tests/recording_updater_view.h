// An UpdaterView that writes what the run shows into one event log, so that
// tests can compare the whole sequence, and can act at each "process pending
// messages" point.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "app/update_run.h"

namespace zt::test {

class RecordingUpdaterView : public UpdaterView {
 public:
  void ShowProgressPanel(bool v) override { log.push_back(v ? "panel shown" : "panel hidden"); }
  void ClearLines() override {
    lines.clear();
    log.push_back("lines cleared");
  }
  void AddLine(const std::string& l) override {
    lines.push_back(l);
    log.push_back("line " + l);
  }
  void SetProgress(int p) override {
    progress = p;
    log.push_back("progress " + std::to_string(p));
  }
  void SetUpdateButton(const std::string& c, bool e) override {
    updateCaption = c;
    updateEnabled = e;
    log.push_back("update " + c + (e ? " on" : " off"));
  }
  void SetCloseButton(const std::string& c, bool e) override {
    closeCaption = c;
    closeEnabled = e;
    log.push_back("close " + c + (e ? " on" : " off"));
  }
  void CloseWindow() override {
    ++closes;
    log.push_back("window closed");
  }
  void ProcessPendingMessages() override {
    log.push_back("pump");
    if (onPump) onPump();
  }

  std::vector<std::string> log, lines;
  int progress = -1;
  std::string updateCaption, closeCaption;
  bool updateEnabled = false, closeEnabled = false;
  int closes = 0;
  std::function<void()> onPump;
};

}  // namespace zt::test
