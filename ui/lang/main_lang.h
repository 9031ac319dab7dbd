// Texts of the main window in German and English.
#pragma once

namespace zt {

struct MainWindowTexts {
  const char* actionPause;  // Action_zapotrixhalten before the first pause
};

const MainWindowTexts& MainTexts(bool german);

// Status bar panel texts before anything updates them (the same in both
// languages).
extern const char* const kInitialPanels[7];
// Panel widths in pixels.
extern const int kPanelWidths[7];

}  // namespace zt
