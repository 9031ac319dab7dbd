// The settings dialog: creation from its templates, texts and tooltips,
// the pages, the modal run and the common closing of the secondary windows.
#include "ui/konfiguration_window.h"

#include <commctrl.h>

#include "ui/konfiguration_texts.h"
#include "ui/resource.h"
#include "ui/secondary_window.h"

namespace zt {
namespace {

constexpr char kKonfigClass[] = "TKonfiguration";
static_assert(sizeof kKonfigControlIds / sizeof kKonfigControlIds[0] == kKonfigControlCount,
              "one control for each KonfigControl");

// The tooltips of the whole application: shown after 250 ms, for 10 s.
constexpr int kHintPauseMs = 250;
constexpr int kHintHidePauseMs = 10000;

// The tab captions: the language's for pages 0, 4 and 5, design texts for
// the others.
const char* TabCaption(const SettingsTexts& t, int page) {
  switch (page) {
    case 0: return t.TabSheet1;
    case 1: return kSettingsTabSheet2;
    case 2: return kSettingsTabSheet3;
    case 3: return kSettingsTabSheet4;
    case 4: return t.TabSheet5;
    default: return t.TabSheet7;
  }
}

struct TooltipSearch {
  HWND owner;
  bool active;
};

BOOL CALLBACK ActivateIfOwnedTooltip(HWND w, LPARAM lp) {
  auto* s = reinterpret_cast<TooltipSearch*>(lp);
  char cls[32] = {};
  GetClassNameA(w, cls, sizeof cls);
  if (GetWindow(w, GW_OWNER) == s->owner && lstrcmpiA(cls, TOOLTIPS_CLASSA) == 0)
    SendMessageA(w, TTM_ACTIVATE, s->active ? TRUE : FALSE, 0);
  return TRUE;
}

// Switches the tooltip windows owned by a window on or off.
void ActivateOwnedTooltips(HWND owner, bool active) {
  TooltipSearch search{owner, active};
  EnumThreadWindows(GetCurrentThreadId(), ActivateIfOwnedTooltip, reinterpret_cast<LPARAM>(&search));
}

}  // namespace

KonfigurationWindow::KonfigurationWindow(ZapotrixMain& main, HWND mainWindow)
    : main_(main), mainWindow_(mainWindow), language_([](const Texts& t) -> const SettingsTexts& { return t.settings; }) {}

KonfigurationWindow::~KonfigurationWindow() {
  EnableMainWindow();
  if (hwnd()) DestroyWindow(hwnd());
}

bool KonfigurationWindow::Create() {
  if (!CreateFromTemplate(kKonfigClass, IDD_KONFIGURATION, mainWindow_, nullptr)) return false;
  logic_ = std::make_unique<Konfiguration>(main_, *this);
  FormCreateControls();
  return true;
}

// The parts a template cannot hold: the client size and the place on the
// screen, the pages and their tabs, the tooltips, the design texts.
void KonfigurationWindow::FormCreateControls() {
  HWND self = hwnd();
  PlaceSecondary(self, mainWindow_, kKonfigClientWidth, kKonfigClientHeight);

  HWND tabs = GetDlgItem(self, IDC_PAGECONTROL1);
  SetWindowLongPtrA(tabs, GWL_STYLE, GetWindowLongPtrA(tabs, GWL_STYLE) | WS_CLIPSIBLINGS);
  RECT area;
  GetWindowRect(tabs, &area);
  MapWindowPoints(nullptr, self, reinterpret_cast<POINT*>(&area), 2);
  HINSTANCE inst = GetModuleHandleA(nullptr);
  for (int i = 0; i < kKonfigPageCount; ++i) {
    TCITEMA tab = {};
    tab.mask = TCIF_TEXT;
    tab.pszText = const_cast<char*>("");
    SendMessageA(tabs, TCM_INSERTITEMA, i, reinterpret_cast<LPARAM>(&tab));
  }
  TabCtrl_AdjustRect(tabs, FALSE, &area);
  for (int i = 0; i < kKonfigPageCount; ++i) {
    HWND page = CreateDialogParamA(inst, MAKEINTRESOURCEA(kKonfigPages[i].templateId), self, PageProc, 0);
    SetWindowLongPtrA(page, GWLP_ID, kKonfigPages[i].control);
    SetWindowPos(page, HWND_TOP, area.left, area.top, area.right - area.left, area.bottom - area.top,
                 SWP_NOACTIVATE);
    pages_[static_cast<size_t>(i)] = page;
  }

  auto item = [this](int control) { return Item(control); };
  hints_.Create(self);
  hints_.SetPauses(kHintPauseMs, kHintHidePauseMs);
  hints_.Add(kKonfigHints, item);

  // The design: the German texts and those no language routine changes.
  ApplyTexts(GermanTexts().settings);
  for (const KonfigDesignText& d : kKonfigDesignTexts) SetWindowTextA(Item(d.control), d.text);

  SetHelpContext(kKonfigInitialHelpContext);
  TabCtrl_SetCurSel(tabs, kKonfigInitialPage);
  ShowPage(kKonfigInitialPage);
}

void KonfigurationWindow::ApplyTexts(const SettingsTexts& t) {
  SetWindowTextA(hwnd(), t.caption);
  auto item = [this](int control) { return Item(control); };
  SetControlTexts(kKonfigControlTexts, t, item);
  HWND tabs = GetDlgItem(hwnd(), IDC_PAGECONTROL1);
  for (int i = 0; i < kKonfigPageCount; ++i) {
    TCITEMA tab = {};
    tab.mask = TCIF_TEXT;
    tab.pszText = const_cast<char*>(TabCaption(t, i));
    SendMessageA(tabs, TCM_SETITEMA, i, reinterpret_cast<LPARAM>(&tab));
  }
  hints_.SetTexts(kKonfigHints, t, item);
}

HWND KonfigurationWindow::Item(int control) const {
  if (HWND h = GetDlgItem(hwnd(), control)) return h;
  for (HWND page : pages_)
    if (HWND h = page ? GetDlgItem(page, control) : nullptr) return h;
  return nullptr;
}

HWND KonfigurationWindow::ControlOf(KonfigControl c) const {
  return Item(kKonfigControlIds[static_cast<int>(c)]);
}

int KonfigurationWindow::PageIndex() const {
  return TabCtrl_GetCurSel(GetDlgItem(hwnd(), IDC_PAGECONTROL1));
}

void KonfigurationWindow::ShowPage(int index) {
  for (int i = 0; i < kKonfigPageCount; ++i)
    ShowWindow(pages_[static_cast<size_t>(i)], i == index ? SW_SHOW : SW_HIDE);
}

// ---- the modal run ----

void KonfigurationWindow::Open() {
  // Modal: the main window takes no input while the dialog is open; its
  // timers keep running, so a changed scanner or speed acts at once.
  if (IsWindowEnabled(mainWindow_)) {
    EnableWindow(mainWindow_, FALSE);
    mainDisabled_ = true;
  }
  logic_->FormShow();
  ShowWindow(hwnd(), SW_SHOW);
  SetForegroundWindow(hwnd());
}

void KonfigurationWindow::RunModal() {
  zt::RunModal(hwnd(), nullptr, closed_);
  EnableMainWindow();
}

void KonfigurationWindow::ShowModal() {
  Open();
  RunModal();
}

void KonfigurationWindow::EnableMainWindow() {
  if (!mainDisabled_) return;
  mainDisabled_ = false;
  if (IsWindow(mainWindow_)) EnableWindow(mainWindow_, TRUE);
}

// FormClose: OK, Cancel and the frame's close box end here. The main
// window takes input again before the dialog goes, so the system does not
// hand the activation to another program.
void KonfigurationWindow::Close() {
  closed_ = true;
  EnableMainWindow();
  if (IsWindowVisible(mainWindow_)) {
    ShowWindow(hwnd(), SW_HIDE);
    SetForegroundWindow(mainWindow_);
  }
}

// ---- KonfigurationView ----

bool KonfigurationWindow::Checked(KonfigControl c) {
  return SendMessageA(ControlOf(c), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void KonfigurationWindow::SetChecked(KonfigControl c, bool checked) {
  SendMessageA(ControlOf(c), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void KonfigurationWindow::SetEnabled(KonfigControl c, bool enabled) { EnableWindow(ControlOf(c), enabled); }

void KonfigurationWindow::SetVisible(KonfigControl c, bool visible) {
  ShowWindow(ControlOf(c), visible ? SW_SHOW : SW_HIDE);
}

void KonfigurationWindow::SetTitle(const std::string& title) { SetWindowTextA(hwnd(), title.c_str()); }

void KonfigurationWindow::SetLanguage(int language) {
  if (language_.Set(language)) ApplyTexts(language_.texts());
}

void KonfigurationWindow::SetHintsActive(bool active) {
  hints_.Activate(active);
  ActivateOwnedTooltips(mainWindow_, active);
}

void KonfigurationWindow::SetHelpContext(int context) {
  helpContext_ = context;
  SetWindowContextHelpId(hwnd(), static_cast<DWORD>(context));
}

void KonfigurationWindow::Show() { ShowWindow(hwnd(), SW_SHOW); }

void KonfigurationWindow::Hide() { ShowWindow(hwnd(), SW_HIDE); }

void KonfigurationWindow::ProcessPendingMessages() { PumpPendingMessages(); }

// ---- messages ----

// The pages pass their controls' commands to the dialog.
INT_PTR CALLBACK KonfigurationWindow::PageProc(HWND page, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_COMMAND) {
    SendMessageA(GetParent(page), WM_COMMAND, wp, lp);
    return TRUE;
  }
  return FALSE;
}

void KonfigurationWindow::OnCommand(int id, int code) {
  if (code != BN_CLICKED) return;
  switch (id) {
    case IDC_KONF_BT_OK: logic_->BT_OKClick(); return;
    case IDC_KONF_BT_CANCEL:
    case IDCANCEL:  // Escape
      logic_->BT_CancelClick();
      return;
  }
  for (int c = 0; c < kKonfigControlCount; ++c)
    if (kKonfigControlIds[c] == id) logic_->Click(static_cast<KonfigControl>(c));
}

LRESULT KonfigurationWindow::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  if (!logic_) return Default(msg, wp, lp);  // still inside the template's creation
  switch (msg) {
    case WM_COMMAND:
      OnCommand(LOWORD(wp), HIWORD(wp));
      return 0;
    case WM_NOTIFY: {
      auto& n = *reinterpret_cast<NMHDR*>(lp);
      if (n.idFrom == IDC_PAGECONTROL1 && n.code == TCN_SELCHANGE) {
        int page = TabCtrl_GetCurSel(n.hwndFrom);
        ShowPage(page);
        logic_->Pagecontrol1Change(page);
      }
      return 0;
    }
    case WM_CLOSE:
      // The frame's close box neither saves nor reloads.
      Close();
      return 0;
  }
  return Default(msg, wp, lp);
}

}  // namespace zt
