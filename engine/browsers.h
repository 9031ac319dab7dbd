// The browsers the program recognises, as data: what each kind of browser
// window is called, how it is closed, its image and the setting that
// switches it on; and the rows that tell a window's kind from its class and
// caption. docs/browsers.md lists every row with the public source that
// confirms its class and caption.
#pragma once
#include <cstddef>
#include <string>

namespace zt {

struct Settings;

// The kinds of browser windows. 1 to 3 are those of the first version; the
// numbers are shown nowhere, but tests and tools name them.
enum BrowserKind {
  kInternetExplorer = 1,       // Internet Explorer up to 6
  kFirefox = 2,                // Firefox, every version
  kMozilla = 3,                // the Mozilla suite
  kWindowsInternetExplorer = 4,  // Internet Explorer 7 and 8
  kSeaMonkey = 5,
  kNetscapeBrowser = 6,        // Netscape Browser 8
  kNetscape = 7,               // Netscape 7
  kOpera = 8,                  // Opera 7 to 12
  kKMeleon = 9,                // K-Meleon up to 74: "<title> (K-Meleon)"
  kKMeleonDash = 10,           // K-Meleon 75 and later: "<title> - K-Meleon"
  kPaleMoon = 11,
  kNewMoon = 12,
  kSerpent = 13,
  kMypal = 14,
  kRetroZillaBrowser = 15,
  kRetroZilla = 16,
  kGoogleChrome = 17,
  kChromium = 18,
  kSupermium = 19,
};

// Close modes of killwnd.
enum CloseMode {
  kCloseIE = 1,       // WM_CLOSE, then WM_NCDESTROY if it still exists
  kCloseMozilla = 2,  // WM_CLOSE if the window exists
};

// What a kind of browser window is to the program.
struct BrowserKindInfo {
  int kind;
  // What the browser appends to the page title; cut off for display and
  // for the caption rules.
  const char* suffix;
  CloseMode mode;
  int image;  // in the main window's image list ImageList1
  bool Settings::*enabled;
  // Internet Explorer: the address is read from the address bar.
  bool addressBar;
};

// One recognition row: a top-level window of the class (whole name,
// case-sensitive) whose caption contains the text is of the kind.
struct RecognitionRow {
  const char* className;
  const char* mustContain;
  int kind;
};

// A table of entries, walked with a range for.
template <class T>
struct TableView {
  const T* first;
  size_t count;
  const T* begin() const { return first; }
  const T* end() const { return first + count; }
};
// Every kind, in the order of their numbers.
TableView<BrowserKindInfo> BrowserKinds();
// The recognition table in its order.
TableView<RecognitionRow> RecognitionRows();

// The kind's entry; null for an unknown kind.
const BrowserKindInfo* KindInfo(int kind);
// The browser suffix of the window captions of a kind (" - Mozilla", ...);
// empty for an unknown kind.
const std::string& BrowserSuffix(int kind);
// Image of a kind in the main window's image list; -1 for an unknown kind.
int BrowserImage(int kind);
// True when the settings watch windows of the kind.
bool KindOn(const Settings& settings, int kind);
// True for the kinds whose address bar is read (Internet Explorer).
bool ReadsAddress(int kind);
// The close mode of a browser kind.
CloseMode CloseModeOf(int kind);

// The rows of the class (kept together in the table); none for a class
// that is no browser's.
TableView<RecognitionRow> RowsOfClass(const std::string& className);
// True when the kind of one of the rows is switched on.
bool AnyKindOn(const Settings& settings, TableView<RecognitionRow> rows);
// True when windows of the class are watched by the settings (a row of the
// class whose kind is switched on).
bool WatchedBrowserClass(const Settings& settings, const std::string& className);

// The kind of a window of the class with the caption, or 0 when it is no
// browser window. Among the rows of the class, the one whose kind's suffix
// ends the caption wins (the longest such suffix); otherwise the first row,
// in table order, whose text the caption contains. Whether the kind is
// switched on does not count here.
//
// A dash that separates the page title from the browser's name (the en and
// em dash of the Windows code page, " \x96 " and " \x97 ") is taken as the
// " - " the rules and the suffixes are written with: where the caption has
// no " - <name>" of a row of the class but a dashed one, the last dashed
// one is rewritten in the caption.
int RecognizeBrowser(const std::string& className, std::string& caption);
// The same with the rows of the window's class (RowsOfClass).
int RecognizeBrowser(TableView<RecognitionRow> classRows, std::string& caption);

}  // namespace zt
