// The text of a window that may belong to another thread or program. Such a
// window may be slow to answer or never answer; the reader waits a bounded
// time, and an answer that comes after the wait can only land in memory that
// lives as long as the program.
#ifndef VORNEL_BASE_WINDOW_TEXT_H
#define VORNEL_BASE_WINDOW_TEXT_H

#include <windows.h>

#include <stddef.h>

// The longest a window may take to give its text before it is shown without one.
const UINT WINDOW_TEXT_TIMEOUT_MS = 100;

// Where the text comes from.
enum WindowTextSource {
    // As GetWindowTextA gives it: the caption of another program's window is
    // kept by the system, so that window is not asked.
    WINDOW_TITLE,
    // As the window answers WM_GETTEXT, which also reaches the controls of
    // other programs.
    WINDOW_ANSWER,
};

// Reads the window's text into text, at most capacity - 1 characters, always
// terminated. A window of another thread is waited for at most timeoutMs.
// False, with the empty text, when the window is still there and has not
// answered in time; true otherwise, also for a window that has gone.
bool ReadWindowText(HWND window, WindowTextSource source, char* text, size_t capacity, UINT timeoutMs);

#endif
