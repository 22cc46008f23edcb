#include "menus/dynamic_submenus.h"

#include "base/commands.h"
#include "menus/applet_menu.h"
#include "menus/desktop_menu.h"
#include "menus/favourites_menu.h"
#include "menus/screen_saver_menu.h"
#include "menus/task_menu.h"

static const DynamicSubmenu* const Submenus[] = {
    &AppletSubmenu, &TaskSubmenu, &FavouritesSubmenu, &DesktopSubmenu, &ScreenSaverSubmenu,
};

const DynamicSubmenu* DynamicSubmenuOf(ULONG_PTR id)
{
    for (const DynamicSubmenu* submenu : Submenus) {
        if (InCommandRange(id, submenu->base))
            return submenu;
    }
    return nullptr;
}
