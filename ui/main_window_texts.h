// Which text of the main window's language table goes into which control,
// list column, tooltip and menu item. The window's language routine writes
// them; the tests read them back from the real window.
#pragma once
#include "lang/texts.h"
#include "ui/controls.h"
#include "ui/resource.h"

namespace zt {

inline constexpr ControlText<MainWindowTexts> kControlTexts[] = {
    {IDC_BTOPENRULE, &MainWindowTexts::BTOpenRule},     {IDC_BTURLADD, &MainWindowTexts::BtURLAdd},
    {IDC_BTURLDEL, &MainWindowTexts::BtUrlDel},         {IDC_LABEL1, &MainWindowTexts::Label1},
    {IDC_GROUPBOX3, &MainWindowTexts::GroupBox3},       {IDC_GROUPBOX7, &MainWindowTexts::GroupBox7},
    {IDC_LABEL2, &MainWindowTexts::Label2},             {IDC_GROUPBOXWS, &MainWindowTexts::GroupBoxWS},
    {IDC_GROUPBOX5, &MainWindowTexts::GroupBox5},       {IDC_LABEL7, &MainWindowTexts::Label7},
    {IDC_LABEL6, &MainWindowTexts::Label6},             {IDC_BTADDTOGRID, &MainWindowTexts::BtAddtoGrid},
    {IDC_BTREMWDS, &MainWindowTexts::BtRemWDS},         {IDC_GROUPBOX6, &MainWindowTexts::GroupBox6},
    {IDC_LABEL10, &MainWindowTexts::Label10},           {IDC_LABEL11, &MainWindowTexts::Label11},
    {IDC_CHECKBOXSW, &MainWindowTexts::CheckBoxSW},     {IDC_GROUPBOXADS, &MainWindowTexts::GroupBoxADS},
    {IDC_GROUPBOX1, &MainWindowTexts::GroupBox1},       {IDC_LABEL3, &MainWindowTexts::Label3},
    {IDC_BTADDKEY, &MainWindowTexts::BtAddKey},         {IDC_BTDELKEY, &MainWindowTexts::BTDelKey},
    {IDC_GROUPBOXWCS, &MainWindowTexts::GroupBoxWCS},   {IDC_GROUPBOX2, &MainWindowTexts::GroupBox2},
    {IDC_BTADD, &MainWindowTexts::BtAdd},               {IDC_BUTTONREMOVE, &MainWindowTexts::ButtonRemove},
};
struct ColumnText {
  int control;
  int column;
  const char* MainWindowTexts::*text;
};
inline constexpr ColumnText kColumnTexts[] = {
    {IDC_LISTVIEW1, 0, &MainWindowTexts::ListView1Column0},
    {IDC_LISTVIEWURL, 0, &MainWindowTexts::ListViewURLColumn0},
    {IDC_LISTVIEWWDS, 0, &MainWindowTexts::ListViewWDSColumn0},
    {IDC_LISTVIEWWDS, 1, &MainWindowTexts::ListViewWDSColumn1},
    {IDC_LISTVIEWADS, 0, &MainWindowTexts::ListViewADSColumn0},
    {IDC_LISTVIEWWCS, 0, &MainWindowTexts::ListViewWCSColumn0},
};

inline constexpr ControlText<MainWindowTexts> kHints[] = {
    {IDC_BTOPENRULE, &MainWindowTexts::BTOpenRuleHint},   {IDC_BTADDKEY, &MainWindowTexts::BtAddKeyHint},
    {IDC_BTDELKEY, &MainWindowTexts::BTDelKeyHint},       {IDC_LISTVIEWADS, &MainWindowTexts::ListViewADSHint},
    {IDC_BTURLADD, &MainWindowTexts::BtURLAddHint},       {IDC_BTURLDEL, &MainWindowTexts::BtUrlDelHint},
    {IDC_LISTVIEWURL, &MainWindowTexts::ListViewURLHint}, {IDC_BTADD, &MainWindowTexts::BtAddHint},
    {IDC_BUTTONREMOVE, &MainWindowTexts::ButtonRemoveHint}, {IDC_LISTVIEWWCS, &MainWindowTexts::ListViewWCSHint},
    {IDC_BTADDTOGRID, &MainWindowTexts::BtAddtoGridHint}, {IDC_BTREMWDS, &MainWindowTexts::BtRemWDSHint},
    {IDC_LISTVIEW1, &MainWindowTexts::ListView1Hint},     {IDC_LISTVIEWWDS, &MainWindowTexts::ListViewWDSHint},
};
// Menu bar items by position, actions by command.
inline constexpr MenuText<MainWindowTexts> kMenuTexts[] = {
    {0, true, &MainWindowTexts::MenuDatei},
    {2, true, &MainWindowTexts::MenuExtras},
    {3, true, &MainWindowTexts::MenuHilfe},
    {IDM_ACTION_CLOSE, false, &MainWindowTexts::Action_close},
    {IDM_ACTION4_HANDBUCH, false, &MainWindowTexts::Action4_handbuch},
    {IDM_ACTION_PRODUKTE_NEWS, false, &MainWindowTexts::Action_produkte_news},
    {IDM_ACTION_DATENBANKUPDATER, false, &MainWindowTexts::Action_DatenbankUpdater},
    {IDM_ACTION_HOSTLISTENEDITOR, false, &MainWindowTexts::Action_Hostlisteneditor},
    {IDM_ACTION_EINSTELLUNGEN, false, &MainWindowTexts::Action_Einstellungen},
};

}  // namespace zt
