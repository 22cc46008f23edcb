#include "menus/dynamic_submenus.h"

#include "menus/applet_menu.h"
#include "menus/desktop_menu.h"
#include "menus/favourites_menu.h"
#include "menus/screen_saver_menu.h"
#include "menus/task_menu.h"

// In the order their titles stand in the root menu.
static DynamicSubmenu Submenus[DYNAMIC_SUBMENU_COUNT] = {
    { &ScreenSaverSubmenu },
    { &DesktopSubmenu },
    { &FavouritesSubmenu },
    { &AppletSubmenu },
    { &TaskSubmenu },
};

DynamicSubmenu& DynamicSubmenuAt(int i)
{
    return Submenus[i];
}

DynamicSubmenu* DynamicSubmenuAtPosition(int rootPosition)
{
    for (DynamicSubmenu& submenu : Submenus) {
        if (submenu.kind->rootPosition == rootPosition)
            return &submenu;
    }
    return nullptr;
}

DynamicSubmenu* DynamicSubmenuOf(ULONG_PTR id)
{
    for (DynamicSubmenu& submenu : Submenus) {
        if (InCommandRange(id, submenu.kind->base))
            return &submenu;
    }
    return nullptr;
}

DynamicSubmenu* DynamicSubmenuWithHandle(ULONG_PTR id)
{
    for (DynamicSubmenu& submenu : Submenus) {
        if (submenu.menu && id == reinterpret_cast<ULONG_PTR>(submenu.menu))
            return &submenu;
    }
    return nullptr;
}

void CreateDynamicSubmenus()
{
    for (DynamicSubmenu& submenu : Submenus) {
        submenu.menu = CreatePopupMenu();
        submenu.count = 0;
        submenu.marked = -1;
    }
}

void ForgetDynamicSubmenus()
{
    for (DynamicSubmenu& submenu : Submenus) {
        EmptySubmenu(submenu);
        submenu.menu = nullptr;
    }
}

void EmptyDynamicSubmenus()
{
    for (DynamicSubmenu& submenu : Submenus) {
        if (submenu.kind->builtOnDemand)
            EmptySubmenu(submenu);
    }
}

void FillDynamicSubmenu(int rootPosition, HWND window, int itemsPerColumn)
{
    DynamicSubmenu* submenu = DynamicSubmenuAtPosition(rootPosition);
    if (submenu && submenu->kind->builtOnDemand && GetMenuItemCount(submenu->menu) == 0)
        submenu->kind->build(*submenu, window, itemsPerColumn);
}

void RebuildDynamicSubmenu(int rootPosition, HWND window, int itemsPerColumn)
{
    if (DynamicSubmenu* submenu = DynamicSubmenuAtPosition(rootPosition)) {
        EmptySubmenu(*submenu);
        submenu->kind->build(*submenu, window, itemsPerColumn);
    }
}

DrawResourceCounts DynamicSubmenuResources()
{
    DrawResourceCounts total = {};
    for (const DynamicSubmenu& submenu : Submenus) {
        total.iconsTaken += submenu.resources.iconsTaken;
        total.iconsReleased += submenu.resources.iconsReleased;
        total.librariesLoaded += submenu.resources.librariesLoaded;
        total.librariesFreed += submenu.resources.librariesFreed;
    }
    return total;
}
