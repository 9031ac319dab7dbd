// What the scan engine works on. The program lends it, for one cycle or one
// closing, the system areas it calls, the settings and rule lists it reads,
// the texts of its history entries, and the engine state it keeps between
// cycles; the engine knows nothing else of the program.
#pragma once
#include <cstdint>
#include <vector>

#include "engine/history.h"
#include "engine/scan_cache.h"
#include "engine/snapshot.h"
#include "lang/texts.h"
#include "platform/system.h"
#include "platform/window.h"
#include "rules/list_ops.h"
#include "rules/rule_lists.h"
#include "system/settings.h"

namespace zt {

// What the engine asks of the main window.
class EngineView : public ListDisplay {
 public:
  // set_popupmenu: rebuilds the tray menu from the list of active windows.
  virtual void RebuildTrayMenu() = 0;
  // Lets pending window messages run (user actions may happen here).
  virtual void ProcessPendingMessages() = 0;
};

// What the cycles learnt about each Internet Explorer window's address bar.
struct AddressBarState {
  WindowHandle window = 0;
  bool answered = false;   // it answered the last time it was asked
  uint32_t askedAt = 0;    // tick count of the last question
  uint32_t retryAt = 0;    // not answered in time: not asked again before this
};
// The address bars of the last snapshot, by window handle.
using AddressBars = std::vector<AddressBarState>;

// The engine's state between cycles, owned by the main window.
struct EngineState {
  ListModel ListView1{ListViewId::ListView1};  // active browser windows as shown
  OpenWindowsTable OpenWindows;                // browser windows of the last snapshot
  History history;                             // closed popups, oldest first
  HistoryCounts historyCounts;                 // the history counted per scanner, kept as entries arrive
  ScanCache scanCache;                         // rule lists as the keyword and size passes use them
  AddressBars addressBars;
};

struct ScanContext {
  Desktop& desktop;
  System& system;  // the minimum-size rule's wait, the clock, the history's time of day
  EngineView& view;
  const Settings& settings;
  const Texts& texts;
  const RuleLists& rules;
  EngineState& state;
};

}  // namespace zt
