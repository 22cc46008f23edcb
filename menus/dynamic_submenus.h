// The five dynamic submenus, found by the command of one of their entries.
#ifndef VORNEL_MENUS_DYNAMIC_SUBMENUS_H
#define VORNEL_MENUS_DYNAMIC_SUBMENUS_H

#include <windows.h>

#include "menus/dynamic_menu.h"

// The submenu whose range holds id (base to base + DYNAMIC_RANGE_SIZE - 1),
// or null. An item id may also be a submenu's handle; no range holds those.
const DynamicSubmenu* DynamicSubmenuOf(ULONG_PTR id);

#endif
