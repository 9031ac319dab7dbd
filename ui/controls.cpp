// Menu item texts, control texts and tooltips.
#include "ui/controls.h"

namespace zt {

#if !defined(_WIN64)
static_assert(kMenuItemInfoSize == 44, "the menu item record of Windows 95 and NT 4");
#endif

void SetMenuItemText(HMENU menu, UINT item, bool byPosition, const std::string& text) {
  MENUITEMINFOA info = {};
  info.cbSize = kMenuItemInfoSize;
  info.fMask = MIIM_TYPE;
  info.fType = MFT_STRING;
  info.dwTypeData = const_cast<char*>(text.c_str());
  SetMenuItemInfoA(menu, item, byPosition, &info);
}

std::string ControlString(HWND control) {
  int length = GetWindowTextLengthA(control);
  std::string text(static_cast<size_t>(length) + 1, '\0');
  text.resize(static_cast<size_t>(GetWindowTextA(control, &text[0], length + 1)));
  return text;
}

void AddListColumn(HWND list, int column, int width, const char* caption) {
  LVCOLUMNA col = {};
  col.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT;
  col.fmt = LVCFMT_LEFT;
  col.cx = width;
  col.pszText = const_cast<char*>(caption);
  ListView_InsertColumn(list, column, &col);
}

void SetListColumnText(HWND list, int column, const char* caption) {
  LVCOLUMNA col = {};
  col.mask = LVCF_TEXT;
  col.pszText = const_cast<char*>(caption);
  ListView_SetColumn(list, column, &col);
}

void SetStatusText(HWND status, int panel, const std::string& text) {
  constexpr size_t kMax = 127;
  std::string shown = text.size() <= kMax ? text : text.substr(0, kMax - 3) + "...";
  SendMessageA(status, SB_SETTEXTA, panel, reinterpret_cast<LPARAM>(shown.c_str()));
  SendMessageA(status, SB_SETTIPTEXTA, panel, reinterpret_cast<LPARAM>(text.c_str()));
}

std::string CtrlShortcutText(char key) {
  char ctrl[32] = {};
  if (!GetKeyNameTextA(static_cast<LONG>(MapVirtualKeyA(VK_CONTROL, 0) << 16), ctrl, sizeof ctrl)) return "";
  return std::string(ctrl) + "+" + key;
}

RECT ScreenRect(HWND window) {
  RECT r = {};
  GetWindowRect(window, &r);
  return r;
}

Tooltips::~Tooltips() {
  if (window_ && IsWindow(window_)) DestroyWindow(window_);
}

void Tooltips::Create(HWND owner) {
  window_ = CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                            CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr, GetModuleHandleA(nullptr), nullptr);
}

namespace {

// A control's tool: it lives in its parent (a page of the settings dialog,
// or the window itself).
TOOLINFOA Tool(HWND control, const char* text) {
  TOOLINFOA tool = {};
  tool.cbSize = TTTOOLINFOA_V2_SIZE;
  tool.hwnd = GetParent(control);
  tool.uId = reinterpret_cast<UINT_PTR>(control);
  tool.lpszText = const_cast<char*>(text);
  return tool;
}

}  // namespace

void Tooltips::Add(HWND control) {
  TOOLINFOA tool = Tool(control, "");
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  SendMessageA(window_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
}

void Tooltips::SetText(HWND control, const char* text) {
  TOOLINFOA tool = Tool(control, text);
  SendMessageA(window_, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&tool));
}

void Tooltips::Activate(bool active) { SendMessageA(window_, TTM_ACTIVATE, active ? TRUE : FALSE, 0); }

void Tooltips::SetPauses(int pauseMs, int hidePauseMs) {
  SendMessageA(window_, TTM_SETDELAYTIME, TTDT_INITIAL, MAKELPARAM(pauseMs, 0));
  SendMessageA(window_, TTM_SETDELAYTIME, TTDT_AUTOPOP, MAKELPARAM(hidePauseMs, 0));
}

}  // namespace zt
