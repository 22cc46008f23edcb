#include "tests/support/seam_recorder.h"

#include "base/platform.h"

std::vector<SeamCall> SeamCalls;
int MessageBoxAnswer = IDNO;
std::string OpenFileAnswer;

std::vector<SeamCall> SeamCallsOf(const char* function)
{
    std::vector<SeamCall> calls;
    for (const SeamCall& call : SeamCalls) {
        if (call.function == function)
            calls.push_back(call);
    }
    return calls;
}

static std::string Text(const char* text)
{
    return text ? text : "(null)";
}

static void Record(const char* function, const char* a = nullptr, const char* b = nullptr,
                   const char* c = nullptr, UINT number = 0, HWND window = nullptr)
{
    SeamCall call;
    call.function = function;
    call.text1 = Text(a);
    call.text2 = Text(b);
    call.text3 = Text(c);
    call.number = number;
    call.window = window;
    SeamCalls.push_back(call);
}

static BOOL WINAPI RecordExitWindowsEx(UINT flags, DWORD)
{
    Record("ExitWindowsEx", nullptr, nullptr, nullptr, flags);
    return TRUE;
}

static BOOL WINAPI RecordTerminateProcess(HANDLE, UINT exitCode)
{
    Record("TerminateProcess", nullptr, nullptr, nullptr, exitCode);
    return FALSE;
}

static HINSTANCE WINAPI RecordShellExecuteA(HWND owner, LPCSTR verb, LPCSTR file, LPCSTR parameters,
                                           LPCSTR directory, INT show)
{
    Record("ShellExecuteA", file, parameters, verb, static_cast<UINT>(show), owner);
    SeamCalls.back().text3 = Text(verb) + "|" + Text(directory);
    return reinterpret_cast<HINSTANCE>(42);
}

static MCIERROR WINAPI RecordMciSendStringA(LPCSTR command, LPSTR, UINT length, HWND callback)
{
    Record("mciSendStringA", command, nullptr, nullptr, length, callback);
    return 0;
}

static int WINAPI RecordMessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type)
{
    Record("MessageBoxA", text, caption, nullptr, type, owner);
    return MessageBoxAnswer;
}

static void WINAPI RecordKeybdEvent(BYTE key, BYTE scan, DWORD flags, ULONG_PTR)
{
    char scanText[16];
    wsprintfA(scanText, "%u", scan);
    Record("keybd_event", scanText, nullptr, nullptr, key | (flags << 16));
}

static BOOL WINAPI RecordSystemParametersInfoA(UINT action, UINT parameter, PVOID data, UINT update)
{
    char text[32];
    wsprintfA(text, "%u", parameter);
    char updateText[16];
    wsprintfA(updateText, "%u", update);
    Record("SystemParametersInfoA", text, updateText, nullptr, action);
    return RealPlatformCalls.SystemParametersInfoA(action, parameter, data, update);
}

static BOOL WINAPI RecordWritePrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR value, LPCSTR file)
{
    Record("WritePrivateProfileStringA", section, key, value, 0);
    SeamCalls.back().text3 = Text(value) + "|" + Text(file);
    return RealPlatformCalls.WritePrivateProfileStringA(section, key, value, file);
}

static void WINAPI RecordExitProcess(UINT exitCode)
{
    Record("ExitProcess", nullptr, nullptr, nullptr, exitCode);
}

// Records the whole filter list (its strings joined by '|') and the flags;
// answers with OpenFileAnswer, or as a cancelled chooser when that is empty.
static BOOL WINAPI RecordGetOpenFileNameA(LPOPENFILENAMEA request)
{
    std::string filters;
    for (const char* filter = request->lpstrFilter; filter && *filter; filter += lstrlenA(filter) + 1)
        filters += (filters.empty() ? "" : "|") + std::string(filter);
    Record("GetOpenFileNameA", filters.c_str(), request->lpstrFile, nullptr, request->Flags, request->hwndOwner);
    if (OpenFileAnswer.empty())
        return FALSE;
    lstrcpynA(request->lpstrFile, OpenFileAnswer.c_str(), static_cast<int>(request->nMaxFile));
    return TRUE;
}

void InstallSeamRecorders()
{
    SeamCalls.clear();
    MessageBoxAnswer = IDNO;
    Platform.ExitWindowsEx = RecordExitWindowsEx;
    Platform.TerminateProcess = RecordTerminateProcess;
    Platform.ShellExecuteA = RecordShellExecuteA;
    Platform.mciSendStringA = RecordMciSendStringA;
    Platform.MessageBoxA = RecordMessageBoxA;
    Platform.keybd_event = RecordKeybdEvent;
    Platform.SystemParametersInfoA = RecordSystemParametersInfoA;
    Platform.WritePrivateProfileStringA = RecordWritePrivateProfileStringA;
    Platform.ExitProcess = RecordExitProcess;
    OpenFileAnswer.clear();
    Platform.GetOpenFileNameA = RecordGetOpenFileNameA;
}

void RestoreRealSeam()
{
    Platform = RealPlatformCalls;
}
