#include "menus/task_menu.h"

#include <string.h>

#include "actions/window_actions.h"
#include "base/text.h"
#include "base/window_text.h"
#include "menus/menu_columns.h"
#include "menus/menu_texts.h"
#include "ui/program_icons.h"
#include "ui/window_icon.h"

bool IsTaskWindow(HWND candidate, HWND self, char* title, int capacity)
{
    title[0] = '\0';
    if (candidate == self)
        return false;
    // A window of another thread of this program that keeps the title to
    // itself past the wait counts as untitled.
    ReadWindowText(candidate, WINDOW_TITLE, title, capacity, WINDOW_TEXT_TIMEOUT_MS);
    return title[0] != '\0' && (IsWindowVisible(candidate) || IsIconic(candidate)) &&
           !GetWindow(candidate, GW_OWNER) && strcmp(title, "Program Manager") != 0 && !WindowCloaked(candidate);
}

struct TaskWalk {
    DynamicSubmenu& submenu;
    HWND self;
    int itemsPerColumn;
};

static BOOL CALLBACK AddTaskWindow(HWND candidate, LPARAM walkParam)
{
    TaskWalk& walk = *reinterpret_cast<TaskWalk*>(walkParam);
    DynamicSubmenu& submenu = walk.submenu;
    if (submenu.count >= DYNAMIC_RANGE_SIZE)
        return FALSE;
    char title[MAX_PATH];
    if (!IsTaskWindow(candidate, walk.self, title, MAX_PATH))
        return TRUE;
    int k = submenu.count;
    if (!AddEntry(submenu, title, nullptr, StartsColumnAtMultiple(k, walk.itemsPerColumn)))
        return FALSE;
    submenu.entries[k].window = candidate;
    return TRUE;
}

// The top-level windows in Z order from the top. EnumWindows hands them over
// from one look at the window list; a walk with GetWindow asks the system
// again for every next window, which under Wine cost 70 microseconds each.
static void BuildTaskMenu(DynamicSubmenu& submenu, HWND window, int itemsPerColumn)
{
    TaskWalk walk = { submenu, window, itemsPerColumn };
    EnumWindows(AddTaskWindow, reinterpret_cast<LPARAM>(&walk));
}

static void RunWindowCommand(const DynamicSubmenu& submenu, HWND, int k)
{
    if (!IsEntry(k, submenu.count))
        return;
    HWND target = submenu.entries[k].window;
    if (AsyncKeyHeld(VK_CONTROL))
        KillWindowProcess(target);
    else if (AsyncKeyHeld(VK_SHIFT))
        PostMessageA(target, WM_CLOSE, 0, 0);
    else
        ActivateWindow(target);
}

// The title as it was when the menu was built, also for a window that has
// gone since.
static bool TaskWindowText(const DynamicSubmenu& submenu, int k, bool, char* out, size_t capacity)
{
    if (!IsEntry(k, submenu.count))
        return false;
    CopyText(out, capacity, submenu.entries[k].text);
    return true;
}

static ItemIcon TaskWindowIcon(DynamicSubmenu& submenu, int k)
{
    return ItemIcon{ GetWindowIcon(submenu.entries[k].window, true), false };
}

static const char* TaskTitle()
{
    return TextTaskManager;
}

static HICON TaskTitleIcon()
{
    return Icons.taskManager;
}

//                               base              root position               on demand title      drawn title icon      build          text            icon            run
const SubmenuKind TaskSubmenu = { CMD_FIRST_WINDOW, ROOT_POSITION_TASK_MANAGER, true,     TaskTitle, true, TaskTitleIcon, BuildTaskMenu, TaskWindowText, TaskWindowIcon, RunWindowCommand };
