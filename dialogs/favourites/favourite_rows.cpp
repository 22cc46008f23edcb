#include "dialogs/favourites/favourite_rows.h"

#include <stdlib.h>
#include <string.h>

#include "base/handles.h"
#include "ui/file_icons.h"

static const int ICON_SIDE = 16;
static const int TEXT_INDENT = 18;

FavouriteEntryText::FavouriteEntryText(HWND list, int index) : heap_(nullptr), text_(fixed_)
{
    fixed_[0] = '\0';
    LRESULT length = SendMessageA(list, LB_GETTEXTLEN, index, 0);
    if (length == LB_ERR)
        return;
    char* buffer = fixed_;
    if (static_cast<size_t>(length) >= sizeof fixed_) {
        heap_ = static_cast<char*>(malloc(static_cast<size_t>(length) + 1));
        if (!heap_)
            return;
        buffer = heap_;
    }
    // LB_GETTEXT takes no capacity: the length asked above is what it writes.
    if (SendMessageA(list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(buffer)) == LB_ERR)
        buffer[0] = '\0';
    text_ = buffer;
}

FavouriteEntryText::~FavouriteEntryText()
{
    free(heap_);
}

void FavouriteEntryText::Split(const char*& program, const char*& parameters)
{
    program = text_;
    parameters = "";
    char* tab = strchr(text_, '\t');
    if (!tab)
        return;
    *tab = '\0';
    parameters = tab + 1;
    if (char* pasted = strchr(tab + 1, '\t'))
        *pasted = '\0';
}

// The icon of the program an entry begins with: its own when the file is
// there, else the system's.
static HICON ProgramIcon(const char* entry, OwnedIcon& extracted)
{
    size_t length = strcspn(entry, "\t");
    char path[MAX_PATH];
    if (length >= sizeof path)
        return LoadIconA(nullptr, IDI_APPLICATION);
    memcpy(path, entry, length);
    path[length] = '\0';
    bool owned = false;
    HICON icon = ListedProgramIcon(path, owned);
    if (owned)
        extracted.reset(icon);
    return icon;
}

void DrawFavouriteListItem(const DRAWITEMSTRUCT* draw)
{
    HWND list = draw->hwndItem;
    if (draw->itemID == static_cast<UINT>(-1) || SendMessageA(list, LB_GETCOUNT, 0, 0) <= 0)
        return;
    FavouriteEntryText entry(list, static_cast<int>(draw->itemID));
    HDC dc = draw->hDC;
    RECT row = draw->rcItem;
    bool selected = (draw->itemState & ODS_SELECTED) != 0;
    FillRect(dc, &row, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    COLORREF oldColour = SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT));
    int oldMode = SetBkMode(dc, TRANSPARENT);

    OwnedIcon extracted;
    if (HICON icon = ProgramIcon(entry.text(), extracted))
        DrawIconEx(dc, row.left, (row.top + row.bottom - ICON_SIDE) / 2, icon, ICON_SIDE, ICON_SIDE, 0, nullptr,
                   DI_NORMAL);
    char* shown = entry.text();
    if (char* tab = strchr(shown, '\t'))
        *tab = ' ';
    RECT text = row;
    text.left += TEXT_INDENT;
    DrawTextA(dc, shown, -1, &text, DT_SINGLELINE | DT_VCENTER);

    SetBkMode(dc, oldMode);
    SetTextColor(dc, oldColour);
}
