#include "base/window_text.h"

#include <limits.h>

#include "base/text.h"

// The system copies the text of another program's window for us and drops
// the copy once we stop waiting, and a window of our own thread has answered
// before the call returns. A window of another thread of this program writes
// straight into the buffer it is given, whenever it gets round to it; so it
// is given one of these, never the caller's, and one whose answer is overdue
// stays lent until its window has answered or gone.
const int ANSWER_BUFFER_COUNT = 4;

struct AnswerBuffers {
    char text[ANSWER_BUFFER_COUNT][MAX_PATH];
    HWND lentTo[ANSWER_BUFFER_COUNT];   // the window whose answer is overdue; null when free
};

static AnswerBuffers Answers;

// A thread handles the messages another thread sends it in the order they
// were sent: once this note is answered, the overdue question sent before it
// has been answered too.
static void CALLBACK ReturnAnswerBuffer(HWND window, UINT, ULONG_PTR index, LRESULT)
{
    if (index < ANSWER_BUFFER_COUNT && Answers.lentTo[index] == window)
        Answers.lentTo[index] = nullptr;
}

// A window that has gone is handed no more messages, so nothing more can
// land in the buffer lent to it.
static bool AnswerBufferFree(int index)
{
    HWND window = Answers.lentTo[index];
    if (window && !IsWindow(window))
        Answers.lentTo[index] = window = nullptr;
    return !window;
}

// WM_GETTEXT into text; false when the window is still there and did not
// answer in time.
static bool AskWindow(HWND window, char* text, size_t capacity, UINT timeoutMs)
{
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutA(window, WM_GETTEXT, capacity, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG,
                             timeoutMs, &copied)) {
        text[0] = '\0';
        return !IsWindow(window);
    }
    text[copied < capacity ? copied : capacity - 1] = '\0';
    return true;
}

static bool AskThroughAnswerBuffer(HWND window, char* text, size_t capacity, UINT timeoutMs)
{
    int index = 0;
    while (index < ANSWER_BUFFER_COUNT && !AnswerBufferFree(index))
        ++index;
    // Every buffer waits for an overdue answer: nobody is asked until one is back.
    if (index == ANSWER_BUFFER_COUNT)
        return false;
    char* answer = Answers.text[index];
    if (AskWindow(window, answer, capacity < MAX_PATH ? capacity : MAX_PATH, timeoutMs)) {
        CopyText(text, capacity, answer);
        return true;
    }
    Answers.lentTo[index] = window;
    // Looked up: the note is a convenience the oldest systems may lack, and
    // without it the buffer waits for its window to go.
    typedef BOOL WINAPI SendWithCallback(HWND, UINT, WPARAM, LPARAM, SENDASYNCPROC, ULONG_PTR);
    auto send = reinterpret_cast<SendWithCallback*>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), "SendMessageCallbackA")));
    if (send)
        send(window, WM_NULL, 0, 0, ReturnAnswerBuffer, static_cast<ULONG_PTR>(index));
    return false;
}

bool ReadWindowText(HWND window, WindowTextSource source, char* text, size_t capacity, UINT timeoutMs)
{
    if (capacity == 0)
        return true;
    text[0] = '\0';
    DWORD processId = 0;
    DWORD threadId = GetWindowThreadProcessId(window, &processId);
    if (processId == GetCurrentProcessId() && threadId != GetCurrentThreadId())
        return AskThroughAnswerBuffer(window, text, capacity, timeoutMs);
    if (source == WINDOW_ANSWER)
        return AskWindow(window, text, capacity, timeoutMs);
    GetWindowTextA(window, text, capacity < INT_MAX ? static_cast<int>(capacity) : INT_MAX);
    return true;
}
