#include "tests/e2e/vornel_test.h"

#include <string>

void VornelTest::SetUp()
{
    ASSERT_TRUE(CloseLeftoverInstances(ExitTimeoutMs)) << "a vornel.exe left from an earlier run does not end";
    DeleteSettingsKey();
}

void VornelTest::TearDown()
{
    if (vornel.Running() && !vornel.Close(ExitTimeoutMs))
        ADD_FAILURE() << "vornel.exe did not end on WM_CLOSE; terminated";
    vornel.Kill();
    DeleteSettingsKey();
}

HWND VornelTest::StartVornel()
{
    if (!vornel.Start()) {
        ADD_FAILURE() << "cannot start " << VornelProcess::ExecutablePath() << ", error " << GetLastError();
        return nullptr;
    }
    HWND button = vornel.WaitForButton(StartTimeoutMs);
    DWORD_PTR result = 0;
    if (!button || !SendMessageTimeoutA(button, WM_NULL, 0, 0, SMTO_NORMAL, UiTimeoutMs, &result)) {
        ADD_FAILURE() << "no answering window of class SimpleClass from vornel.exe";
        return nullptr;
    }
    return button;
}

HWND VornelTest::FindDialog(const char* title) const
{
    for (HWND dialog : WindowsOfProcess(vornel.id(), "#32770", true)) {
        char text[64] = "";
        GetWindowTextA(dialog, text, sizeof text);
        if (std::string(text) == title)
            return dialog;
    }
    return nullptr;
}

HWND VornelTest::OpenDialog(HWND button, WPARAM command, const char* title) const
{
    if (!PostMessageA(button, WM_COMMAND, command, 0))
        return nullptr;
    HWND found = nullptr;
    PumpUntil([&] { return (found = FindDialog(title)) != nullptr; }, UiTimeoutMs);
    return found;
}
