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

/* Calculator dialog */
#define IDC_CALC_EXPRESSION     157
#define IDC_CALC_RESULT         158
#define IDC_CALC_EVALUATE       159
#define IDC_CALC_COPY           160

#endif
