// The history of closed popups.
#pragma once

namespace zt {

struct AppState;

// Empties the history (start-up).
void ClearHistory(AppState& app);

}  // namespace zt
