// The rules as a user reads them: the name of the rule that decided a
// closing ("ADS: casino"), and the rules that would close a given browser
// window, so that a rule can be checked against a window before it acts.
#pragma once
#include <optional>
#include <string>
#include <vector>

#include "engine/history.h"
#include "lang/texts.h"
#include "platform/window.h"
#include "rules/rule_lists.h"
#include "system/settings.h"

namespace zt {

// "WCS: <caption>", "URL: <address>", "ADS: <keyword>", "WDS: 468 x 60",
// the minimum-size rule with its limits, an extra killer's setting by its
// check box text; empty for no rule.
std::string RuleText(const ClosingRule& rule, const Texts& texts);

// What the rules look at of a browser window.
struct WindowFacts {
  std::string caption;  // the whole title, the browser's suffix included
  std::string url;      // Internet Explorer only
  int kind = 0;         // BrowserKind
  std::optional<WindowRect> rect;  // nothing for a window that is gone
  bool iconic = false;
};

// Every rule that matches the window, in the order of the passes: size
// entries, the minimum-size rule, addresses, keywords, captions. The rules
// are matched as the passes match them; whether a pass, the window's
// browser or blocking as a whole is switched on does not count, so the
// answer says what would close the window once it is. The minimum-size rule
// counts only while it is on: its switch is the rule itself. A size entry
// that is not a number ends the size pass, so neither it nor the entries
// behind it match.
std::vector<ClosingRule> RulesThatWouldClose(const RuleLists& rules, const Settings& settings,
                                             const WindowFacts& window);

}  // namespace zt
