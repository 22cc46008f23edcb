#include "actions/shell_commands.h"

#include "base/platform.h"
#include "base/system_libraries.h"
#include "base/text.h"

static const char RunDll[] = "rundll32.exe";
static const char ControlPanelParameters[] = "shell32.dll,Control_RunDLL";
static const char ScreenSaverPageParameters[] = "shell32.dll,Control_RunDLL desk.cpl,,1";

void OpenWithShell(HWND window, const char* file, const char* parameters)
{
    Platform.ShellExecuteA(window, "open", file, parameters, nullptr, SW_SHOWDEFAULT);
}

void RunDllCommand(HWND window, const char* parameters)
{
    char program[MAX_PATH];
    if (SystemProgramPath(RunDll, program, MAX_PATH))
        OpenWithShell(window, program, parameters);
}

void OpenControlPanel(HWND window)
{
    RunDllCommand(window, ControlPanelParameters);
}

bool ShowFileInExplorer(HWND window, const char* path)
{
    // Quoted, so that a comma in a file name does not end the path.
    char parameters[MAX_PATH + 16];
    if (!CopyText(parameters, sizeof parameters, "/select,\"") || !AppendText(parameters, sizeof parameters, path) ||
        !AppendText(parameters, sizeof parameters, "\""))
        return false;
    // By its full path in the Windows directory, where every version keeps
    // it: a file of that name beside this program must not run.
    char windows[MAX_PATH], explorer[MAX_PATH];
    UINT length = GetWindowsDirectoryA(windows, MAX_PATH);
    if (length == 0 || length >= MAX_PATH || !JoinText(explorer, MAX_PATH, windows, "\\explorer.exe"))
        return false;
    OpenWithShell(window, explorer, parameters);
    return true;
}

void OpenScreenSaverSettings(HWND window)
{
    RunDllCommand(window, ScreenSaverPageParameters);
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
