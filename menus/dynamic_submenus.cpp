#include "menus/dynamic_submenus.h"

#include "menus/applet_menu.h"
#include "menus/desktop_menu.h"
#include "menus/favourites_menu.h"
#include "menus/screen_saver_menu.h"
#include "menus/task_menu.h"

// In the order their titles stand in the root menu.
static const SubmenuKind* const Kinds[DYNAMIC_SUBMENU_COUNT] = {
    &ScreenSaverSubmenu,
    &DesktopSubmenu,
    &FavouritesSubmenu,
    &AppletSubmenu,
    &TaskSubmenu,
};

// The records start all zeros, so their tables cost the program file
// nothing; each is joined to its kind when first asked for.
static DynamicSubmenu Submenus[DYNAMIC_SUBMENU_COUNT];

DynamicSubmenu& DynamicSubmenuAt(int i)
{
    Submenus[i].kind = Kinds[i];
    return Submenus[i];
}

DynamicSubmenu* DynamicSubmenuAtPosition(int rootPosition)
{
    for (int i = 0; i < DYNAMIC_SUBMENU_COUNT; ++i) {
        if (Kinds[i]->rootPosition == rootPosition)
            return &DynamicSubmenuAt(i);
    }
    return nullptr;
}

DynamicSubmenu* DynamicSubmenuOf(ULONG_PTR id)
{
    for (int i = 0; i < DYNAMIC_SUBMENU_COUNT; ++i) {
        if (InCommandRange(id, Kinds[i]->base))
            return &DynamicSubmenuAt(i);
    }
    return nullptr;
}

DynamicSubmenu* DynamicSubmenuWithHandle(ULONG_PTR id)
{
    for (int i = 0; i < DYNAMIC_SUBMENU_COUNT; ++i) {
        if (Submenus[i].menu && id == reinterpret_cast<ULONG_PTR>(Submenus[i].menu))
            return &DynamicSubmenuAt(i);
    }
    return nullptr;
}

void CreateDynamicSubmenus()
{
    for (int i = 0; i < DYNAMIC_SUBMENU_COUNT; ++i) {
        DynamicSubmenu& submenu = DynamicSubmenuAt(i);
        submenu.menu = CreatePopupMenu();
        submenu.count = 0;
        submenu.marked = -1;
    }
}

void ForgetDynamicSubmenus()
{
    for (int i = 0; i < DYNAMIC_SUBMENU_COUNT; ++i) {
        DynamicSubmenu& submenu = DynamicSubmenuAt(i);
        EmptySubmenu(submenu);
        submenu.menu = nullptr;
    }
}

void EmptyDynamicSubmenus()
{
    for (int i = 0; i < DYNAMIC_SUBMENU_COUNT; ++i) {
        if (Kinds[i]->builtOnDemand)
            EmptySubmenu(DynamicSubmenuAt(i));
        else
            ForgetEntryIcons(DynamicSubmenuAt(i));
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
