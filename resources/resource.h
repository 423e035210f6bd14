#pragma once
// Resource and command identifiers, shared by tindral.rc and the C++ code: plain defines only.

// Menu and accelerator table of the main window.
#define IDR_MAIN_MENU 109
#define IDR_ACCELERATORS 109

// Icons.
#define IDI_BOARD 107        // large icon of the board, found and BOM windows
#define IDI_SMALL 108        // small icon of every window class
#define IDI_MAIN 143         // large icon of the main window
#define IDI_ROW_UNMARKED 140 // main list image 0
#define IDI_ROW_MARKED 141   // main list image 1
#define IDI_SORT_MARK 145    // main list image 2, header of the sort column

// Toolbar bitmaps, 48 x 48.
#define IDB_BOTTOM_ON 131
#define IDB_BOTTOM_OFF 132
#define IDB_TOP_ON 133
#define IDB_TOP_OFF 134
#define IDB_FIT 135
#define IDB_ZOOM_OUT 136
#define IDB_ZOOM_IN 137
#define IDB_REFRESH 138
#define IDB_TO_FRONT 139
#define IDB_PLACE_NEXT 3001

// Dialog templates (filled in by the dialogs' own resources).
#define IDD_ABOUT 103
#define IDD_SETTINGS 129
#define IDD_COLORS 144
#define IDD_PATH_DELETE 146

// Menu commands.
#define IDM_ABOUT_KEY 104 // Alt+? and Alt+/; no window handles it
#define IDM_EXIT 105
#define IDM_SETTINGS 32771
#define IDM_HELP 32772
#define IDM_ABOUT 32773
#define IDM_HOMEPAGE 32774
#define IDM_EMAIL 32775
#define IDM_SAVE_SELECTION 32783
#define IDM_LOAD_SELECTION 32784
#define IDM_COLORS 32785

// The assembly booklet: its menu command and the preview window's controls.
#define IDM_PRINT_BOOKLET 3300
#define IDC_BOOKLET_PREVIOUS 3301
#define IDC_BOOKLET_NEXT 3302
#define IDC_BOOKLET_PRINT 3303
#define IDC_BOOKLET_CLOSE 3304
#define IDC_BOOKLET_PAGE 3305

// Toolbar commands of the board window.
#define IDM_TOP_SIDE 32776
#define IDM_BOTTOM_SIDE 32777
#define IDM_REFRESH 32778
#define IDM_ZOOM_IN 32779
#define IDM_ZOOM_OUT 32780
#define IDM_FIT 32781
#define IDM_TO_FRONT 32782
#define IDM_PLACE_NEXT 3002

// Commands of the main window: find box, export.
#define IDM_EXPORT_LIST 3003

// Pads: 3200-3299
#define IDC_PAD_COLOUR_CAPTION 3200
#define IDC_PAD_COLOUR_SWATCH 3201
