#include "ui/program_icons.h"

#include "res/resource.h"
#include "ui/button_face.h"

StartupIcons Icons;

// fromSystem: one of the system's icons (LoadIconA without a module).
//  where                      resource                 fromSystem
static const struct { HICON* icon; LPCSTR id; bool fromSystem; } IconTable[] = {
    { &AppIcon,                MAKEINTRESOURCEA(IDI_APP),             false },
    { &AppIconPressed,         MAKEINTRESOURCEA(IDI_APP_PRESSED),     false },
    { &Icons.desk,             MAKEINTRESOURCEA(IDI_DESK),            false },
    { &Icons.taskManager,      MAKEINTRESOURCEA(IDI_TASK_MANAGER),    false },
    { &Icons.minimizeAll,      MAKEINTRESOURCEA(IDI_MINIMIZE_ALL),    false },
    { &Icons.floating,         MAKEINTRESOURCEA(IDI_FLOATING),        false },
    { &Icons.tray,             MAKEINTRESOURCEA(IDI_TRAY),            false },
    { &Icons.windowAndTray,    MAKEINTRESOURCEA(IDI_WINDOW_AND_TRAY), false },
    { &Icons.hotkeyOnly,       MAKEINTRESOURCEA(IDI_HOTKEY_ONLY),     false },
    { &Icons.genericWindow,    MAKEINTRESOURCEA(IDI_GENERIC_WINDOW),  false },
    { &Icons.cdEject,          MAKEINTRESOURCEA(IDI_CD_EJECT),        false },
    { &Icons.cdClose,          MAKEINTRESOURCEA(IDI_CD_CLOSE),        false },
    { &Icons.about,            IDI_ASTERISK,                          true },
    { &Icons.exitWindows,      IDI_HAND,                              true },
    { &Icons.restartWindows,   IDI_WINLOGO,                           true },
};

void LoadProgramIcons(HINSTANCE instance)
{
    for (const auto& entry : IconTable)
        *entry.icon = LoadIconA(entry.fromSystem ? nullptr : instance, entry.id);
}
