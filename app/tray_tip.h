// The tray icon's tooltip: how many popups were closed since the program
// started, changed at most once a second so that a burst of closings does
// not keep the shell busy.
#pragma once
#include <cstdint>
#include <string>

#include "lang/texts.h"

namespace zt {

// Shortest time between two changes of the tooltip.
constexpr uint32_t kTrayTipPauseMs = 1000;

// "Zapotrix – 12 popups closed" in the language of the texts.
std::string TrayTipText(const Texts& texts, unsigned long closed);

// Decides when the tooltip is changed. Asked at every scan cycle and after
// every instant check: a count that changed within a second of the last
// change is shown at the first asking after that second.
class TrayTipPacer {
 public:
  // True when the tooltip should show the count now; the caller shows it.
  bool Due(uint32_t now, unsigned long closed);

 private:
  bool shown_ = false;
  unsigned long shownCount_ = 0;
  uint32_t shownAt_ = 0;
};

}  // namespace zt
