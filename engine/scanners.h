// The popup scanners of the scan cycle: window size (with the minimum-size
// rule), address, keyword and caption; and the one way a foreign window is
// closed.
#pragma once
#include <string>

#include "engine/browsers.h"
#include "engine/history.h"
#include "platform/window.h"

namespace zt {

struct ScanContext;
struct Settings;
struct TBrowserWindow;
class ListModel;

// The passes: each walks the snapshot from its last record to its first.
void KillwindowWDS(const ScanContext& ctx);
void killwindowURL(const ScanContext& ctx);
void killwindowADS(const ScanContext& ctx);
void killwindowWCS(const ScanContext& ctx);

// The minimum-size rule for the snapshot record at index; true when it
// closed the window.
bool smallwindows(const ScanContext& ctx, WindowHandle window, size_t index);
// Posts the closing messages of the mode; any other mode does nothing.
void killwnd(Desktop& desktop, WindowHandle window, int mode);

// Building blocks of the passes.
// The record's kind is switched on and the record not yet closed this cycle.
bool Eligible(const ScanContext& ctx, const TBrowserWindow& record);
// Closes the record: killwnd, history entry with the rule that decided it,
// Handled. While the user holds Ctrl the record is let through instead:
// marked Handled and remembered in EngineState::letThrough, neither closed
// nor recorded. True when closed.
bool CloseRecord(const ScanContext& ctx, TBrowserWindow& record, CloseMode mode, const char* key, int width,
                 int height, ClosingRule rule);
// The rule of a row of a rule list, read before the closing is recorded
// (recording lets the user edit the list).
ClosingRule ListRule(RuleSource source, const ListModel& list, size_t row);
// The minimum-size rule with the limits of the settings.
ClosingRule MinSizeRule(const Settings& settings);
// The width and height of a size list row, parsed; throws when either is
// not a number or the row is no longer there.
std::pair<int, int> ParseSizeRow(const ScanContext& ctx, size_t row);

}  // namespace zt
