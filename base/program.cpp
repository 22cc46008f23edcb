#include "base/program.h"

static ProgramRecord TheProgram;
const ProgramRecord& Program = TheProgram;

const char MainWindowTitle[] = PRODUCT_NAME " " PRODUCT_VERSION_TEXT;

void RecordInstance(HINSTANCE instance)
{
    TheProgram.instance = instance;
}

void RecordOsVersion()
{
    static_assert(sizeof(OSVERSIONINFOA) == 148, "the classic version record");
    TheProgram.osVersion.dwOSVersionInfoSize = sizeof TheProgram.osVersion;
    GetVersionExA(&TheProgram.osVersion);
}

void RecordMainWindow(HWND window)
{
    TheProgram.mainWindow = window;
}
