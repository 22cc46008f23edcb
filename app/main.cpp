// The process entry. The program takes no arguments: whatever follows its
// own name on the command line is ignored.
#include <windows.h>

#include "app/command_line.h"
#include "base/platform.h"
#include "app/startup.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    int result = RunVornel(instance, SkipProgramName(GetCommandLineA()), SW_SHOWNORMAL);
    Platform.ExitProcess(static_cast<UINT>(result));
    return result;
}
