#include "actions/shell_commands.h"

#include "actions/window_actions.h"
#include "base/platform.h"
#include "base/text.h"
#include "menus/applet_menu.h"
#include "menus/desktop_menu.h"
#include "menus/screen_saver_menu.h"
#include "settings/favourites_store.h"

static const char RunDll[] = "rundll32.exe";
static const char ControlPanelParameters[] = "shell32.dll,Control_RunDLL";
static const char AppletParametersFormat[] = "shell32.dll,Control_RunDLL %s,@%d";
static const char ScreenSaverPageParameters[] = "shell32.dll,Control_RunDLL desk.cpl,,1";

// Every program is started the same way: opened by the shell, owned by the
// button, in the program's default window state.
static void ShellOpen(HWND window, const char* file, const char* parameters)
{
    Platform.ShellExecuteA(window, "open", file, parameters, nullptr, SW_SHOWDEFAULT);
}

void OpenControlPanel(HWND window)
{
    ShellOpen(window, RunDll, ControlPanelParameters);
}

void RunApplet(HWND window, unsigned k)
{
    if (k >= static_cast<unsigned>(AppletCount) || !AppletList[k].file)
        return;
    // The file name comes from a directory listing (at most 259 bytes), so
    // the parameters always fit this buffer.
    char parameters[MAX_PATH + sizeof AppletParametersFormat + 12];
    if (lstrlenA(AppletList[k].file) >= MAX_PATH)
        return;
    wsprintfA(parameters, AppletParametersFormat, AppletList[k].file, AppletList[k].applet);
    ShellOpen(window, RunDll, parameters);
}

void StartFavourite(HWND window, unsigned k)
{
    if (static_cast<int>(k) > FavouriteList.LastFavourite)
        return;
    ShellOpen(window, FavouriteList.programs[k], FavouriteList.parameters[k]);
}

void OpenDesktopItem(HWND window, unsigned k)
{
    if (static_cast<int>(k) > LastDesktopItem)
        return;
    char path[MAX_PATH];
    // A joined path longer than MAX_PATH could only name some other file.
    if (!JoinText(path, MAX_PATH, DesktopDirectory, DesktopItemList[k]))
        return;
    ShellOpen(window, path, nullptr);
}

void SetDefaultScreenSaver(const char* path)
{
    char shortPath[MAX_PATH];
    DWORD length = GetShortPathNameA(path, shortPath, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return;
    Platform.WritePrivateProfileStringA("boot", "SCRNSAVE.EXE", shortPath, "system.ini");
    Platform.SystemParametersInfoA(SPI_SETSCREENSAVEACTIVE, TRUE, nullptr, SPIF_SENDWININICHANGE);
}

void RunScreenSaverCommand(HWND window, unsigned k)
{
    if (static_cast<int>(k) > LastScreenSaver)
        return;
    if (AsyncKeyHeld(VK_CONTROL))
        SetDefaultScreenSaver(ScreenSaverList[k]);
    else if (AsyncKeyHeld(VK_SHIFT))
        ShellOpen(window, RunDll, ScreenSaverPageParameters);
    else
        ShellOpen(window, ScreenSaverList[k], nullptr);
}

void OpenCdTray(HWND window)
{
    Platform.mciSendStringA("Set cdaudio door open wait", nullptr, 0, window);
}

void CloseCdTray(HWND window)
{
    Platform.mciSendStringA("Set cdaudio door closed wait", nullptr, 0, window);
}
