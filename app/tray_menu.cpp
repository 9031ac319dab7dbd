// Building the tray menu.
#include "app/tray_menu.h"

namespace zt {

std::vector<TrayMenuItem> BuildTrayMenu(const ListModel& ListView1, bool paused, const Texts& texts) {
  const MainWindowTexts& t = texts.main;
  std::vector<TrayMenuItem> items;
  auto add = [&items](std::string name, std::string caption, int tag, TrayCommand command) {
    int position = static_cast<int>(items.size());
    items.push_back({std::move(name), std::move(caption), tag, command, position});
  };
  auto separator = [&add] { add("", "", 0, TrayCommand::None); };

  for (size_t i = 0; i < ListView1.size(); ++i)
    add("ItemX" + std::to_string(i), t.trayCreateRule + ListView1.text(i, 0), kTagBrowserWindow,
        TrayCommand::CreateRule);
  if (!ListView1.empty()) separator();
  add("Item_Anzeigen", t.trayShow, kTagShow, TrayCommand::Show);
  add("Item_Einstellungen", t.trayOptions, kTagSettings, TrayCommand::Settings);
  add("Item_Statistik", kTrayStatistik, kTagStatistics, TrayCommand::Statistics);
  separator();
  add("Item_Anhalten", paused ? texts.msg.trayContinue : texts.msg.trayStop, kTagPause, TrayCommand::Pause);
  separator();
  add("Item_Beenden", t.trayQuit, kTagQuit, TrayCommand::Quit);
  return items;
}

void SetTaggedCaption(std::vector<TrayMenuItem>& items, int tag, const std::string& caption) {
  for (TrayMenuItem& item : items)
    if (!item.separator() && item.tag == tag) item.caption = caption;
}

}  // namespace zt
