// The tray icon and the drawing of the tray menu.
#include "ui/tray.h"

#include <algorithm>
#include <cstring>

#include "lang/texts.h"
#include "ui/resource.h"

namespace zt {

NOTIFYICONDATAA TrayIcon::Record() const {
  NOTIFYICONDATAA nid = {};
  nid.cbSize = kRecordSize;
  nid.hWnd = window_;
  nid.uID = kId;
  nid.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  nid.uCallbackMessage = message_;
  nid.hIcon = icon_;
  lstrcpynA(nid.szTip, tip_.c_str(), sizeof nid.szTip);
  return nid;
}

bool TrayIcon::Add() {
  NOTIFYICONDATAA nid = Record();
  return Shell_NotifyIconA(NIM_ADD, &nid) != FALSE;
}

void TrayIcon::SetTip(const std::string& tip) {
  tip_ = tip;
  if (!window_) return;
  NOTIFYICONDATAA nid = Record();
  nid.uFlags = NIF_TIP;
  Shell_NotifyIconA(NIM_MODIFY, &nid);
}

void TrayIcon::Remove() {
  if (!window_) return;
  NOTIFYICONDATAA nid = Record();
  Shell_NotifyIconA(NIM_DELETE, &nid);
}

UINT TrayMenu::CommandOf(const TrayMenuItem& item) {
  switch (item.command) {
    case TrayCommand::CreateRule: return IDM_ITEMX0 + static_cast<UINT>(item.position);
    case TrayCommand::Show: return IDM_ITEM_ANZEIGEN;
    case TrayCommand::Settings: return IDM_ITEM_EINSTELLUNGEN;
    case TrayCommand::Statistics: return IDM_ITEM_STATISTIK;
    case TrayCommand::Pause: return IDM_ITEM_ANHALTEN;
    case TrayCommand::Quit: return IDM_ITEM_BEENDEN;
    case TrayCommand::None: break;
  }
  return 0;
}

bool TrayMenu::OnOwnerDraw(UINT msg, LPARAM lp) {
  if (msg == WM_MEASUREITEM) {
    auto& item = *reinterpret_cast<MEASUREITEMSTRUCT*>(lp);
    if (item.CtlType != ODT_MENU) return false;
    MeasureItem(item);
    return true;
  }
  auto& item = *reinterpret_cast<DRAWITEMSTRUCT*>(lp);
  if (msg != WM_DRAWITEM || item.CtlType != ODT_MENU) return false;
  popupDrawItem(item);
  return true;
}

const TrayMenuItem* TrayMenu::Track(HWND window) const {
  // A menu of a window that is not in the foreground does not close when
  // the user clicks elsewhere; WM_NULL afterwards lets it close at once.
  SetForegroundWindow(window);
  POINT at = {};
  GetCursorPos(&at);
  UINT command = TrackPopupMenu(menu_.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x, at.y, 0, window, nullptr);
  PostMessageA(window, WM_NULL, 0, 0);
  return ItemFor(command);
}

const TrayMenuItem* TrayMenu::ItemFor(UINT command) const {
  for (const TrayMenuItem& item : items_)
    if (!item.separator() && CommandOf(item) == command) return &item;
  return nullptr;
}

void TrayMenu::Build(std::vector<TrayMenuItem> items) {
  items_ = std::move(items);
  menu_.reset(CreatePopupMenu());
  for (size_t i = 0; i < items_.size(); ++i) {
    const TrayMenuItem& item = items_[i];
    if (item.separator()) {
      AppendMenuA(menu_.get(), MF_SEPARATOR, 0, nullptr);
    } else {
      // The item data of an owner-drawn item is its index in items_.
      AppendMenuA(menu_.get(), MF_OWNERDRAW, CommandOf(item), reinterpret_cast<LPCSTR>(i));
    }
  }
  heightTotal_ = 0;
}

void TrayMenu::MeasureItem(MEASUREITEMSTRUCT& m) {
  if (m.itemData >= items_.size()) return;
  const std::string& caption = items_[m.itemData].caption;
  // The caption's width in the menu font; the proposed height stays.
  NONCLIENTMETRICSA metrics = {};
  metrics.cbSize = sizeof metrics;
  SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
  Font menuFont(CreateFontIndirectA(&metrics.lfMenuFont));
  ScreenDC canvas;
  Selection font(canvas.get(), menuFont.get());
  SIZE size = {};
  GetTextExtentPoint32A(canvas.get(), caption.c_str(), static_cast<int>(caption.size()), &size);
  m.itemWidth = static_cast<UINT>(size.cx + kTrayWidthExtra);
  heightTotal_ += static_cast<int>(m.itemHeight);
}

void TrayMenu::popupDrawItem(const DRAWITEMSTRUCT& d) {
  if (d.itemData >= items_.size()) return;
  const TrayMenuItem& item = items_[d.itemData];
  HDC canvas = d.hDC;
  RECT fill = d.rcItem;
  fill.left = kTrayBarWidth;
  bool selected = (d.itemState & ODS_SELECTED) != 0;
  if (selected) {
    Brush brush(CreateSolidBrush(kTraySelectedColor));
    FillRect(canvas, &fill, brush.get());
  } else {
    FillRect(canvas, &fill, GetSysColorBrush(COLOR_MENU));
  }
  RECT text = d.rcItem;
  text.left = kTrayTextLeft;
  int oldMode = SetBkMode(canvas, TRANSPARENT);
  COLORREF oldColor = SetTextColor(canvas, GetSysColor(COLOR_MENUTEXT));
  DrawTextA(canvas, item.caption.c_str(), static_cast<int>(item.caption.size()), &text,
            DT_SINGLELINE | DT_VCENTER | DT_NOCLIP);
  SetTextColor(canvas, oldColor);
  SetBkMode(canvas, oldMode);
  if (item.tag == kTagQuit) DrawBar(canvas);
}

void TrayMenu::DrawBar(HDC canvas) {
  heightTotal_ = std::max(heightTotal_, kTrayBarMinimum);
  RECT bar = {0, 0, kTrayBarWidth, heightTotal_ + kTrayBarExtra};
  Brush brush(CreateSolidBrush(kTrayBarColor));
  FillRect(canvas, &bar, brush.get());

  // The canvas font as Tahoma, bold, black, turned to run upwards.
  LOGFONTA lf = {};
  GetObjectA(GetCurrentObject(canvas, OBJ_FONT), sizeof lf, &lf);
  lstrcpynA(lf.lfFaceName, "Tahoma", LF_FACESIZE);
  lf.lfWeight = FW_BOLD;
  lf.lfEscapement = lf.lfOrientation = 900;
  lf.lfHeight -= 2;
  Font rotated(CreateFontIndirectA(&lf));
  Selection font(canvas, rotated.get());
  int oldMode = SetBkMode(canvas, TRANSPARENT);
  COLORREF oldColor = SetTextColor(canvas, RGB(0, 0, 0));
  TextOutA(canvas, kTrayNameLeft, kTrayNameBottom, kAppCaption, static_cast<int>(std::strlen(kAppCaption)));
  SetTextColor(canvas, oldColor);
  SetBkMode(canvas, oldMode);
  heightTotal_ = 0;
}

}  // namespace zt
