// The fixture of the end-to-end tests: no vornel.exe left from before, a
// clean registry key, the program started and its dialogs found by title;
// the tear-down closes the program the way a user would, and kills it only
// when it does not end.
#ifndef VORNEL_TESTS_E2E_VORNEL_TEST_H
#define VORNEL_TESTS_E2E_VORNEL_TEST_H

#include <gtest/gtest.h>

#include "tests/e2e/e2e_support.h"

const DWORD StartTimeoutMs = 15000;
const DWORD ExitTimeoutMs = 10000;
const DWORD UiTimeoutMs = 10000;

class VornelTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // Starts vornel.exe and waits until its button exists and its message
    // loop answers; null (and a failure) when it does not get that far.
    HWND StartVornel();
    // The visible dialog of the program with that title, or null.
    HWND FindDialog(const char* title) const;
    // Posts the command to the button and waits for the dialog.
    HWND OpenDialog(HWND button, WPARAM command, const char* title) const;

    VornelProcess vornel;
};

#endif
