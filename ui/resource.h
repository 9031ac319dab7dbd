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

// ---- The database updater TDBUpdater and the info window TINFO ----
#define IDD_DBUPDATER 320
#define IDC_UPD_LABEL1 3200
#define IDC_UPD_LABEL4 3201
#define IDC_UPD_GROUPBOX1 3202
#define IDC_CHECKBOXUPWDS 3203
#define IDC_CHECKBOXUPURL 3204
#define IDC_CHECKBOXUPADS 3205
#define IDC_CHECKBOXUPWCS 3206
#define IDC_CHECKBOXUPCLEAR 3207
#define IDC_UPD_PANEL1 3208
#define IDC_UPD_LISTBOX1 3209
#define IDC_PROGRESSCHECK 3210
#define IDC_BTUPDATE 3211
#define IDC_BTCLOSE 3212

#define IDD_INFO 330
#define IDC_INFO_IMAGE1 3300
#define IDC_INFO_LABEL1 3301
#define IDC_INFO_BEVEL1 3302
#define IDC_INFO_LABEL3 3303
#define IDC_INFO_LABEL2 3304
#define IDC_INFO_BEVEL2 3305
#define IDC_INFO_LABEL4 3306
#define IDC_INFO_LABEL9 3307
#define IDC_INFO_LABEL7 3308
#define IDC_INFO_LABEL5 3309
#define IDC_INFO_LABEL8 3310
#define IDC_INFO_LABEL6 3311
#define IDC_INFO_BEVEL3 3312
#define IDC_INFO_BUTTON1 3313

// The info window's logo, a JPEG picture.
#define IDR_LOGO 400
