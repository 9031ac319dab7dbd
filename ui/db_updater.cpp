// The database updater window: its controls, texts and buttons; the steps
// of the run are UpdateRun's.
#include "ui/db_updater.h"

#include <commctrl.h>

#include "ui/resource.h"
#include "ui/secondary_window.h"

namespace zt {
namespace {

constexpr char kUpdaterClass[] = "TDBUpdater";
// The choices: Panel1 takes their place during the run.
constexpr int kChoiceControls[] = {IDC_UPD_GROUPBOX1,  IDC_CHECKBOXUPWDS, IDC_CHECKBOXUPURL,
                                   IDC_CHECKBOXUPADS,  IDC_CHECKBOXUPWCS, IDC_CHECKBOXUPCLEAR};
constexpr int kPanelControls[] = {IDC_UPD_PANEL1, IDC_UPD_LISTBOX1, IDC_PROGRESSCHECK};
constexpr int kCheckBoxes[] = {IDC_CHECKBOXUPWDS, IDC_CHECKBOXUPURL, IDC_CHECKBOXUPADS, IDC_CHECKBOXUPWCS,
                               IDC_CHECKBOXUPCLEAR};

}  // namespace

DBUpdater::DBUpdater(AppState& app, HWND mainWindow)
    : app_(app), main_(mainWindow), run_(app, *this),
      language_([](const Texts& t) -> const UpdaterTexts& { return t.updater; }) {}

DBUpdater::~DBUpdater() {
  if (hwnd()) DestroyWindow(hwnd());
}

bool DBUpdater::Create() {
  if (!CreateFromTemplate(kUpdaterClass, IDD_DBUPDATER, main_, nullptr)) return false;
  PlaceSecondary(hwnd(), main_);
  SendDlgItemMessageA(hwnd(), IDC_PROGRESSCHECK, PBM_SETRANGE, 0, MAKELPARAM(0, kProgressEnd));
  // Every opening starts with all choices checked.
  for (int box : kCheckBoxes) CheckDlgButton(hwnd(), box, BST_CHECKED);
  return true;
}

void DBUpdater::Show() {
  FormShow();
  ShowWindow(hwnd(), SW_SHOW);
  UpdateWindow(hwnd());
}

void DBUpdater::ShowModal() {
  Show();
  RunModal(hwnd(), main_, closed_);
}

void DBUpdater::FormShow() {
  SetLanguage(app_.flags.IsGerman ? kLanguageGerman : kLanguageEnglish);
  run_.FormShow();
}

void DBUpdater::SetLanguage(int language) {
  if (!language_.Set(language)) return;
  const UpdaterTexts& t = language_.texts();
  SetWindowTextA(hwnd(), t.caption);
  SetDlgItemTextA(hwnd(), IDC_UPD_LABEL1, t.Label1);
  SetDlgItemTextA(hwnd(), IDC_UPD_LABEL4, t.Label4);
  SetDlgItemTextA(hwnd(), IDC_UPD_GROUPBOX1, t.GroupBox1);
  SetDlgItemTextA(hwnd(), IDC_CHECKBOXUPWDS, t.CheckBoxUPWDS);
  SetDlgItemTextA(hwnd(), IDC_CHECKBOXUPURL, t.CheckBoxUPURL);
  SetDlgItemTextA(hwnd(), IDC_CHECKBOXUPADS, t.CheckBoxUPADS);
  SetDlgItemTextA(hwnd(), IDC_CHECKBOXUPWCS, t.CheckBoxUPWCS);
  SetDlgItemTextA(hwnd(), IDC_CHECKBOXUPCLEAR, t.CheckBoxUpClear);
}

void DBUpdater::BTUpdateClick() {
  UpdateChoices choices;
  choices.WDS = Checked(IDC_CHECKBOXUPWDS);
  choices.URL = Checked(IDC_CHECKBOXUPURL);
  choices.ADS = Checked(IDC_CHECKBOXUPADS);
  choices.WCS = Checked(IDC_CHECKBOXUPWCS);
  choices.keepExisting = Checked(IDC_CHECKBOXUPCLEAR);
  run_.BTUpdateClick(choices);
  if (run_.Running() && !closed_) SetTimer(hwnd(), kUpdatePollTimerId, kUpdatePollMs, nullptr);
}

void DBUpdater::PollTimer() {
  if (!run_.Poll()) KillTimer(hwnd(), kUpdatePollTimerId);
}

void DBUpdater::FormClose() {
  if (closed_) return;
  closed_ = true;
  // A download still running ends on its own; what it fetches is not merged.
  KillTimer(hwnd(), kUpdatePollTimerId);
  HideSecondary(hwnd(), main_);
}

void DBUpdater::ShowProgressPanel(bool visible) {
  for (int id : kChoiceControls) ShowWindow(Item(id), visible ? SW_HIDE : SW_SHOW);
  for (int id : kPanelControls) ShowWindow(Item(id), visible ? SW_SHOW : SW_HIDE);
}

void DBUpdater::ClearLines() { SendDlgItemMessageA(hwnd(), IDC_UPD_LISTBOX1, LB_RESETCONTENT, 0, 0); }

void DBUpdater::AddLine(const std::string& line) {
  LRESULT index = SendDlgItemMessageA(hwnd(), IDC_UPD_LISTBOX1, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
  if (index >= 0) SendDlgItemMessageA(hwnd(), IDC_UPD_LISTBOX1, LB_SETTOPINDEX, static_cast<WPARAM>(index), 0);
}

void DBUpdater::SetProgress(int position) {
  SendDlgItemMessageA(hwnd(), IDC_PROGRESSCHECK, PBM_SETPOS, static_cast<WPARAM>(position), 0);
}

void DBUpdater::SetUpdateButton(const std::string& caption, bool enabled) {
  SetDlgItemTextA(hwnd(), IDC_BTUPDATE, caption.c_str());
  EnableWindow(Item(IDC_BTUPDATE), enabled);
}

void DBUpdater::SetCloseButton(const std::string& caption, bool enabled) {
  SetDlgItemTextA(hwnd(), IDC_BTCLOSE, caption.c_str());
  EnableWindow(Item(IDC_BTCLOSE), enabled);
}

void DBUpdater::ProcessPendingMessages() { PumpPendingMessages(); }

LRESULT DBUpdater::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_COMMAND: {
      int id = LOWORD(wp), code = HIWORD(wp);
      if (id == IDC_BTUPDATE && code == BN_CLICKED) BTUpdateClick();
      else if ((id == IDC_BTCLOSE && code == BN_CLICKED) || id == IDCANCEL) {
        // Escape acts as the close button, and only while that is enabled.
        if (IsWindowEnabled(Item(IDC_BTCLOSE))) BTCloseClick();
      }
      return 0;
    }
    case WM_TIMER:
      if (wp == kUpdatePollTimerId) PollTimer();
      return 0;
    case WM_CLOSE:
      // The title bar's close box: like "Cancel"/"Close", also after a
      // success, when that button is disabled and "Finish" leaves.
      BTCloseClick();
      return 0;
  }
  return Default(msg, wp, lp);
}

}  // namespace zt
