#include "menus/task_menu.h"

#include <string.h>

#include "base/commands.h"
#include "app/menu_tree.h"
#include "app/startup.h"
#include "base/text.h"
#include "menus/dynamic_menu.h"
#include "menus/menu_columns.h"

TaskWindowEntry TaskWindowList[MAX_TASK_WINDOWS];
int TaskWindowCount;

bool IsTaskWindow(HWND candidate, HWND self, char* title, int capacity)
{
    title[0] = '\0';
    if (candidate == self)
        return false;
    GetWindowTextA(candidate, title, capacity);
    return title[0] != '\0' && (IsWindowVisible(candidate) || IsIconic(candidate)) &&
           !GetWindow(candidate, GW_OWNER) && strcmp(title, "Program Manager") != 0;
}

void BuildTaskMenu(HWND window)
{
    if (TaskWindowCount != 0)
        return;
    for (HWND candidate = GetWindow(GetDesktopWindow(), GW_CHILD);
         candidate && TaskWindowCount < MAX_TASK_WINDOWS;
         candidate = GetWindow(candidate, GW_HWNDNEXT)) {
        char title[MAX_PATH];
        if (!IsTaskWindow(candidate, window, title, MAX_PATH))
            continue;
        char* copy = DuplicateText(title);
        if (!copy)
            break;
        int k = TaskWindowCount;
        AppendEntryItem(TaskManagerMenu, CMD_FIRST_WINDOW + k, StartsColumnAtMultiple(k, ItemsPerColumn));
        TaskWindowList[k].title = copy;
        TaskWindowList[k].window = candidate;
        ++TaskWindowCount;
    }
}

void ClearTaskWindowList()
{
    for (int k = 0; k < TaskWindowCount; ++k) {
        FreeText(TaskWindowList[k].title);
        TaskWindowList[k].window = nullptr;
    }
    TaskWindowCount = 0;
}
