// What the open Spy window costs: the CPU time of the thread that runs it
// while the cursor moves without pause over the desktop alone, while it
// moves across the desktop and the spy window, and while it rests. The same
// is measured for a stand-in with the spy's template and timer that only
// reads the cursor at each tick: the floor that any such window pays under
// this system for its ticks and for the mouse passing over it, below which
// the spy cannot go. The dialogs run modal on the main thread, as in the
// program; a second thread moves the cursor, reads the main thread's times
// and closes each dialog. Prints milliseconds of CPU per second; judges
// nothing.
//
//   spy_bench [seconds per phase]
#include <windows.h>

#include <math.h>
#include <stdio.h>
#include <stdlib.h>

#include "res/resource.h"
#include "dialogs/spy_window/spy_window.h"

namespace {

// Wine reads thread times in 10 ms ticks: a phase this long measures to
// about 1 ms per second.
const int DefaultSeconds = 10;
// The cursor takes a step this often while it moves: faster than the spy's
// timer, so every tick sees a new position.
const DWORD StepMs = 5;

// A circle the cursor runs along, or none: the cursor rests.
struct Phase {
    const char* name;
    bool moving;
    bool besideDialog;   // the circle keeps off the dialog, which sits at the top left
    int centreX, centreY, radius;
};
const Phase Phases[] = {
    { "mouse moving over the desktop alone", true, true, 0, 0, 150 },
    { "mouse moving across desktop and spy window", true, false, 300, 300, 200 },
    { "mouse at rest", false, false, 0, 0, 0 },
};
const int PhaseCount = sizeof Phases / sizeof Phases[0];

struct Run {
    HANDLE dialogThread;
    int seconds;
    double msPerSecond[PhaseCount];
    bool ok;
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

HWND WaitForDialog()
{
    for (int i = 0; i < 1000; ++i) {
        if (HWND dialog = FindWindowA(nullptr, "Spy window"))
            return dialog;
        Sleep(10);
    }
    return nullptr;
}

double MeasurePhase(const Phase& phase, HWND dialog, const Run& run)
{
    RECT placed = {};
    GetWindowRect(dialog, &placed);
    int centreX = phase.centreX, centreY = phase.centreY;
    if (phase.besideDialog) {
        centreX = placed.right + 20 + phase.radius;
        centreY = placed.bottom + 20 + phase.radius;
    }
    const double pi = 3.14159265358979;
    DWORD start = GetTickCount();
    double cpu0 = ThreadCpuMs(run.dialogThread);
    for (int step = 0; GetTickCount() - start < static_cast<DWORD>(run.seconds) * 1000; ++step) {
        if (phase.moving) {
            double angle = step * 2 * pi / 200;
            SetCursorPos(centreX + static_cast<int>(phase.radius * cos(angle)),
                         centreY + static_cast<int>(phase.radius * sin(angle)));
        }
        Sleep(StepMs);
    }
    return (ThreadCpuMs(run.dialogThread) - cpu0) * 1000.0 / (GetTickCount() - start);
}

DWORD WINAPI Drive(void* parameter)
{
    Run* run = static_cast<Run*>(parameter);
    HWND dialog = WaitForDialog();
    if (!dialog)
        return 1;
    for (int i = 0; i < PhaseCount; ++i)
        run->msPerSecond[i] = MeasurePhase(Phases[i], dialog, *run);
    PostMessageA(dialog, WM_CLOSE, 0, 0);
    for (int i = 0; i < 1000 && IsWindow(dialog); ++i)
        Sleep(10);
    run->ok = true;
    return 0;
}

// The floor: the spy's template and timer, and the one call each tick makes
// whatever happens.
INT_PTR CALLBACK FloorDlgProc(HWND dialog, UINT message, WPARAM, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        SetTimer(dialog, SPY_TIMER_ID, SPY_TIMER_PERIOD_MS, nullptr);
        return TRUE;
    case WM_TIMER: {
        POINT cursor;
        GetCursorPos(&cursor);
        return TRUE;
    }
    case WM_CLOSE:
        KillTimer(dialog, SPY_TIMER_ID);
        EndDialog(dialog, 0);
        return TRUE;
    }
    return FALSE;
}

// Runs one dialog modal on this thread while the driver measures it.
bool Measure(DLGPROC procedure, LPARAM state, Run& run)
{
    run.ok = false;
    HANDLE driver = CreateThread(nullptr, 0, Drive, &run, 0, nullptr);
    DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_SPY), nullptr, procedure, state);
    WaitForSingleObject(driver, INFINITE);
    CloseHandle(driver);
    return run.ok;
}

}  // namespace

int main(int argc, char** argv)
{
    Run spy = {}, floorRun = {};
    spy.seconds = argc > 1 ? atoi(argv[1]) : DefaultSeconds;
    if (spy.seconds <= 0)
        spy.seconds = DefaultSeconds;
    floorRun.seconds = spy.seconds;
    DuplicateHandle(GetCurrentProcess(), GetCurrentThread(), GetCurrentProcess(), &spy.dialogThread,
                    THREAD_QUERY_INFORMATION, FALSE, 0);
    floorRun.dialogThread = spy.dialogThread;
    printf("Spy window, timer %u ms, %d s per phase (thread CPU time from GetThreadTimes)\n",
           SPY_TIMER_PERIOD_MS, spy.seconds);
    fflush(stdout);

    SpyWindowState state = {};
    bool measured = Measure(SpyDlgProc, reinterpret_cast<LPARAM>(&state), spy) && Measure(FloorDlgProc, 0, floorRun);
    CloseHandle(spy.dialogThread);
    if (!measured) {
        printf("  the dialog did not open or close\n");
        return 1;
    }
    printf("  %-42s %8s %8s %10s   (ms of CPU per second)\n", "", "spy", "floor", "spy's own");
    for (int i = 0; i < PhaseCount; ++i)
        printf("  %-42s %8.1f %8.1f %10.1f\n", Phases[i].name, spy.msPerSecond[i], floorRun.msPerSecond[i],
               spy.msPerSecond[i] - floorRun.msPerSecond[i]);
    return 0;
}
