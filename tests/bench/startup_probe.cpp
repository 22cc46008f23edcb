// Starts a program again and again and times it from process creation until
// its window is visible; reads its peak working set when the window shows
// and a second later; or lets it idle and reads the CPU time it used.
//
//   startup_probe startup <runs> <fresh|kept> <exe> <class> [<exe> <class> ...]
//   startup_probe idle <seconds> <exe> <class> [<release file>]
//
// In the start-up mode the programs are run in turn, run after run, so a
// change in the machine's load touches them all alike; the first program
// named is the yardstick the others are compared with. "fresh" deletes the
// program's settings key before every start, so each one is a first start;
// "kept" leaves the settings the previous start wrote.
//
// In the idle mode it prints IDLE-BEGIN and IDLE-END (flushed at once) around
// the idle span, so a script outside Wine can sample the process there too;
// given a release file, it keeps the program running after IDLE-END until
// that file exists (or ten seconds have passed), so the script's last sample
// is not disturbed by the program's exit.
#include <windows.h>
#include <psapi.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <string>
#include <vector>

#include "tests/bench/bench_timing.h"
#include "tests/support/wine_support.h"

namespace {

// A start that takes longer than this is counted as failed.
const DWORD StartDeadlineMs = 30000;
const DWORD SettleAfterVisibleMs = 1000;
const DWORD CloseDeadlineMs = 10000;
const DWORD ReleaseDeadlineMs = 10000;

struct Program {
    std::string exe;
    std::string windowClass;
    std::string name;   // the file name alone, for the report
};

struct RunResult {
    bool ok = false;
    double startMs = 0;
    double cpuMsAtVisible = 0;
    double peakKbAtVisible = 0;
    double peakKbLater = 0;
    double workingKbLater = 0;
    bool closedCleanly = false;
};

std::string FileNameOf(const std::string& path)
{
    size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

double FileTimeMs(const FILETIME& time)
{
    ULARGE_INTEGER value;
    value.LowPart = time.dwLowDateTime;
    value.HighPart = time.dwHighDateTime;
    return static_cast<double>(value.QuadPart) / 10000.0;
}

// User plus kernel time of a process so far, in milliseconds; -1 when the
// system will not say.
double ProcessCpuMs(HANDLE process)
{
    FILETIME created, exited, kernel, user;
    if (!GetProcessTimes(process, &created, &exited, &kernel, &user))
        return -1;
    return FileTimeMs(kernel) + FileTimeMs(user);
}

bool ReadMemory(HANDLE process, double& peakKb, double& workingKb)
{
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof counters;
    if (!GetProcessMemoryInfo(process, &counters, sizeof counters))
        return false;
    peakKb = static_cast<double>(counters.PeakWorkingSetSize) / 1024.0;
    workingKb = static_cast<double>(counters.WorkingSetSize) / 1024.0;
    return true;
}

// The visible window of the class that belongs to the process, or null.
HWND VisibleWindowOf(const char* windowClass, DWORD processId)
{
    for (HWND window = FindWindowExA(nullptr, nullptr, windowClass, nullptr); window;
         window = FindWindowExA(nullptr, window, windowClass, nullptr)) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == processId && IsWindowVisible(window))
            return window;
    }
    return nullptr;
}

struct Started {
    PROCESS_INFORMATION process = {};
    HWND window = nullptr;
    double startMs = 0;
};

// Creates the process and waits, polling every millisecond, until its
// window is visible. Leaves the process running.
bool StartAndWait(const Program& program, Started& started)
{
    std::string commandLine = "\"" + program.exe + "\"";
    std::vector<char> writable(commandLine.begin(), commandLine.end());
    writable.push_back('\0');
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;

    double begin = NowMicroseconds();
    if (!CreateProcessA(program.exe.c_str(), writable.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &started.process)) {
        fprintf(stderr, "cannot start %s (error %lu)\n", program.exe.c_str(), GetLastError());
        return false;
    }
    for (;;) {
        started.window = VisibleWindowOf(program.windowClass.c_str(), started.process.dwProcessId);
        if (started.window) {
            started.startMs = (NowMicroseconds() - begin) / 1000.0;
            return true;
        }
        if ((NowMicroseconds() - begin) / 1000.0 > StartDeadlineMs) {
            fprintf(stderr, "%s: no visible window of class %s after %lu ms\n", program.name.c_str(),
                    program.windowClass.c_str(), StartDeadlineMs);
            return false;
        }
        // Doubles as the one-millisecond pause between two looks.
        if (WaitForSingleObject(started.process.hProcess, 1) == WAIT_OBJECT_0) {
            fprintf(stderr, "%s ended before showing its window\n", program.name.c_str());
            return false;
        }
    }
}

// Asks the program to close as a user would; kills it only if it does not.
bool CloseAndReap(Started& started)
{
    bool clean = false;
    if (started.process.hProcess) {
        if (started.window)
            PostMessageA(started.window, WM_CLOSE, 0, 0);
        clean = WaitForSingleObject(started.process.hProcess, CloseDeadlineMs) == WAIT_OBJECT_0;
        if (!clean) {
            TerminateProcess(started.process.hProcess, 1);
            WaitForSingleObject(started.process.hProcess, CloseDeadlineMs);
        }
        CloseHandle(started.process.hThread);
        CloseHandle(started.process.hProcess);
    }
    started = Started();
    return clean;
}

RunResult MeasureStart(const Program& program, bool fresh)
{
    RunResult result;
    if (fresh)
        DeleteSettingsKey();
    Started started;
    if (StartAndWait(program, started)) {
        double working = 0;
        result.ok = true;
        result.startMs = started.startMs;
        result.cpuMsAtVisible = ProcessCpuMs(started.process.hProcess);
        ReadMemory(started.process.hProcess, result.peakKbAtVisible, working);
        // The program may still be finishing its start-up after the window
        // shows; a second later its memory has settled.
        WaitForSingleObject(started.process.hProcess, SettleAfterVisibleMs);
        ReadMemory(started.process.hProcess, result.peakKbLater, result.workingKbLater);
    }
    result.closedCleanly = CloseAndReap(started);
    return result;
}

template <typename Field>
std::vector<double> Series(const std::vector<RunResult>& runs, Field field)
{
    std::vector<double> values;
    for (const RunResult& run : runs) {
        if (run.ok)
            values.push_back(run.*field);
    }
    return values;
}

int RunStartupSeries(int runs, bool fresh, const std::vector<Program>& programs)
{
    // One start of each first, not counted: it brings the files into the
    // cache and, for the "kept" series, leaves the settings a start writes.
    for (const Program& program : programs)
        MeasureStart(program, fresh);

    std::vector<std::vector<RunResult>> results(programs.size());
    for (int run = 0; run < runs; ++run) {
        for (size_t i = 0; i < programs.size(); ++i)
            results[i].push_back(MeasureStart(programs[i], fresh));
    }

    printf("Start-up, %s (%d runs of each program, taken in turn):\n",
           fresh ? "first start: settings key deleted before every run" : "settings kept from the previous run",
           runs);
    printf("  %-22s %29s %10s %24s %10s %5s\n", "", "ms to visible window", "CPU ms",
           "peak working set KB", "WS KB", "");
    printf("  %-22s %9s %9s %9s %10s %12s %11s %10s %5s\n", "program", "median", "min", "max", "to visible",
           "at visible", "after 1 s", "after 1 s", "fail");
    std::vector<double> startMedians, peakMedians;
    for (size_t i = 0; i < programs.size(); ++i) {
        const std::vector<RunResult>& series = results[i];
        std::vector<double> start = Series(series, &RunResult::startMs);
        int failed = 0, unclean = 0;
        for (const RunResult& run : series) {
            failed += !run.ok;
            unclean += !run.closedCleanly;
        }
        double peakLater = Median(Series(series, &RunResult::peakKbLater));
        printf("  %-22s %9.1f %9.1f %9.1f %10.0f %12.0f %11.0f %10.0f %5d\n", programs[i].name.c_str(),
               Median(start), Minimum(start), Maximum(start), Median(Series(series, &RunResult::cpuMsAtVisible)),
               Median(Series(series, &RunResult::peakKbAtVisible)), peakLater,
               Median(Series(series, &RunResult::workingKbLater)), failed);
        if (unclean)
            printf("  (%s: %d runs did not end within %lu ms of WM_CLOSE and were killed)\n",
                   programs[i].name.c_str(), unclean, CloseDeadlineMs);
        startMedians.push_back(Median(start));
        peakMedians.push_back(peakLater);
    }
    for (size_t i = 1; i < programs.size(); ++i) {
        if (startMedians[0] > 0 && peakMedians[0] > 0)
            printf("  %s / %s: start-up %.2f, peak working set %.2f\n", programs[i].name.c_str(),
                   programs[0].name.c_str(), startMedians[i] / startMedians[0], peakMedians[i] / peakMedians[0]);
    }
    printf("  start-up ms per run:");
    for (size_t i = 0; i < programs.size(); ++i) {
        printf("\n    %-20s", programs[i].name.c_str());
        for (const RunResult& run : results[i]) {
            if (run.ok)
                printf(" %.0f", run.startMs);
            else
                printf(" fail");
        }
    }
    printf("\n");
    fflush(stdout);
    return 0;
}

void WaitForReleaseFile(const char* path)
{
    DWORD begin = GetTickCount();
    while (GetFileAttributesA(path) == INVALID_FILE_ATTRIBUTES && GetTickCount() - begin < ReleaseDeadlineMs)
        Sleep(10);
}

int RunIdle(int seconds, const Program& program, const char* releaseFile)
{
    Started started;
    if (!StartAndWait(program, started)) {
        CloseAndReap(started);
        return 1;
    }
    // Let the start-up's own work finish before the idle span begins.
    WaitForSingleObject(started.process.hProcess, 2000);
    double cpuBefore = ProcessCpuMs(started.process.hProcess);
    double begin = NowMicroseconds();
    printf("IDLE-BEGIN\n");
    fflush(stdout);
    bool ended = WaitForSingleObject(started.process.hProcess, static_cast<DWORD>(seconds) * 1000) == WAIT_OBJECT_0;
    double cpuAfter = ProcessCpuMs(started.process.hProcess);
    double spanSeconds = (NowMicroseconds() - begin) / 1e6;
    printf("IDLE-END\n");
    fflush(stdout);
    double peakKb = 0, workingKb = 0;
    ReadMemory(started.process.hProcess, peakKb, workingKb);
    if (releaseFile)
        WaitForReleaseFile(releaseFile);
    if (ended)
        printf("%s ended during the idle span\n", program.name.c_str());
    if (cpuBefore < 0 || cpuAfter < 0)
        printf("%s: GetProcessTimes gives nothing for another process here\n", program.name.c_str());
    else
        printf("%s idle %.1f s: CPU time %.1f ms (user + kernel), %.3f ms per second; peak working set %.0f KB\n",
               program.name.c_str(), spanSeconds, cpuAfter - cpuBefore, (cpuAfter - cpuBefore) / spanSeconds,
               peakKb);
    bool clean = CloseAndReap(started);
    if (!clean)
        printf("%s did not end within %lu ms of WM_CLOSE and was killed\n", program.name.c_str(), CloseDeadlineMs);
    fflush(stdout);
    return ended ? 1 : 0;
}

int Usage()
{
    fprintf(stderr,
            "usage: startup_probe startup <runs> <fresh|kept> <exe> <class> [<exe> <class> ...]\n"
            "       startup_probe idle <seconds> <exe> <class> [<release file>]\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2)
        return Usage();
    std::string mode = argv[1];
    if (mode == "startup" && argc >= 6 && (argc - 4) % 2 == 0) {
        int runs = atoi(argv[2]);
        std::string series = argv[3];
        if (runs < 1 || (series != "fresh" && series != "kept"))
            return Usage();
        std::vector<Program> programs;
        for (int i = 4; i + 1 < argc; i += 2)
            programs.push_back(Program{ argv[i], argv[i + 1], FileNameOf(argv[i]) });
        return RunStartupSeries(runs, series == "fresh", programs);
    }
    if (mode == "idle" && (argc == 5 || argc == 6)) {
        int seconds = atoi(argv[2]);
        if (seconds < 1)
            return Usage();
        return RunIdle(seconds, Program{ argv[3], argv[4], FileNameOf(argv[3]) }, argc == 6 ? argv[5] : nullptr);
    }
    return Usage();
}
