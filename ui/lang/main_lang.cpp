// Main window texts.
#include "ui/lang/main_lang.h"

namespace zt {

const MainWindowTexts& MainTexts(bool german) {
  static const MainWindowTexts english = {"&Stop Zapotrix"};
  static const MainWindowTexts deutsch = {"&Zapotrix anhalten"};
  return german ? deutsch : english;
}

const char* const kInitialPanels[7] = {" Zapotrix build 080", " WDS: An", " URL: An", " ADS: An",
                                        " WCS: An", " Fast Mode", " standby"};
const int kPanelWidths[7] = {190, 75, 75, 75, 75, 75, 75};

}  // namespace zt
