#include "ui/program_icons.h"

#include "base/program.h"
#include "res/resource.h"
#include "ui/button_face.h"

static struct {
    StartupIcons loaded;
    HICON button[2];
} Held;

const StartupIcons& Icons = Held.loaded;
HICON const (&ButtonIcons)[2] = Held.button;

// fromSystem: one of the system's icons (LoadIconA without a module).
//  where                             resource                               fromSystem
static const struct { HICON StartupIcons::*icon; LPCSTR id; bool fromSystem; } IconTable[] = {
    { &StartupIcons::app,             MAKEINTRESOURCEA(IDI_APP),             false },
    { &StartupIcons::appPressed,      MAKEINTRESOURCEA(IDI_APP_PRESSED),     false },
    { &StartupIcons::desk,            MAKEINTRESOURCEA(IDI_DESK),            false },
    { &StartupIcons::taskManager,     MAKEINTRESOURCEA(IDI_TASK_MANAGER),    false },
    { &StartupIcons::minimizeAll,     MAKEINTRESOURCEA(IDI_MINIMIZE_ALL),    false },
    { &StartupIcons::floating,        MAKEINTRESOURCEA(IDI_FLOATING),        false },
    { &StartupIcons::tray,            MAKEINTRESOURCEA(IDI_TRAY),            false },
    { &StartupIcons::windowAndTray,   MAKEINTRESOURCEA(IDI_WINDOW_AND_TRAY), false },
    { &StartupIcons::hotkeyOnly,      MAKEINTRESOURCEA(IDI_HOTKEY_ONLY),     false },
    { &StartupIcons::genericWindow,   MAKEINTRESOURCEA(IDI_GENERIC_WINDOW),  false },
    { &StartupIcons::cdEject,         MAKEINTRESOURCEA(IDI_CD_EJECT),        false },
    { &StartupIcons::cdClose,         MAKEINTRESOURCEA(IDI_CD_CLOSE),        false },
    { &StartupIcons::about,           IDI_ASTERISK,                          true },
    { &StartupIcons::exitWindows,     IDI_HAND,                              true },
    { &StartupIcons::restartWindows,  IDI_WINLOGO,                           true },
};

void LoadProgramIcons(HINSTANCE instance)
{
    for (const auto& entry : IconTable)
        Held.loaded.*entry.icon = LoadIconA(entry.fromSystem ? nullptr : instance, entry.id);
}

void BuildButtonIcons(HWND window)
{
    for (int slot = 0; slot < 2; ++slot) {
        if (Held.button[slot])
            DestroyIcon(Held.button[slot]);
        Held.button[slot] = nullptr;
        Held.button[slot] = CreateButtonIcon(window, slot);
    }
}

void DestroyButtonIcons()
{
    for (HICON& icon : Held.button) {
        if (icon)
            DestroyIcon(icon);
        icon = nullptr;
    }
}

HICON ButtonIconOrDefault(int slot)
{
    if (Held.button[slot])
        return Held.button[slot];
    HICON standIn = slot == 1 ? Held.loaded.appPressed : Held.loaded.app;
    // The system hands out the same icon for every load of a resource, so
    // one taken before LoadProgramIcons is the one it will keep.
    if (!standIn)
        standIn = LoadIconA(Program.instance, MAKEINTRESOURCEA(slot == 1 ? IDI_APP_PRESSED : IDI_APP));
    return standIn;
}
