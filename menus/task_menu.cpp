#include "menus/task_menu.h"

#include <string.h>

#include "actions/window_actions.h"
#include "base/commands.h"
#include "base/text.h"
#include "menus/menu_columns.h"
#include "menus/menu_tree.h"
#include "ui/window_icon.h"

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

void RunWindowCommand(HWND, int k)
{
    if (!IsEntry(k, TaskWindowCount))
        return;
    HWND target = TaskWindowList[k].window;
    if (AsyncKeyHeld(VK_CONTROL))
        KillWindowProcess(target);
    else if (AsyncKeyHeld(VK_SHIFT))
        PostMessageA(target, WM_CLOSE, 0, 0);
    else
        ActivateWindow(target);
}

static int CountTaskWindows()
{
    return TaskWindowCount;
}

// The title as it was when the menu was built, also for a window that has
// gone since.
static bool TaskWindowText(int k, bool, char* out, size_t capacity)
{
    if (!IsEntry(k, TaskWindowCount))
        return false;
    CopyText(out, capacity, TaskWindowList[k].title);
    return true;
}

static ItemIcon TaskWindowIcon(int k)
{
    return ItemIcon{ GetWindowIcon(TaskWindowList[k].window, true), false };
}

//                                  base              root position               count             text            icon            run
const DynamicSubmenu TaskSubmenu = { CMD_FIRST_WINDOW, ROOT_POSITION_TASK_MANAGER, CountTaskWindows, TaskWindowText, TaskWindowIcon, RunWindowCommand };
