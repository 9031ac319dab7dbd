// The browser kinds and the recognition table. docs/browsers.md gives the
// source of every class name and caption.
#include "engine/browsers.h"

#include <cstring>
#include <vector>

#include "system/settings.h"

namespace zt {
namespace {

constexpr BrowserKindInfo kKinds[] = {
    {kInternetExplorer, " - Microsoft Internet Explorer", kCloseIE, 3, &Settings::Internet_Explorer, true},
    {kFirefox, " - Mozilla Firefox", kCloseMozilla, 10, &Settings::Firefox, false},
    {kMozilla, " - Mozilla", kCloseMozilla, 4, &Settings::Mozilla, false},
    {kWindowsInternetExplorer, " - Windows Internet Explorer", kCloseIE, 5, &Settings::Internet_Explorer, true},
    {kSeaMonkey, " - SeaMonkey", kCloseMozilla, 6, &Settings::SeaMonkey, false},
    {kNetscapeBrowser, " - Netscape Browser", kCloseMozilla, 7, &Settings::Netscape, false},
    {kNetscape, " - Netscape", kCloseMozilla, 7, &Settings::Netscape, false},
    {kOpera, " - Opera", kCloseMozilla, 8, &Settings::Opera, false},
    {kKMeleon, " (K-Meleon)", kCloseMozilla, 9, &Settings::K_Meleon, false},
    {kKMeleonDash, " - K-Meleon", kCloseMozilla, 9, &Settings::K_Meleon, false},
    {kPaleMoon, " - Pale Moon", kCloseMozilla, 11, &Settings::Gecko_Goanna, false},
    {kNewMoon, " - New Moon", kCloseMozilla, 11, &Settings::Gecko_Goanna, false},
    {kSerpent, " - Serpent", kCloseMozilla, 12, &Settings::Gecko_Goanna, false},
    {kMypal, " - Mypal", kCloseMozilla, 13, &Settings::Gecko_Goanna, false},
    {kRetroZillaBrowser, " - RetroZilla Browser", kCloseMozilla, 14, &Settings::Gecko_Goanna, false},
    {kRetroZilla, " - RetroZilla", kCloseMozilla, 14, &Settings::Gecko_Goanna, false},
    {kGoogleChrome, " - Google Chrome", kCloseMozilla, 15, &Settings::Chromium, false},
    {kChromium, " - Chromium", kCloseMozilla, 16, &Settings::Chromium, false},
    {kSupermium, " - Supermium", kCloseMozilla, 16, &Settings::Chromium, false},
};

// Rows of one class stand together, the more specific text first: the
// order decides only among rows whose suffix does not end the caption
// (see RecognizeBrowser).
constexpr RecognitionRow kRows[] = {
    {"IEFrame", "Windows Internet Explorer", kWindowsInternetExplorer},
    {"IEFrame", "Microsoft Internet Explorer", kInternetExplorer},
    {"MozillaUIWindowClass", "Mozilla Firefox", kFirefox},  // Firefox 1.5 to 3.6
    {"MozillaUIWindowClass", "SeaMonkey", kSeaMonkey},      // SeaMonkey 1.0 to 2.0
    {"MozillaUIWindowClass", "RetroZilla Browser", kRetroZillaBrowser},
    {"MozillaUIWindowClass", "RetroZilla", kRetroZilla},
    {"MozillaWindowClass", "Mozilla Firefox", kFirefox},    // Firefox 4 and later, and up to 1.0
    {"MozillaWindowClass", "SeaMonkey", kSeaMonkey},        // SeaMonkey 2.1 and later
    {"MozillaWindowClass", "Netscape Browser", kNetscapeBrowser},
    {"MozillaWindowClass", "Netscape", kNetscape},
    {"MozillaWindowClass", "Pale Moon", kPaleMoon},
    {"MozillaWindowClass", "New Moon", kNewMoon},
    {"MozillaWindowClass", "Serpent", kSerpent},
    {"MozillaWindowClass", "Mypal", kMypal},
    {"MozillaWindowClass", "Mozilla", kMozilla},            // last: every Gecko brand above contains it or may
    {"OpWindow", "Opera", kOpera},                          // Opera 7 to 9
    {"OperaWindowClass", "Opera", kOpera},                  // Opera 10 to 12
    {"KMeleon Browser Window", "(K-Meleon)", kKMeleon},
    {"KMeleon Browser Window", "K-Meleon", kKMeleonDash},
    {"Chrome_WidgetWin_1", "Google Chrome", kGoogleChrome},
    {"Chrome_WidgetWin_1", "Supermium", kSupermium},
    {"Chrome_WidgetWin_1", "Chromium", kChromium},
    {"Chrome_WidgetWin_0", "Google Chrome", kGoogleChrome},  // older Chrome
};

bool EndsWith(const std::string& text, const std::string& end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// The separator the suffixes are written with.
constexpr char kHyphenSeparator[] = " - ";

// True when the caption holds an en or em dash of the Windows code page.
bool HasDash(const std::string& caption) {
  return std::memchr(caption.data(), '\x96', caption.size()) || std::memchr(caption.data(), '\x97', caption.size());
}

// Rewrites the last " <dash> <name>" of the caption as " - <name>" for the
// first row (in table order) whose suffix is " - <name>" and whose dashed
// form the caption has while it lacks the hyphen one.
void NormalizeSeparator(TableView<RecognitionRow> rows, std::string& caption) {
  if (!HasDash(caption)) return;
  for (const RecognitionRow& r : rows) {
    const std::string& suffix = BrowserSuffix(r.kind);
    if (suffix.compare(0, 3, kHyphenSeparator) != 0 || caption.find(suffix) != std::string::npos) continue;
    for (char dash : {'\x96', '\x97'}) {
      std::string dashed = suffix;
      dashed[1] = dash;
      size_t at = caption.rfind(dashed);
      if (at == std::string::npos) continue;
      caption[at + 1] = '-';
      return;
    }
  }
}

// The rows of each class, found by the class name: kRows keeps the rows of
// a class together, so each class is one run of the table.
struct ClassGroup {
  std::string className;
  TableView<RecognitionRow> rows;
};
const std::vector<ClassGroup>& ClassGroups() {
  static const std::vector<ClassGroup> groups = [] {
    std::vector<ClassGroup> g;
    for (const RecognitionRow& r : kRows) {
      if (!g.empty() && g.back().className == r.className) {
        ++g.back().rows.count;
      } else {
        g.push_back({r.className, {&r, 1}});
      }
    }
    return g;
  }();
  return groups;
}

}  // namespace

TableView<RecognitionRow> RowsOfClass(const std::string& className) {
  for (const ClassGroup& g : ClassGroups())
    if (g.className == className) return g.rows;
  return {kRows, 0};
}

bool AnyKindOn(const Settings& settings, TableView<RecognitionRow> rows) {
  for (const RecognitionRow& r : rows)
    if (KindOn(settings, r.kind)) return true;
  return false;
}

int RecognizeBrowser(TableView<RecognitionRow> rows, std::string& caption) {
  NormalizeSeparator(rows, caption);
  int ending = 0;
  size_t endingLength = 0;
  for (const RecognitionRow& r : rows) {
    const std::string& suffix = BrowserSuffix(r.kind);
    if (suffix.size() > endingLength && EndsWith(caption, suffix)) {
      ending = r.kind;
      endingLength = suffix.size();
    }
  }
  if (ending) return ending;
  for (const RecognitionRow& r : rows)
    if (caption.find(r.mustContain) != std::string::npos) return r.kind;
  return 0;
}

namespace {

constexpr bool KindsInNumberOrder() {
  for (size_t i = 0; i < sizeof kKinds / sizeof kKinds[0]; ++i)
    if (kKinds[i].kind != static_cast<int>(i) + 1) return false;
  return true;
}
static_assert(KindsInNumberOrder(), "kKinds must list the kinds in the order of their numbers, from 1");

}  // namespace

TableView<BrowserKindInfo> BrowserKinds() { return {kKinds, sizeof kKinds / sizeof kKinds[0]}; }
TableView<RecognitionRow> RecognitionRows() { return {kRows, sizeof kRows / sizeof kRows[0]}; }

const BrowserKindInfo* KindInfo(int kind) {
  // kKinds holds the kinds in the order of their numbers, from 1.
  constexpr int count = static_cast<int>(sizeof kKinds / sizeof kKinds[0]);
  return kind >= 1 && kind <= count ? &kKinds[kind - 1] : nullptr;
}

const std::string& BrowserSuffix(int kind) {
  // The suffixes as strings, made once, in the order of kKinds.
  static const std::string none;
  static const std::vector<std::string> suffixes = [] {
    std::vector<std::string> s;
    for (const BrowserKindInfo& k : kKinds) s.emplace_back(k.suffix);
    return s;
  }();
  const BrowserKindInfo* k = KindInfo(kind);
  return k ? suffixes[k - kKinds] : none;
}

int BrowserImage(int kind) {
  const BrowserKindInfo* k = KindInfo(kind);
  return k ? k->image : -1;
}

bool KindOn(const Settings& settings, int kind) {
  const BrowserKindInfo* k = KindInfo(kind);
  return k && settings.*k->enabled;
}

bool ReadsAddress(int kind) {
  const BrowserKindInfo* k = KindInfo(kind);
  return k && k->addressBar;
}

CloseMode CloseModeOf(int kind) {
  const BrowserKindInfo* k = KindInfo(kind);
  return k ? k->mode : kCloseMozilla;
}

bool WatchedBrowserClass(const Settings& settings, const std::string& className) {
  return AnyKindOn(settings, RowsOfClass(className));
}

int RecognizeBrowser(const std::string& className, std::string& caption) {
  return RecognizeBrowser(RowsOfClass(className), caption);
}

}  // namespace zt
