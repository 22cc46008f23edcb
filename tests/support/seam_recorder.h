// Recorders for the seam of irreversible calls, shared by the in-process
// tests and the benchmarks: nothing they drive may end the session, kill a
// process, start a program or wait for a person.
#ifndef VORNEL_TESTS_SUPPORT_SEAM_RECORDER_H
#define VORNEL_TESTS_SUPPORT_SEAM_RECORDER_H

#include <windows.h>

#include <string>
#include <vector>

// One call that reached the seam.
struct SeamCall {
    std::string function;
    std::string text1, text2, text3;
    UINT number = 0;
    HWND window = nullptr;
};
extern std::vector<SeamCall> SeamCalls;
std::vector<SeamCall> SeamCallsOf(const char* function);

// What the recorded MessageBoxA answers.
extern int MessageBoxAnswer;
// The path the recorded GetOpenFileNameA chooses; empty: the user cancels.
extern std::string OpenFileAnswer;

// Swaps recorders into the seam. ExitWindowsEx, ShellExecuteA,
// mciSendStringA, MessageBoxA, keybd_event, GetOpenFileNameA and ExitProcess
// only record; TerminateProcess records and refuses; SystemParametersInfoA
// and WritePrivateProfileStringA record and then act, which only touches the
// Wine prefix the program runs in. HungWindowFromGhostWindow and
// DwmGetWindowAttribute stay real: they only answer, as Wine does where it
// has neither; a test that needs another answer puts in its own.
void InstallSeamRecorders();
void RestoreRealSeam();

#endif
