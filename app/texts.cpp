// German and English texts of the spine.
#include "app/texts.h"

namespace zt {

const CoreTexts& Texts(bool german) {
  static const CoreTexts english = {
      "ON", "OFF", " Active",
      "One or more files missing! Please reinstall zapotrix",
      "Zapotrix paused", "stop &Zapotrix", "continue &blocking",
      " stop blocking", " continue blocking"};
  static const CoreTexts deutsch = {
      "An", "Aus", " Aktiv",
      "Ein oder mehrere notwendige Files fehlen! Bitte Installieren Sie Zapotrix neu!",
      "Zapotrix angehalten", "&Zapotrix anhalten", "&Zapotrix fortsetzen",
      " Popupblocker anhalten", " Popupblocker fortsetzen"};
  return german ? deutsch : english;
}

}  // namespace zt
