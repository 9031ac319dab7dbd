// The browser recognition table: which kind a window of a class and caption
// is, the order among rows that both fit, the dashes before a browser's
// name, and the switches of the kinds.
#include <gtest/gtest.h>

#include <set>

#include "engine/browsers.h"
#include "system/settings.h"

namespace zt::test {
namespace {

struct Case {
  const char* what;
  const char* className;
  std::string caption;
  int kind;
  std::string recorded = "";  // the caption as recorded, where it is rewritten
};

const char kEm[] = "\x97";  // the em dash of the Windows code page
const char kEn[] = "\x96";  // the en dash

const Case kCases[] = {
    // The rows of the first version, with the outcomes they always had.
    {"IE6 page", "IEFrame", "News - Microsoft Internet Explorer", kInternetExplorer},
    {"IE6 blank page", "IEFrame", "Microsoft Internet Explorer", kInternetExplorer},
    {"IE6 branded", "IEFrame", "News - Microsoft Internet Explorer provided by LPS", kInternetExplorer},
    {"IE6 page about IE7", "IEFrame", "Windows Internet Explorer - Microsoft Internet Explorer", kInternetExplorer},
    {"IE text folded differently", "IEFrame", "News - microsoft internet explorer", 0},
    {"IE class compared exactly", "ieframe", "News - Microsoft Internet Explorer", 0},
    {"IE frame without the name", "IEFrame", "Help and Support", 0},
    {"Firefox 1.5-3.6", "MozillaUIWindowClass", "News - Mozilla Firefox", kFirefox},
    {"Firefox 1.5-3.6 blank", "MozillaUIWindowClass", "Mozilla Firefox", kFirefox},
    {"Firefox 1.5-3.6 private", "MozillaUIWindowClass", "News - Mozilla Firefox (Private Browsing)", kFirefox},
    {"UI class needs the Firefox name", "MozillaUIWindowClass", "News - Mozilla", 0},
    {"Mozilla suite", "MozillaWindowClass", "News - Mozilla", kMozilla},
    {"Mozilla suite blank", "MozillaWindowClass", "Mozilla", kMozilla},
    {"Mozilla text anywhere", "MozillaWindowClass", "Offer - Mozilla Deals", kMozilla},
    {"Mozilla page naming Netscape", "MozillaWindowClass", "Netscape news - Mozilla", kMozilla},
    {"Mozilla page naming Pale Moon", "MozillaWindowClass", "Pale Moon review - Mozilla", kMozilla},
    {"Mozilla folded differently", "MozillaWindowClass", "News - mozilla", 0},
    // Firefox 4 and later: Firefox now, where it was Mozilla.
    {"Firefox 4+", "MozillaWindowClass", "News - Mozilla Firefox", kFirefox},
    {"Firefox 4+ blank", "MozillaWindowClass", "Mozilla Firefox", kFirefox},
    {"Firefox 4+ private", "MozillaWindowClass", "News - Mozilla Firefox (Private Browsing)", kFirefox},
    // Internet Explorer 7 and 8.
    {"IE7/8 page", "IEFrame", "News - Windows Internet Explorer", kWindowsInternetExplorer},
    {"IE7/8 blank", "IEFrame", "Windows Internet Explorer", kWindowsInternetExplorer},
    {"IE7/8 page about IE6", "IEFrame", "Microsoft Internet Explorer tips - Windows Internet Explorer",
     kWindowsInternetExplorer},
    {"IE8 InPrivate", "IEFrame", "News - Windows Internet Explorer - [InPrivate]", kWindowsInternetExplorer},
    {"IE7/8 branded", "IEFrame", "News - Windows Internet Explorer provided by LPS", kWindowsInternetExplorer},
    // The other Gecko browsers: the suffix that ends the caption decides.
    {"SeaMonkey 2.1+", "MozillaWindowClass", "Mozilla Foundation - SeaMonkey", kSeaMonkey},
    {"Firefox page naming SeaMonkey", "MozillaWindowClass", "SeaMonkey download - Mozilla Firefox", kFirefox},
    {"SeaMonkey 1.x", "MozillaUIWindowClass", "Mozilla Firefox Start Page - SeaMonkey", kSeaMonkey},
    {"Netscape 8", "MozillaWindowClass", "News - Netscape Browser", kNetscapeBrowser},
    {"Netscape 7", "MozillaWindowClass", "News - Netscape", kNetscape},
    {"Netscape 7 page naming 8", "MozillaWindowClass", "Netscape Browser tips - Netscape", kNetscape},
    {"Netscape blank", "MozillaWindowClass", "Netscape", kNetscape},
    {"Pale Moon", "MozillaWindowClass", "News - Pale Moon", kPaleMoon},
    {"Pale Moon private", "MozillaWindowClass", "News - Pale Moon (Private Browsing)", kPaleMoon},
    {"New Moon", "MozillaWindowClass", "News - New Moon", kNewMoon},
    {"Serpent", "MozillaWindowClass", "News - Serpent", kSerpent},
    {"Mypal", "MozillaWindowClass", "News - Mypal", kMypal},
    {"RetroZilla browser", "MozillaUIWindowClass", "News - RetroZilla Browser", kRetroZillaBrowser},
    {"RetroZilla browser blank", "MozillaUIWindowClass", "RetroZilla Browser", kRetroZillaBrowser},
    {"RetroZilla suite", "MozillaUIWindowClass", "News - RetroZilla", kRetroZilla},
    {"Gecko brand in the wrong class", "MozillaUIWindowClass", "News - Pale Moon", 0},
    // Opera, K-Meleon, the Chromium family.
    {"Opera 7-9", "OpWindow", "News - Opera", kOpera},
    {"Opera 10-12", "OperaWindowClass", "News - Opera", kOpera},
    {"Opera blank", "OperaWindowClass", "Opera", kOpera},
    {"K-Meleon to 74", "KMeleon Browser Window", "News (K-Meleon)", kKMeleon},
    {"K-Meleon 75+", "KMeleon Browser Window", "News - K-Meleon", kKMeleonDash},
    {"K-Meleon 75+ page naming the old form", "KMeleon Browser Window", "Why (K-Meleon) - K-Meleon", kKMeleonDash},
    {"K-Meleon title emptied", "KMeleon Browser Window", "News", 0},
    {"Chrome", "Chrome_WidgetWin_1", "News - Google Chrome", kGoogleChrome},
    {"Chrome page naming Chromium", "Chrome_WidgetWin_1", "Chromium Blog - Google Chrome", kGoogleChrome},
    {"Chromium page naming Chrome", "Chrome_WidgetWin_1", "Google Chrome Help - Chromium", kChromium},
    {"Supermium", "Chrome_WidgetWin_1", "News - Supermium", kSupermium},
    {"another program on Chromium", "Chrome_WidgetWin_1", "main.cpp - Visual Studio Code", 0},
    {"older Chrome", "Chrome_WidgetWin_0", "News - Google Chrome", kGoogleChrome},
    {"no Chromium row for the older class", "Chrome_WidgetWin_0", "News - Chromium", 0},
    {"unknown class", "Notepad", "News - Mozilla Firefox", 0},
    {"empty caption", "IEFrame", "", 0},
    // A dash before the browser's name is read as the hyphen of the rows.
    {"em dash before Firefox", "MozillaWindowClass", std::string("News ") + kEm + " Mozilla Firefox", kFirefox,
     "News - Mozilla Firefox"},
    {"en dash before Firefox 3", "MozillaUIWindowClass", std::string("News ") + kEn + " Mozilla Firefox", kFirefox,
     "News - Mozilla Firefox"},
    {"dash inside the title stays", "MozillaWindowClass",
     std::string("A ") + kEn + " B " + kEm + " Pale Moon", kPaleMoon, std::string("A ") + kEn + " B - Pale Moon"},
    {"em dash before the suite's name", "MozillaWindowClass", std::string("News ") + kEm + " Mozilla", kMozilla,
     "News - Mozilla"},
    {"em dash before Opera", "OperaWindowClass", std::string("News ") + kEm + " Opera", kOpera, "News - Opera"},
    {"em dash with a hyphen form present", "MozillaWindowClass",
     std::string("A - Mozilla Firefox ") + kEm + " Mozilla Firefox", kFirefox},
    {"dash without blanks stays", "MozillaWindowClass", std::string("News") + kEm + "Mozilla Firefox", kFirefox},
    {"dash before another class's browser", "OperaWindowClass", std::string("News ") + kEm + " Mozilla", 0},
};

}  // namespace

TEST(BrowserRecognition, KindOfEachClassAndCaption) {
  for (const Case& c : kCases) {
    std::string caption = c.caption;
    EXPECT_EQ(c.kind, RecognizeBrowser(c.className, caption)) << c.what;
    EXPECT_EQ(c.recorded.empty() ? c.caption : c.recorded, caption) << c.what;
  }
}

// Every caption that ends with a kind's suffix is taken as that kind, in
// every class the kind has a row of; and each row's text lies within its
// suffix, so a row is never found by its suffix without its text.
TEST(BrowserRecognition, EveryRowFindsItsOwnSuffixAndIsSourcedOnce) {
  std::set<std::pair<std::string, std::string>> seen;
  for (const RecognitionRow& r : RecognitionRows()) {
    ASSERT_NE(nullptr, KindInfo(r.kind)) << r.className << " " << r.mustContain;
    EXPECT_NE(std::string::npos, BrowserSuffix(r.kind).find(r.mustContain)) << r.mustContain;
    EXPECT_TRUE(seen.insert({r.className, r.mustContain}).second) << "twice: " << r.className << " " << r.mustContain;
    std::string caption = "Page" + BrowserSuffix(r.kind);
    EXPECT_EQ(r.kind, RecognizeBrowser(r.className, caption)) << r.className << " " << caption;
  }
}

// The rows of a class stand together, so the order among them is read in
// one place.
TEST(BrowserRecognition, RowsOfAClassStandTogether) {
  std::set<std::string> done;
  std::string current;
  for (const RecognitionRow& r : RecognitionRows()) {
    if (r.className == current) continue;
    EXPECT_TRUE(done.insert(r.className).second) << r.className << " is split";
    current = r.className;
  }
}

struct SwitchCase {
  bool Settings::*setting;
  std::set<int> kinds;
  std::set<std::string> classesLeft;  // watched with only this switch on
};

TEST(BrowserRecognition, EachSwitchCoversItsFamily) {
  const SwitchCase cases[] = {
      {&Settings::Internet_Explorer, {kInternetExplorer, kWindowsInternetExplorer}, {"IEFrame"}},
      {&Settings::Firefox, {kFirefox}, {"MozillaUIWindowClass", "MozillaWindowClass"}},
      {&Settings::Mozilla, {kMozilla}, {"MozillaWindowClass"}},
      {&Settings::SeaMonkey, {kSeaMonkey}, {"MozillaUIWindowClass", "MozillaWindowClass"}},
      {&Settings::Netscape, {kNetscape, kNetscapeBrowser}, {"MozillaWindowClass"}},
      {&Settings::Opera, {kOpera}, {"OpWindow", "OperaWindowClass"}},
      {&Settings::K_Meleon, {kKMeleon, kKMeleonDash}, {"KMeleon Browser Window"}},
      {&Settings::Gecko_Goanna,
       {kPaleMoon, kNewMoon, kSerpent, kMypal, kRetroZillaBrowser, kRetroZilla},
       {"MozillaUIWindowClass", "MozillaWindowClass"}},
      {&Settings::Chromium, {kGoogleChrome, kChromium, kSupermium}, {"Chrome_WidgetWin_0", "Chrome_WidgetWin_1"}},
  };
  std::set<std::string> classes;
  for (const RecognitionRow& r : RecognitionRows()) classes.insert(r.className);
  size_t covered = 0;
  for (const SwitchCase& c : cases) {
    Settings s;
    for (const SwitchCase& other : cases) s.*other.setting = false;
    s.*c.setting = true;
    for (const BrowserKindInfo& k : BrowserKinds())
      EXPECT_EQ(c.kinds.count(k.kind) == 1, KindOn(s, k.kind)) << "kind " << k.kind;
    for (const std::string& cls : classes)
      EXPECT_EQ(c.classesLeft.count(cls) == 1, WatchedBrowserClass(s, cls)) << cls;
    covered += c.kinds.size();
  }
  EXPECT_EQ(BrowserKinds().count, covered);
  // Each kind has a browser image of the strip (3 to 16; 0-2 are others).
  for (const BrowserKindInfo& k : BrowserKinds()) EXPECT_TRUE(k.image >= 3 && k.image <= 16) << k.kind;
  // The new families are on by default; the three switches of the first
  // version keep their defaults. No kind is a number out of the table.
  Settings defaults;
  for (const BrowserFamilyValue& v : kBrowserFamilyValues) EXPECT_TRUE(defaults.*v.field) << v.name;
  EXPECT_TRUE(defaults.Internet_Explorer);
  EXPECT_FALSE(defaults.Firefox || defaults.Mozilla);
  EXPECT_FALSE(KindOn(defaults, 0));
  EXPECT_EQ("", BrowserSuffix(0));
  EXPECT_EQ(-1, BrowserImage(static_cast<int>(BrowserKinds().count) + 1));
}

}  // namespace zt::test
