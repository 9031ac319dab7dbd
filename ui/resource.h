// Resource, control and command identifiers of the program's windows.
// Controls: IDC_ and the component's name; actions and menu items: IDM_.
#pragma once

// Icons, bitmaps, menus, accelerators, dialog templates.
#define IDI_APP 1
#define IDB_IMAGELIST1 100
#define IDR_MAINMENU 200
#define IDR_MAINSHORTCUTS 201
#define IDD_MAIN 300

// The main window Tzapotrix_main.
#define IDC_GROUPBOX3 1001
#define IDC_LISTVIEW1 1002
#define IDC_BTOPENRULE 1003
#define IDC_LABEL1 1004
#define IDC_TABSET1 1005
#define IDC_STATUSBAR1 1006
// Window sizes (TabSet1 tab 0).
#define IDC_GROUPBOXWS 1100
#define IDC_LISTVIEWWDS 1101
#define IDC_GROUPBOX5 1102
#define IDC_LABEL7 1103
#define IDC_EDWIDTH 1104
#define IDC_LABEL6 1105
#define IDC_EDHEIGHT 1106
#define IDC_BTADDTOGRID 1107
#define IDC_BTREMWDS 1108
#define IDC_GROUPBOX6 1109
#define IDC_LABEL10 1110
#define IDC_EDSWWIDTH 1111
#define IDC_LABEL11 1112
#define IDC_EDSWHEIGHT 1113
#define IDC_CHECKBOXSW 1114
// Addresses (tab 1).
#define IDC_GROUPBOXURL 1200
#define IDC_LISTVIEWURL 1201
#define IDC_GROUPBOX7 1202
#define IDC_EDADDURL 1203
#define IDC_LABEL2 1204
#define IDC_BTURLADD 1205
#define IDC_BTURLDEL 1206
// Keywords (tab 2).
#define IDC_GROUPBOXADS 1300
#define IDC_LISTVIEWADS 1301
#define IDC_GROUPBOX1 1302
#define IDC_EDADDKEY 1303
#define IDC_LABEL3 1304
#define IDC_BTADDKEY 1305
#define IDC_BTDELKEY 1306
// Window captions (tab 3).
#define IDC_GROUPBOXWCS 1400
#define IDC_LISTVIEWWCS 1401
#define IDC_GROUPBOX2 1402
#define IDC_EDADDCAPTION 1403
#define IDC_BTADD 1404
#define IDC_BUTTONREMOVE 1405

// Actions of ActionManager1 (menu bar and shortcuts).
#define IDM_ACTION_ZAPOTRIXHALTEN 2001
#define IDM_ACTION_CLOSE 2002
#define IDM_ACTION_DATENBANKUPDATER 2003
#define IDM_ACTION_HOSTLISTENEDITOR 2004
#define IDM_ACTION_EINSTELLUNGEN 2005
#define IDM_ACTION_STATISTIK 2006
#define IDM_ACTION4_HANDBUCH 2007
#define IDM_ACTION_PRODUKTE_NEWS 2008
#define IDM_ACTION_INFO 2009
#define IDM_ACTION_ZAPOTRIX_ANZEIGEN 2010

// Items of the tray menu PopupMenu1: the fixed ones, then ItemX0, ItemX1, ...
// from IDM_ITEMX0 on (one per active browser window).
#define IDM_ITEM_ANZEIGEN 2101
#define IDM_ITEM_EINSTELLUNGEN 2102
#define IDM_ITEM_STATISTIK 2103
#define IDM_ITEM_ANHALTEN 2104
#define IDM_ITEM_BEENDEN 2105
#define IDM_ITEMX0 2200

// The statistics and history window TQvStatistik.
#define IDD_QVSTATISTIK 350
#define IDC_LISTVIEWHISTORY 3500
#define IDC_STATISTIK_GROUPBOX1 3501
#define IDC_STATISTIK_EDIT1 3502
#define IDC_STATISTIK_EDIT2 3503
#define IDC_STATISTIK_EDIT3 3504
#define IDC_STATISTIK_EDIT4 3505
#define IDC_STATISTIK_EDIT7 3506
#define IDC_STATISTIK_EDIT5 3507
#define IDC_STATISTIK_EDIT8 3508
#define IDC_STATISTIK_BUTTON1 3509
#define IDC_STATISTIK_BUTTON2 3510
// The context menu of a history row.
#define IDR_HISTORYMENU 212
#define IDM_REGELENTFERNEN1 3700

// The rule assistant TQvRule and the context menu of its table.
#define IDD_QVRULE 360
#define IDR_RULEMENU 211
#define IDC_RULE_LABEL1 3600
#define IDC_RULE_GROUPBOX2 3601
#define IDC_LISTVIEWRULE 3602
#define IDC_RULE_LABEL2 3603
#define IDC_RULE_EDIT1 3604
#define IDC_RULE_BUTTON1 3605
#define IDC_BTRULEADD 3606
#define IDC_BTCANCEL 3607
#define IDM_HINZUFGEN1 3680
#define IDM_NICHTHINZUFGEN1 3681
