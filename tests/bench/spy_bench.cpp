// What the open Spy window costs: the CPU time of the thread that runs it
// while the mouse moves without pause and while it rests. The dialog runs
// modal on the main thread, as in the program; a second thread moves the
// cursor, reads the main thread's times and closes the dialog. Prints
// milliseconds of CPU per second; judges nothing.
//
//   spy_bench [seconds per phase]
#include <windows.h>

#include <math.h>
#include <stdio.h>
#include <stdlib.h>

#include "res/resource.h"
#include "dialogs/spy_window/spy_window.h"

namespace {

const int DefaultSeconds = 3;
// The cursor takes a step this often while it moves: faster than the spy's
// timer, so every tick sees a new position.
const DWORD StepMs = 5;

struct Run {
    HANDLE spyThread;
    int seconds;
};

double ThreadCpuMs(HANDLE thread)
{
    FILETIME created, exited, kernel, user;
    if (!GetThreadTimes(thread, &created, &exited, &kernel, &user))
        return -1;
    ULARGE_INTEGER k, u;
    k.LowPart = kernel.dwLowDateTime;
    k.HighPart = kernel.dwHighDateTime;
    u.LowPart = user.dwLowDateTime;
    u.HighPart = user.dwHighDateTime;
    return static_cast<double>(k.QuadPart + u.QuadPart) / 10000.0;
}

HWND WaitForSpy()
{
    for (int i = 0; i < 1000; ++i) {
        if (HWND spy = FindWindowA(nullptr, "Spy window"))
            return spy;
        Sleep(10);
    }
    return nullptr;
}

void Report(const char* phase, double cpuMs, double wallMs)
{
    printf("  %-34s CPU %7.1f ms over %5.0f ms wall: %6.2f ms per second\n", phase, cpuMs, wallMs,
           cpuMs * 1000.0 / wallMs);
    fflush(stdout);
}

DWORD WINAPI Drive(void* parameter)
{
    Run* run = static_cast<Run*>(parameter);
    HWND spy = WaitForSpy();
    if (!spy) {
        printf("  the Spy window did not open\n");
        return 1;
    }
    // A circle across the desktop and the dialog, one step per StepMs.
    const double pi = 3.14159265358979;
    DWORD start = GetTickCount();
    double cpu0 = ThreadCpuMs(run->spyThread);
    for (int step = 0; GetTickCount() - start < static_cast<DWORD>(run->seconds) * 1000; ++step) {
        double angle = step * 2 * pi / 200;
        SetCursorPos(300 + static_cast<int>(200 * cos(angle)), 300 + static_cast<int>(200 * sin(angle)));
        Sleep(StepMs);
    }
    Report("mouse moving without pause:", ThreadCpuMs(run->spyThread) - cpu0, GetTickCount() - start);

    start = GetTickCount();
    cpu0 = ThreadCpuMs(run->spyThread);
    Sleep(run->seconds * 1000);
    Report("mouse at rest:", ThreadCpuMs(run->spyThread) - cpu0, GetTickCount() - start);

    PostMessageA(spy, WM_CLOSE, 0, 0);
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    Run run;
    run.seconds = argc > 1 ? atoi(argv[1]) : DefaultSeconds;
    if (run.seconds <= 0)
        run.seconds = DefaultSeconds;
    DuplicateHandle(GetCurrentProcess(), GetCurrentThread(), GetCurrentProcess(), &run.spyThread,
                    THREAD_QUERY_INFORMATION, FALSE, 0);
    printf("Spy window, timer %u ms, %d s per phase (thread CPU time from GetThreadTimes)\n",
           SPY_TIMER_PERIOD_MS, run.seconds);
    HANDLE driver = CreateThread(nullptr, 0, Drive, &run, 0, nullptr);
    DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_SPY), nullptr, SpyDlgProc, 0);
    WaitForSingleObject(driver, INFINITE);
    DWORD status = 1;
    GetExitCodeThread(driver, &status);
    CloseHandle(driver);
    CloseHandle(run.spyThread);
    return static_cast<int>(status);
}
