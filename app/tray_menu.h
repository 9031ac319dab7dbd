// The tray context menu PopupMenu1 as a list of items, rebuilt from nothing
// before every display (set_popupmenu): one "Create Rule: " item per row
// of the list of active browser windows, then the fixed items. The Win32
// window only renders it (owner-drawn) and runs the item's command.
#pragma once
#include <string>
#include <vector>

#include "lang/texts.h"
#include "rules/list_model.h"

namespace zt {

// What clicking an item does.
enum class TrayCommand {
  None,        // a separator
  CreateRule,  // PopupItemClick: the rule assistant for a browser window
  Show,        // Item_Anzeigen: show the main window
  Settings,    // Item_Einstellungen: Action_Einstellungen
  Statistics,  // Item_Statistik: Action_statistik
  Pause,       // Item_Anhalten: Action_zapotrixhalten
  Quit,        // Item_Beenden: Action_close
};

// Tags of the fixed items; the pause item's caption follows the pause state
// and the quit item, the last one, draws the side bar.
constexpr int kTagBrowserWindow = 0;
constexpr int kTagShow = 1;
constexpr int kTagPause = 2;
constexpr int kTagQuit = 3;
constexpr int kTagSettings = 4;
constexpr int kTagStatistics = 5;

struct TrayMenuItem {
  std::string name;     // "ItemX0", "Item_Anzeigen", ...; empty for a separator
  std::string caption;
  int tag = 0;
  TrayCommand command = TrayCommand::None;
  int position = 0;     // index in the menu (a browser window item's row)

  bool separator() const { return command == TrayCommand::None; }
};

// set_popupmenu: the items for the rows of ListView1, the pause state and
// the texts of the window's language.
std::vector<TrayMenuItem> BuildTrayMenu(const ListModel& ListView1, bool paused, const Texts& texts);

// Gives every item with the tag the caption (the pause item after a pause
// switch).
void SetTaggedCaption(std::vector<TrayMenuItem>& items, int tag, const std::string& caption);

}  // namespace zt
