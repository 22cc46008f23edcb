#include "tests/e2e/vornel_test.h"

#include <string>

// What Wine reports to the programs of the prefix: platform, major and
// minor version.
static std::string ReportedWindows()
{
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof version;
    if (!GetVersionExA(&version))
        return "unknown";
    return std::to_string(version.dwPlatformId) + " " + std::to_string(version.dwMajorVersion) + "." +
           std::to_string(version.dwMinorVersion);
}

void VornelTest::SetUp()
{
    // The program reads the same prefix-wide setting, so a prefix that lost
    // it would quietly run the NT paths again under the Windows 98 name.
    if (LaneWindowsVersion() == "win98") {
        ASSERT_EQ("1 4.10", ReportedWindows()) << "Wine does not report Windows 98 (platform 1, version 4.10)";
    }
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
