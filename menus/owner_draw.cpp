#include "menus/owner_draw.h"

#include "base/commands.h"
#include "base/handles.h"
#include "base/text.h"
#include "menus/dynamic_submenus.h"
#include "menus/menu_texts.h"
#include "menus/popup_menu.h"
#include "settings/settings_store.h"
#include "ui/file_icons.h"
#include "ui/program_icons.h"

// The look, what the fixed items' icons cost, and where items are measured.
static struct {
    MenuLook look;
    DrawResourceCounts fixedIcons;
    HDC measuring;
} Painter;

// The record as it was before the padded border width was added; every
// system from the oldest up answers it.
const UINT NONCLIENTMETRICS_CLASSIC_SIZE = 340;

// Made when the menu is first measured, not at start-up: the button draws
// no text, and the first font a process makes can wake the system's whole
// font machinery.
const MenuLook& MenuFonts()
{
    MenuLook& look = Painter.look;
    if (look.metrics.cbSize == 0) {
        look.metrics.cbSize = NONCLIENTMETRICS_CLASSIC_SIZE;
        SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, 0, &look.metrics, 0);
        look.menuFont = CreateFontIndirectA(&look.metrics.lfMenuFont);
        look.captionFont = CreateFontIndirectA(&look.metrics.lfCaptionFont);
    }
    return look;
}

// A context like the screen's, with the menu font chosen, kept from the
// first measuring on: a hundred items would otherwise take and give back
// the screen's context a hundred times per submenu.
static HDC MeasuringContext()
{
    HDC& measuring = Painter.measuring;
    if (!measuring) {
        measuring = CreateCompatibleDC(nullptr);
        if (measuring)
            SelectObject(measuring, MenuFonts().menuFont);
    }
    return measuring;
}

DrawResourceCounts DrawResources()
{
    DrawResourceCounts total = DynamicSubmenuResources();
    total.iconsTaken += Painter.fixedIcons.iconsTaken;
    total.iconsReleased += Painter.fixedIcons.iconsReleased;
    return total;
}

const int ICON_CELL_WIDTH = 18;
const int MIN_ITEM_HEIGHT = 18;
const int MENU_ICON_SIDE = 16;

// The fixed items: their texts, and how each finds its icon.
enum IconSource { ICON_NONE, ICON_SHARED, ICON_ASSOCIATED, ICON_EXIT, ICON_PLACEMENT };

struct FixedItem {
    UINT id;
    const char* text;
    IconSource source;
    HICON StartupIcons::* icon;     // ICON_SHARED and ICON_PLACEMENT
    const char* program;            // ICON_ASSOCIATED: the program whose icon is shown
    int placement;                  // ICON_PLACEMENT: the mode whose mark this is
};

//  id                          text                 source           icon                          program         placement
static const FixedItem FixedItems[] = {
    { CMD_ABOUT,                 TextAbout,           ICON_SHARED,     &StartupIcons::about,          nullptr,        0 },
    { CMD_EXIT,                  TextExit,            ICON_EXIT,       nullptr,                       nullptr,        0 },
    { CMD_EDIT_FAVOURITES,       TextEditFavourites,  ICON_ASSOCIATED, nullptr,                       "notepad.exe",  0 },
    { CMD_PLACE_HOTKEY_ONLY,     TextHotkeyOnly,      ICON_PLACEMENT,  &StartupIcons::hotkeyOnly,     nullptr,        HotkeyOnly },
    { CMD_EXIT_WINDOWS,          TextExitWindows,     ICON_SHARED,     &StartupIcons::exitWindows,    nullptr,        0 },
    { CMD_RESTART_WINDOWS,       TextRestartWindows,  ICON_SHARED,     &StartupIcons::restartWindows, nullptr,        0 },
    { CMD_RESTART_COMPUTER,      TextRestartComputer, ICON_ASSOCIATED, nullptr,                       "explorer.exe", 0 },
    { CMD_OPEN_CONTROL_PANEL,    TextRunControlPanel, ICON_ASSOCIATED, nullptr,                       "rundll32.exe", 0 },
    { CMD_MINIMIZE_ALL,          TextMinimizeAll,     ICON_SHARED,     &StartupIcons::minimizeAll,    nullptr,        0 },
    { CMD_PLACE_FLOATING,        TextFloating,        ICON_PLACEMENT,  &StartupIcons::floating,       nullptr,        Floating },
    { CMD_PLACE_TRAY,            TextTray,            ICON_PLACEMENT,  &StartupIcons::tray,           nullptr,        TrayOnly },
    { CMD_PLACE_WINDOW_AND_TRAY, TextWindowAndTray,   ICON_PLACEMENT,  &StartupIcons::windowAndTray,  nullptr,        WindowAndTray },
    { CMD_CD_EJECT,              TextCdEject,         ICON_SHARED,     &StartupIcons::cdEject,        nullptr,        0 },
    { CMD_CD_CLOSE,              TextCdClose,         ICON_SHARED,     &StartupIcons::cdClose,        nullptr,        0 },
    { CMD_CALCULATOR,            TextCalculator,      ICON_ASSOCIATED, nullptr,                       "calc.exe",     0 },
};

static const FixedItem* FindFixedItem(ULONG_PTR id)
{
    for (const FixedItem& item : FixedItems) {
        if (item.id == id)
            return &item;
    }
    return nullptr;
}

// Where an item's text and icon come from, found once per measuring or
// drawing: a fixed item, a dynamic submenu's title, or one of its entries.
struct ItemSource {
    const FixedItem* fixed;
    DynamicSubmenu* submenu;
    int entry;              // -1: the submenu's title
};

static ItemSource FindItemSource(ULONG_PTR id)
{
    ItemSource source = { FindFixedItem(id), nullptr, -1 };
    if (source.fixed)
        return source;
    if (DynamicSubmenu* titled = DynamicSubmenuWithHandle(id)) {
        if (titled->kind->ownerDrawnTitle)
            source.submenu = titled;
    } else if (DynamicSubmenu* submenu = DynamicSubmenuOf(id)) {
        source.submenu = submenu;
        source.entry = static_cast<int>(id - submenu->kind->base);
    }
    return source;
}

static void SourceText(const ItemSource& source, bool drawn, char* out, size_t capacity)
{
    out[0] = '\0';
    if (source.fixed)
        CopyText(out, capacity, source.fixed->text);
    else if (source.submenu && source.entry < 0)
        CopyText(out, capacity, source.submenu->kind->title());
    else if (source.submenu)
        source.submenu->kind->text(*source.submenu, source.entry, drawn, out, capacity);
}

void MenuItemText(ULONG_PTR id, bool drawn, char* out, size_t capacity)
{
    SourceText(FindItemSource(id), drawn, out, capacity);
}

static bool IsEntrySource(const ItemSource& source)
{
    return source.submenu && source.entry >= 0;
}

bool IsFoundEntry(ULONG_PTR id)
{
    return IsEntrySource(FindItemSource(id));
}

// How an item's text is laid out: on one line, and for a name found in the
// system without "&" taken as a mnemonic mark.
static UINT TextFormat(bool found)
{
    return DT_SINGLELINE | (found ? DT_NOPREFIX : 0);
}

static void SetItemIcon(OwnerDrawItem& item, ItemIcon icon, DrawResourceCounts& counts)
{
    item.icon = icon.icon;
    item.iconOwned = icon.owned && icon.icon;
    item.counts = &counts;
    if (item.iconOwned)
        ++counts.iconsTaken;
}

static void ResolveFixedIcon(const FixedItem& fixed, OwnerDrawItem& item)
{
    switch (fixed.source) {
    case ICON_NONE:
        break;
    case ICON_SHARED:
        item.icon = Icons.*fixed.icon;
        break;
    case ICON_ASSOCIATED:
        SetItemIcon(item, DrawingIcon(SystemProgramIcon(fixed.program)), Painter.fixedIcons);
        break;
    case ICON_EXIT:
        item.icon = ButtonIconOrDefault(0);
        break;
    case ICON_PLACEMENT:
        if (Settings.place == fixed.placement)
            item.icon = Icons.*fixed.icon;
        break;
    }
}

static void ResolveIcon(const ItemSource& source, OwnerDrawItem& item)
{
    if (source.fixed) {
        ResolveFixedIcon(*source.fixed, item);
        return;
    }
    DynamicSubmenu& submenu = *source.submenu;
    if (source.entry < 0) {
        item.icon = submenu.kind->titleIcon ? submenu.kind->titleIcon() : nullptr;
        return;
    }
    item.icon = EntryIcon(submenu, source.entry);
    if (submenu.kind->builtOnDemand)
        NotePaintedSubmenu(submenu.kind->rootPosition);
}

void ResolveMenuItem(ULONG_PTR id, bool forDrawing, OwnerDrawItem& item)
{
    item.icon = nullptr;
    item.iconOwned = false;
    item.counts = nullptr;
    ItemSource source = FindItemSource(id);
    item.found = IsEntrySource(source);
    item.bold = item.found && source.entry == source.submenu->marked;
    SourceText(source, forDrawing, item.text, sizeof item.text);
    // An id no table knows (or whose entry is gone) has no text and no icon.
    if (forDrawing && item.text[0])
        ResolveIcon(source, item);
}

void ReleaseMenuItem(OwnerDrawItem& item)
{
    if (item.iconOwned)
        ReleaseItemIcon(*item.counts, item.icon);
    item.icon = nullptr;
    item.iconOwned = false;
}

void MeasureMenuItem(MEASUREITEMSTRUCT* measure)
{
    if (measure->CtlType != ODT_MENU)
        return;
    char text[MENU_ITEM_TEXT_CAPACITY];
    ItemSource source = FindItemSource(measure->itemID);
    SourceText(source, false, text, sizeof text);
    if (!text[0]) {
        measure->itemWidth = 0;
        measure->itemHeight = 0;
        return;
    }
    const MenuLook& look = MenuFonts();
    RECT bounds = { 0, 0, 0, 0 };
    if (HDC measuring = MeasuringContext()) {
        DrawTextA(measuring, text, -1, &bounds, DT_CALCRECT | TextFormat(IsEntrySource(source)));
    } else {
        WindowDC screen(nullptr);
        SelectedObject font(screen.get(), look.menuFont);
        DrawTextA(screen.get(), text, -1, &bounds, DT_CALCRECT | TextFormat(IsEntrySource(source)));
    }
    int height = bounds.bottom - bounds.top;
    if (height < MIN_ITEM_HEIGHT)
        height = MIN_ITEM_HEIGHT;
    if (height < look.metrics.iMenuHeight)
        height = look.metrics.iMenuHeight;
    measure->itemWidth = (bounds.right - bounds.left) + ICON_CELL_WIDTH;
    measure->itemHeight = height;
}

static HBRUSH SystemBrush(int colourIndex)
{
    return reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(colourIndex + 1));
}

static void PaintItem(const DRAWITEMSTRUCT* draw, const OwnerDrawItem& item)
{
    HDC dc = draw->hDC;
    bool selected = (draw->itemState & ODS_SELECTED) != 0;
    bool grayed = (draw->itemState & ODS_GRAYED) != 0;
    bool checked = (draw->itemState & ODS_CHECKED) != 0;
    // A checked item with an icon shows the icon in a small frame in place
    // of the check mark.
    bool framed = !grayed && checked && item.icon;

    RECT r = draw->rcItem;
    RECT t = r;
    if (framed)
        t.left += ICON_CELL_WIDTH + 1;
    RECT cell = { r.left, r.top, r.left + ICON_CELL_WIDTH, r.bottom };

    COLORREF textColour;
    if (selected) {
        textColour = GetSysColor(COLOR_HIGHLIGHTTEXT);
        if (framed)
            DrawEdge(dc, &cell, BDR_RAISEDOUTER, BF_RECT);
        FillRect(dc, &t, SystemBrush(COLOR_HIGHLIGHT));
    } else if (grayed) {
        textColour = GetSysColor(COLOR_GRAYTEXT);
        FillRect(dc, &t, SystemBrush(COLOR_MENU));
    } else {
        textColour = GetSysColor(COLOR_MENUTEXT);
        if (framed)
            DrawEdge(dc, &cell, BDR_RAISEDINNER, BF_RECT | BF_FLAT);
        FillRect(dc, &t, SystemBrush(COLOR_MENU));
    }
    t.left += 2;
    if (item.icon)
        DrawIconEx(dc, r.left + 2, (r.top + r.bottom - MENU_ICON_SIDE) / 2, item.icon, MENU_ICON_SIDE,
                   MENU_ICON_SIDE, 0, nullptr, DI_NORMAL);
    if (!framed)
        t.left += ICON_CELL_WIDTH + 1;

    const MenuLook& look = MenuFonts();
    HGDIOBJ previousFont = SelectObject(dc, look.menuFont);
    int previousMode = SetBkMode(dc, TRANSPARENT);
    COLORREF previousColour;
    if (grayed && !selected) {
        // Embossed: the highlight one pixel down-right, the grey on top.
        previousColour = SetTextColor(dc, GetSysColor(COLOR_3DHILIGHT));
        OffsetRect(&t, 1, 1);
        DrawTextA(dc, item.text, -1, &t, TextFormat(item.found) | DT_VCENTER);
        OffsetRect(&t, -1, -1);
        SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
    } else {
        previousColour = SetTextColor(dc, textColour);
    }
    if (item.bold)
        SelectObject(dc, look.captionFont);
    DrawTextA(dc, item.text, -1, &t, TextFormat(item.found) | DT_VCENTER);
    SetTextColor(dc, previousColour);
    SetBkMode(dc, previousMode);
    SelectObject(dc, previousFont);
}

void DrawMenuItem(const DRAWITEMSTRUCT* draw)
{
    if (draw->CtlType != ODT_MENU)
        return;
    OwnerDrawItem item;
    ResolveMenuItem(draw->itemID, true, item);
    if (item.text[0])
        PaintItem(draw, item);
    ReleaseMenuItem(item);
}
