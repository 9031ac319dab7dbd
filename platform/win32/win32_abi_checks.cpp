// The sizes of the records our Win32 code hands to the system or reads from
// it, as the 32-bit product lays them out. The tests under Wine may run on a
// 64-bit build, where these records are larger and a 32-bit fault (a wrong
// size field, packing, a definition that widened a record past what Windows
// 95 to XP accept) would never show: these checks fail the 32-bit build
// itself, on every machine that builds it. Nothing here runs.
#include "platform/win32/win.h"

#include <commctrl.h>
#include <commdlg.h>
#include <shellapi.h>

#include <cstddef>

namespace zt {
namespace {

template <class Record, size_t kBytes>
constexpr bool kSizeIs = sizeof(Record) == kBytes;

#if !defined(_WIN64)
// The tray icon's basic record (ui/tray.cpp): the one every shell version
// takes, and the size another process checks our icon with.
static_assert(NOTIFYICONDATAA_V1_SIZE == 88, "the basic tray record is 88 bytes");
static_assert(offsetof(NOTIFYICONDATAA, szTip) == 24 && sizeof(NOTIFYICONDATAA::szTip) >= 64,
              "the basic tray record ends with a 64-byte tooltip");

// List views, their columns and their notifications (the main window, the
// rule window, the statistics window, the hosts editor).
static_assert(kSizeIs<LVITEMA, 52>, "LVITEMA");
static_assert(kSizeIs<LVCOLUMNA, 32>, "LVCOLUMNA");
static_assert(kSizeIs<LVHITTESTINFO, 20>, "LVHITTESTINFO");
static_assert(kSizeIs<HDITEMA, 44>, "HDITEMA");
static_assert(kSizeIs<NMHDR, 12>, "NMHDR");
static_assert(kSizeIs<NMLISTVIEW, 44>, "NMLISTVIEW");
static_assert(kSizeIs<NMLVDISPINFOA, 64>, "NMLVDISPINFOA");
static_assert(kSizeIs<NMLVFINDITEMA, 40>, "NMLVFINDITEMA");
static_assert(offsetof(NMLVDISPINFOA, item) == sizeof(NMHDR), "a display-info record starts with its header");

// Tabs, tooltips (registered with the version 2 size that the common
// controls of Windows 95 take), menus and owner-drawn menu items.
static_assert(kSizeIs<TCITEMA, 28>, "TCITEMA");
// (The headers' own size macros are no constant expressions: the same
// sums, written with offsetof.)
static_assert(offsetof(TTTOOLINFOA, lParam) + sizeof(LPARAM) == 44,
              "the tooltip record as the common controls 4.70 know it (TTTOOLINFOA_V2_SIZE)");
static_assert(kSizeIs<MENUITEMINFOA, 48>, "MENUITEMINFOA");
static_assert(offsetof(MENUITEMINFOA, hbmpItem) == 44, "the Windows 95 and NT 4 menu item record ends at hbmpItem");
static_assert(kSizeIs<MEASUREITEMSTRUCT, 24>, "MEASUREITEMSTRUCT");
static_assert(kSizeIs<DRAWITEMSTRUCT, 48>, "DRAWITEMSTRUCT");

// The file dialogs take the size Windows 95 and NT 4 know.
static_assert(offsetof(OPENFILENAMEA, lpTemplateName) + sizeof(LPCSTR) == 76,
              "OPENFILENAMEA as Windows 95 knows it (OPENFILENAME_SIZE_VERSION_400A)");

// Window classes, the message loop, metrics and fonts, images.
static_assert(kSizeIs<WNDCLASSA, 40>, "WNDCLASSA");
static_assert(kSizeIs<WNDCLASSEXA, 48>, "WNDCLASSEXA");
static_assert(kSizeIs<MSG, 28>, "MSG");
static_assert(kSizeIs<NONCLIENTMETRICSA, 340>, "NONCLIENTMETRICSA without the Vista field");
static_assert(kSizeIs<LOGFONTA, 60>, "LOGFONTA");
static_assert(kSizeIs<INITCOMMONCONTROLSEX, 8>, "INITCOMMONCONTROLSEX");
static_assert(kSizeIs<BITMAPINFO, 44>, "BITMAPINFO");

// The platform backend: version, files, services, processes.
static_assert(kSizeIs<OSVERSIONINFOA, 148>, "OSVERSIONINFOA");
static_assert(kSizeIs<WIN32_FIND_DATAA, 320>, "WIN32_FIND_DATAA");
static_assert(kSizeIs<SERVICE_STATUS, 28>, "SERVICE_STATUS");
static_assert(kSizeIs<STARTUPINFOA, 68>, "STARTUPINFOA");
static_assert(kSizeIs<PROCESS_INFORMATION, 16>, "PROCESS_INFORMATION");
#endif

// Both builds: records whose size does not depend on the pointer width.
static_assert(kSizeIs<SERVICE_STATUS, 28> && kSizeIs<OSVERSIONINFOA, 148>, "fixed-size records");

}  // namespace
}  // namespace zt
