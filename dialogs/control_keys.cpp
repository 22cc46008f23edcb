#include "dialogs/control_keys.h"

void SubclassControl(HWND control, WNDPROC procedure)
{
    LONG_PTR own = SetWindowLongPtrA(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedure));
    SetWindowLongPtrA(control, GWLP_USERDATA, own);
}

LRESULT CallControlProcedure(HWND control, UINT message, WPARAM wParam, LPARAM lParam)
{
    WNDPROC own = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(control, GWLP_USERDATA));
    return CallWindowProcA(own, control, message, wParam, lParam);
}
