#include "app/hotkeys.h"

#include "base/bounded_send.h"
#include "base/commands.h"
#include "dialogs/calculator/calculator_dialog.h"
#include "menus/popup_menu.h"

const UINT VK_CALCULATOR_KEY = 192;   // VK_OEM_3

struct HotkeyDefinition {
    int id;
    UINT modifiers;
    UINT key;
};

//  id                        modifiers                  key
static const HotkeyDefinition Hotkeys[] = {
    { HOTKEY_MENU,            MOD_CONTROL | MOD_SHIFT,   VK_DELETE },
    { HOTKEY_MAXIMIZE,        MOD_CONTROL | MOD_ALT,     VK_ADD },
    { HOTKEY_MINIMIZE,        MOD_CONTROL | MOD_ALT,     VK_SUBTRACT },
    { HOTKEY_TOGGLE_MINIMIZE, MOD_CONTROL | MOD_ALT,     VK_MULTIPLY },
    { HOTKEY_RESTORE,         MOD_CONTROL | MOD_ALT,     VK_DIVIDE },
    { HOTKEY_CALCULATOR,      MOD_CONTROL,               VK_CALCULATOR_KEY },
};

static bool Register(HWND window, const HotkeyDefinition& hotkey)
{
    return RegisterHotKey(window, hotkey.id, hotkey.modifiers, hotkey.key) != FALSE;
}

void RegisterHotkeys(HWND window)
{
    for (const HotkeyDefinition& hotkey : Hotkeys) {
        bool held = Register(window, hotkey);
        if (hotkey.id == HOTKEY_MENU)
            NoteMenuHotkey(held);
    }
}

void ClaimMenuHotkey(HWND window)
{
    if (!PopupMenu.hotkeyHeld)
        NoteMenuHotkey(Register(window, Hotkeys[0]));
}

void UnregisterHotkeys(HWND window)
{
    for (const HotkeyDefinition& hotkey : Hotkeys)
        UnregisterHotKey(window, hotkey.id);
}

static void MinimizeAndRemember(HWND target, HWND& remembered)
{
    remembered = target;
    SendSystemCommandBounded(target, SC_MINIMIZE);
}

static void ToggleCalculator(HWND window)
{
    if (!CalculatorOpen())
        PostMessageA(window, WM_COMMAND, CMD_CALCULATOR, 0);
    else
        CloseCalculator();
}

void RunWaitingCalculator(HWND window, bool& calculatorWaiting)
{
    if (!calculatorWaiting || PopupMenuBusy())
        return;
    calculatorWaiting = false;
    ToggleCalculator(window);
}

void OnHotkey(HWND window, UINT modifiers, UINT key, HWND& remembered, bool& calculatorWaiting)
{
    if (modifiers == MOD_CONTROL && key == VK_CALCULATOR_KEY) {
        // The menu's own loop would run the calculator's dialog under the
        // open menu.
        if (PopupMenuBusy())
            calculatorWaiting = true;
        else
            ToggleCalculator(window);
        return;
    }
    if (modifiers == (MOD_CONTROL | MOD_SHIFT) && key == VK_DELETE) {
        ShowPopupMenu(window);
        return;
    }
    HWND foreground = GetForegroundWindow();
    if (foreground == window || modifiers != (MOD_CONTROL | MOD_ALT))
        return;
    switch (key) {
    case VK_ADD:
        SendSystemCommandBounded(foreground, SC_MAXIMIZE);
        break;
    case VK_MULTIPLY:
        if (remembered && remembered != foreground)
            SendSystemCommandBounded(remembered, SC_RESTORE);
        else
            MinimizeAndRemember(foreground, remembered);
        break;
    case VK_SUBTRACT:
        MinimizeAndRemember(foreground, remembered);
        break;
    case VK_DIVIDE:
        SendSystemCommandBounded(foreground, SC_RESTORE);
        break;
    }
}
