// The tray icon's tooltip text and its pace.
#include "app/tray_tip.h"

namespace zt {

std::string TrayTipText(const Texts& texts, unsigned long closed) {
  const char* format = closed == 1 ? texts.main.trayTipClosedOne : texts.main.trayTipClosedMany;
  return Format(format, {std::to_string(closed)});
}

bool TrayTipPacer::Due(uint32_t now, unsigned long closed) {
  if (shown_ && (closed == shownCount_ || now - shownAt_ < kTrayTipPauseMs)) return false;
  shown_ = true;
  shownCount_ = closed;
  shownAt_ = now;
  return true;
}

}  // namespace zt
