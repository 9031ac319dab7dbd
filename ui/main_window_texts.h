// Which text of the main window's language table goes into which control
// and list column. The window's language routine writes them; the tests
// read them back from the real window.
#pragma once
#include "lang/texts.h"
#include "ui/resource.h"

namespace zt {

struct ControlText {
  int control;
  const char* MainWindowTexts::*text;
};
inline constexpr ControlText kControlTexts[] = {
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

}  // namespace zt
