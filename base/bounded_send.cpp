#include "base/bounded_send.h"

void SendSystemCommandBounded(HWND target, WPARAM command)
{
    DWORD_PTR result;
    SendMessageTimeoutA(target, WM_SYSCOMMAND, command, 0, SMTO_ABORTIFHUNG, WINDOW_ANSWER_TIMEOUT_MS, &result);
}
