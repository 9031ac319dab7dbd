// Naming rules and matching them against one window.
#include "engine/closing_rules.h"

#include "engine/keyword_matcher.h"
#include "engine/scanners.h"
#include "engine/size_table.h"
#include "engine/snapshot.h"
#include "rules/list_ops.h"

namespace zt {
namespace {

const char* ListKey(RuleSource source) {
  switch (source) {
    case RuleSource::WCS: return "WCS";
    case RuleSource::URL: return "URL";
    case RuleSource::ADS: return "ADS";
    case RuleSource::WDS: return "WDS";
    default: return "";
  }
}

}  // namespace

std::string RuleText(const ClosingRule& rule, const Texts& texts) {
  switch (rule.source) {
    case RuleSource::WCS:
    case RuleSource::URL:
    case RuleSource::ADS: return Format(kRuleEntry, {ListKey(rule.source), rule.first});
    case RuleSource::WDS:
      return Format(kRuleEntry, {ListKey(rule.source), Format(kRuleSize, {rule.first, rule.second})});
    case RuleSource::MinSize: return Format(texts.rules.minSize, {rule.first, rule.second});
    case RuleSource::Flash: return Format(texts.rules.setting, {texts.settings.CheckBoxFlashAX});
    case RuleSource::Notepad: return Format(texts.rules.setting, {texts.settings.CheckBox_Notepad});
    case RuleSource::None: break;
  }
  return {};
}

std::vector<ClosingRule> RulesThatWouldClose(const RuleLists& rules, const Settings& settings,
                                             const WindowFacts& window) {
  std::vector<ClosingRule> found;
  if (window.rect) {
    int width = window.rect->Width(), height = window.rect->Height();
    for (size_t i = 0; i < rules.WDS.size(); ++i) {
      std::optional<int32_t> w = ParseDecimal(rules.WDS.text(i, 0));
      std::optional<int32_t> h = ParseDecimal(rules.WDS.text(i, 1));
      if (!w || !h) break;  // the size pass ends at such an entry: the ones behind it never act
      if (*w == width && *h == height) found.push_back(ListRule(RuleSource::WDS, rules.WDS, i));
    }
    bool small = width <= settings.SmallWindowWidth || height <= settings.SmallWindowHeight;
    if (settings.Small_Windows && small && !window.iconic) found.push_back(MinSizeRule(settings));
  }
  if (ReadsAddress(window.kind))
    for (size_t i = 0; i < rules.URL.size(); ++i)
      if (RowEquals(window.url, rules.URL.text(i), "")) found.push_back(ListRule(RuleSource::URL, rules.URL, i));
  std::string caption = LowerAZ(window.caption);
  for (size_t i = 0; i < rules.ADS.size(); ++i) {
    const std::string& keyword = rules.ADS.text(i);
    if (!keyword.empty() && caption.find(LowerAZ(keyword)) != std::string::npos)
      found.push_back(ListRule(RuleSource::ADS, rules.ADS, i));
  }
  const std::string& suffix = BrowserSuffix(window.kind);
  for (size_t i = 0; i < rules.WCS.size(); ++i)
    if (RowEquals(window.caption, rules.WCS.text(i), suffix)) found.push_back(ListRule(RuleSource::WCS, rules.WCS, i));
  return found;
}

}  // namespace zt
