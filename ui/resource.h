// Resource and control identifiers of the program's windows.
#pragma once

#define IDI_APP 1

#define IDC_STATUSBAR 1001
#define IDC_LABEL1 1002
#define IDC_EDSWWIDTH 1003
#define IDC_EDSWHEIGHT 1004

// Actions of the main window.
#define IDM_ZAPOTRIXHALTEN 2001
