/* Resource and control identifiers, shared by vornel.rc and the code.
 * The numbers are part of the program's outside interface: tools and
 * scripts find the dialogs, bitmaps and icons by them, so they never move. */
#ifndef VORNEL_RESOURCE_H
#define VORNEL_RESOURCE_H

/* Icons (group icons, each with 16x16 and 32x32 images) */
#define IDI_APP                 9    /* red ball: class icon, tray and "Exit" fallback */
#define IDI_DESK                12   /* desk with a lamp: Desktop submenu, windows tree root */
#define IDI_HOTKEY_ONLY         13   /* plain raised square */
#define IDI_TASK_MANAGER        14   /* nut and bolt */
#define IDI_FLOATING            35   /* square, red dot upper left */
#define IDI_TRAY                36   /* square, red dot lower right */
#define IDI_WINDOW_AND_TRAY     37   /* square, both dots */
#define IDI_APP_PRESSED         40   /* dark red ball */
#define IDI_MINIMIZE_ALL        41   /* framed desktop with a pencil */
#define IDI_GENERIC_WINDOW      93   /* fallback icon of a window */
#define IDI_CD_EJECT            153  /* CD drive with a disc */
#define IDI_CD_CLOSE            154  /* a disc */

/* Bitmaps: 4 bits per pixel, standard 16-colour palette, drawn in the default scheme */
#define IDB_ICON_UNPRESSED      10   /* 32x32 */
#define IDB_ICON_PRESSED        11   /* 32x32 */
#define IDB_FACE_UNPRESSED      16   /* 23x23 */
#define IDB_FACE_PRESSED        17   /* 23x23 */
#define IDB_FACE_LARGE_UNPRESSED 18  /* 46x46, pixel doubling of 16 */
#define IDB_FACE_LARGE_PRESSED  19   /* 46x46, pixel doubling of 17 */

/* Dialog templates */
#define IDD_FAVOURITES          20
#define IDD_ABOUT               21
#define IDD_COLOURS             69
#define IDD_WINDOWS_LIST        90
#define IDD_PROCESSES_LIST      95
#define IDD_CALCULATOR          156
#define IDD_SPY                 300

/* Controls shared by several dialogs */
#define IDC_CLOSE               24
#define IDC_REFRESH             92   /* windows list and processes list */

/* Favourites dialog */
#define IDC_FAV_LIST            22
#define IDC_FAV_PROGRAM         23
#define IDC_FAV_EDIT            25
#define IDC_FAV_ERASE           28
#define IDC_FAV_BROWSE          38
#define IDC_FAV_ADD             39
#define IDC_FAV_PARAMETERS      43
#define IDC_FAV_FULL            45   /* note shown while the list is full; made at run time */

/* About box */
#define IDC_ABOUT_HOMEPAGE      29
#define IDC_ABOUT_EMAIL         30
#define IDC_ABOUT_ICON          72
#define IDC_ABOUT_VERSION       31   /* "Version " and the version resource's product version */

/* Colours dialog */
#define IDC_COLOUR_PREVIEW      15   /* group box the preview is painted over */
#define IDC_COLOUR_RED          62   /* trackbars */
#define IDC_COLOUR_GREEN        63
#define IDC_COLOUR_BLUE         64
#define IDC_COLOUR_UNPRESSED    65   /* radio buttons: 65 + slot */
#define IDC_COLOUR_HIGHLIGHT    66
#define IDC_COLOUR_PRESSED      67
#define IDC_COLOUR_SHADOW       68
#define IDC_COLOUR_DEFAULT      70
#define IDC_COLOUR_VALUES       71

/* Windows list and processes list */
#define IDC_WINDOW_TREE         91
#define IDC_PROCESS_LIST        96

/* Spy window */
#define IDC_SPY_WINDOW          1000
#define IDC_SPY_CLASS           1001
#define IDC_SPY_TEXT            1002
#define IDC_SPY_PARENT          1003
#define IDC_SPY_MENU            1009
#define IDC_SPY_MOUSE           1011
#define IDC_SPY_RECT            1012
#define IDC_SPY_COLOUR          1013
#define IDC_SPY_HEX             1014

/* Calculator dialog */
#define IDC_CALC_EXPRESSION     157
#define IDC_CALC_RESULT         158
#define IDC_CALC_EVALUATE       159
#define IDC_CALC_COPY           160

#endif
