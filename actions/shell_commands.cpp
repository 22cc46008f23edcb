#include "actions/shell_commands.h"

#include "base/platform.h"
#include "base/text.h"

static const char RunDll[] = "rundll32.exe";
static const char ControlPanelParameters[] = "shell32.dll,Control_RunDLL";
static const char ScreenSaverPageParameters[] = "shell32.dll,Control_RunDLL desk.cpl,,1";

void OpenWithShell(HWND window, const char* file, const char* parameters)
{
    Platform.ShellExecuteA(window, "open", file, parameters, nullptr, SW_SHOWDEFAULT);
}

void OpenControlPanel(HWND window)
{
    OpenWithShell(window, RunDll, ControlPanelParameters);
}

bool ShowFileInExplorer(HWND window, const char* path)
{
    // Quoted, so that a comma in a file name does not end the path.
    char parameters[MAX_PATH + 16];
    if (!CopyText(parameters, sizeof parameters, "/select,\"") || !AppendText(parameters, sizeof parameters, path) ||
        !AppendText(parameters, sizeof parameters, "\""))
        return false;
    OpenWithShell(window, "explorer.exe", parameters);
    return true;
}

void OpenScreenSaverSettings(HWND window)
{
    OpenWithShell(window, RunDll, ScreenSaverPageParameters);
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

void OpenCdTray(HWND window)
{
    Platform.mciSendStringA("Set cdaudio door open wait", nullptr, 0, window);
}

void CloseCdTray(HWND window)
{
    Platform.mciSendStringA("Set cdaudio door closed wait", nullptr, 0, window);
}
