// The tray shell: the notification-area icon of the main window, and the
// owner-drawn tray menu PopupMenu1 rendered from its item list
// (app/tray_menu.h): items drawn from x = 30 beside a side bar that carries
// the program's name upwards.
#pragma once
#include <string>
#include <vector>

#include "app/tray_menu.h"
#include "lang/texts.h"
#include "platform/win32/win.h"
#include "ui/gdi.h"
#include <shellapi.h>

namespace zt {

// The tray icon: identifier 100 of the main window, basic record form.
class TrayIcon {
 public:
  static constexpr UINT kId = 100;
  static constexpr UINT kRecordSize = NOTIFYICONDATAA_V1_SIZE;  // 88 bytes on 32-bit Windows

  TrayIcon(UINT callbackMessage, HICON icon) : message_(callbackMessage), icon_(icon) {}
  void Attach(HWND window) { window_ = window; }
  // AddTrayIcon: the record with the callback message, the icon and the
  // tooltip ("Zapotrix" until the first count of closed popups). An icon
  // that exists already makes this a harmless failure; any error is ignored.
  bool Add();
  // Removes the icon if the record holds a window.
  void Remove();
  // Changes the tooltip of the icon; an icon added later carries it too.
  void SetTip(const std::string& tip);

 private:
  NOTIFYICONDATAA Record() const;
  HWND window_ = nullptr;
  UINT message_;
  HICON icon_;
  std::string tip_ = kAppCaption;
};

// Owner drawing of the tray menu.
constexpr COLORREF kTraySelectedColor = RGB(198, 211, 239);
constexpr COLORREF kTrayBarColor = RGB(222, 223, 227);
constexpr int kTrayBarWidth = 20;    // the side bar
constexpr int kTrayTextLeft = 30;    // captions start here
constexpr int kTrayWidthExtra = 23;  // added to a caption's width
constexpr int kTrayBarMinimum = 150; // least height total of the bar
constexpr int kTrayBarExtra = 40;    // the bar reaches this far below the total
constexpr int kTrayNameLeft = 2;     // where the rotated name starts
constexpr int kTrayNameBottom = 65;

class TrayMenu {
 public:
  // set_popupmenu's rendering: a new popup menu of the items, every item
  // but the separators owner-drawn, with the command of its identifier.
  void Build(std::vector<TrayMenuItem> items);
  HMENU handle() const { return menu_.get(); }
  const std::vector<TrayMenuItem>& items() const { return items_; }
  std::vector<TrayMenuItem>& items() { return items_; }
  // Shows the menu at the cursor for `window`; the item chosen, or nullptr.
  const TrayMenuItem* Track(HWND window) const;
  // The item with a menu command identifier; nullptr for none.
  const TrayMenuItem* ItemFor(UINT command) const;
  static UINT CommandOf(const TrayMenuItem& item);

  // WM_MEASUREITEM and WM_DRAWITEM: true when they were the menu's.
  bool OnOwnerDraw(UINT msg, LPARAM lp);
  // WM_MEASUREITEM and WM_DRAWITEM of the menu's items.
  void MeasureItem(MEASUREITEMSTRUCT& m);
  void popupDrawItem(const DRAWITEMSTRUCT& d);

 private:
  void DrawBar(HDC canvas);
  Menu menu_;
  std::vector<TrayMenuItem> items_;
  int heightTotal_ = 0;  // of the items measured since the bar was last drawn
};

}  // namespace zt
