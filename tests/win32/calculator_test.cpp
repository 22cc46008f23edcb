// The Calculator dialog in-process: its template, the history in the
// registry, evaluation into the list and the Result field, Copy, and the
// single instance through the command and the hotkey.
#include "tests/win32/test_support.h"

#include "app/startup.h"
#include "res/resource.h"
#include "settings/settings_store.h"
#include "dialogs/calculator/calculator_dialog.h"
#include "dialogs/single_dialog.h"

static std::string Text(HWND dialog, int id)
{
    char text[300];
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

static std::vector<std::string> History(HWND dialog)
{
    std::vector<std::string> items;
    int count = static_cast<int>(SendDlgItemMessageA(dialog, IDC_CALC_EXPRESSION, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        char text[300];
        SendDlgItemMessageA(dialog, IDC_CALC_EXPRESSION, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
        items.push_back(text);
    }
    return items;
}

static void Evaluate(HWND dialog, const char* expression)
{
    SetDlgItemTextA(dialog, IDC_CALC_EXPRESSION, expression);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_CALC_EVALUATE, BN_CLICKED), 0);
}

static std::string Stored(const char* name)
{
    char text[REGISTRY_STRING_CAPACITY];
    return ReadRegistryString(HKEY_CURRENT_USER, SettingsKey, name, text) ? text : "<missing>";
}

class Calculator : public AppTest {
protected:
    void Open() { SendMessageA(window, WM_COMMAND, 155, 0); }
};

TEST_F(Calculator, TheTemplateIsAsDesigned)
{
    HRSRC resource = FindResourceA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(156), MAKEINTRESOURCEA(5));
    ASSERT_NE(nullptr, resource);
    DialogScript script("Calculator");
    RECT client = {};
    LONG style = 0, exStyle = 0;
    std::vector<std::pair<int, std::string>> controls;
    script.Then([&](HWND dialog) {
        style = GetWindowLongA(dialog, GWL_STYLE);
        exStyle = GetWindowLongA(dialog, GWL_EXSTYLE);
        GetClientRect(dialog, &client);
        RECT units = { 0, 0, 245, 75 };
        MapDialogRect(dialog, &units);
        EXPECT_EQ(units.right, client.right);
        EXPECT_EQ(units.bottom, client.bottom);
        for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            char className[32];
            GetClassNameA(child, className, sizeof className);
            controls.push_back({ GetDlgCtrlID(child), className });
        }
        LONG combo = GetWindowLongA(GetDlgItem(dialog, IDC_CALC_EXPRESSION), GWL_STYLE);
        EXPECT_EQ(CBS_DROPDOWN, combo & 3);
        EXPECT_TRUE(combo & CBS_OEMCONVERT);
        EXPECT_TRUE(combo & CBS_HASSTRINGS);
        EXPECT_FALSE(combo & CBS_SORT);
        EXPECT_FALSE(combo & CBS_AUTOHSCROLL);
        EXPECT_TRUE(GetWindowLongA(GetDlgItem(dialog, IDC_CALC_EVALUATE), GWL_STYLE) & BS_DEFPUSHBUTTON);
        EXPECT_TRUE(GetWindowLongA(GetDlgItem(dialog, IDC_CALC_RESULT), GWL_STYLE) & ES_AUTOHSCROLL);
        EXPECT_EQ(GetDlgItem(dialog, IDC_CALC_EXPRESSION), GetParent(GetFocus()) == dialog ? GetFocus() : GetParent(GetFocus()))
            << "the expression box has the focus";
        char title[32];
        GetWindowTextA(dialog, title, sizeof title);
        EXPECT_STREQ("Calculator", title);
        EXPECT_EQ("&Evaluate", Text(dialog, IDC_CALC_EVALUATE));
        EXPECT_EQ("C&opy", Text(dialog, IDC_CALC_COPY));
        EXPECT_EQ("&Close", Text(dialog, IDC_CLOSE));
        PostMessageA(dialog, WM_CLOSE, 0, 0);
    }).Start();
    Open();
    EXPECT_TRUE(style & WS_CAPTION);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_TRUE(exStyle & WS_EX_TOOLWINDOW);
    std::vector<std::pair<int, std::string>> expected = {
        { -1, "Static" }, { 157, "ComboBox" }, { 159, "Button" }, { -1, "Static" },
        { 158, "Edit" }, { 160, "Button" }, { 24, "Button" } };
    ASSERT_EQ(expected.size(), controls.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(expected[i].first, static_cast<int>(static_cast<short>(controls[i].first))) << i;
        EXPECT_EQ(0, lstrcmpiA(expected[i].second.c_str(), controls[i].second.c_str())) << controls[i].second;
    }
}

TEST_F(Calculator, LoadsTheHistoryAcrossGapsWithTheNewestInTheField)
{
    WriteStringValue("calc0", "1+2");
    WriteStringValue("calc2", "SQRT(16)");
    WriteStringValue("calc3", "1+23");
    WriteStringValue("calc4", "1+2");   // already there: not listed twice
    std::vector<std::string> history;
    std::string field;
    DialogScript script("Calculator");
    script.Then([&](HWND dialog) {
        history = History(dialog);
        field = Text(dialog, IDC_CALC_EXPRESSION);
        EXPECT_TRUE(CalculatorOpen());
        EXPECT_EQ(dialog, SingleDialogWindow(IDD_CALCULATOR));
        SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    }).Start();
    Open();
    EXPECT_EQ("1+2", field);
    EXPECT_EQ((std::vector<std::string>{ "1+2", "SQRT(16)", "1+23" }), history)
        << "1+23 is no prefix of an item; the second 1+2 is";
    EXPECT_FALSE(CalculatorOpen());
}

TEST_F(Calculator, EvaluatingShowsTheResultAndAddsNewExpressionsAtTheTop)
{
    WriteStringValue("calc0", "1+23");
    std::vector<std::string> results, afterSqrt, afterAgain, afterPrefix, afterError;
    DialogScript script("Calculator");
    script.Then([&](HWND dialog) {
        Evaluate(dialog, "sqrt(16)");
        results.push_back(Text(dialog, IDC_CALC_RESULT));
        afterSqrt = History(dialog);
        EXPECT_EQ("sqrt(16)", Text(dialog, IDC_CALC_EXPRESSION)) << "the field keeps what was typed";
        Evaluate(dialog, "SQRT(16)");
        afterAgain = History(dialog);
        Evaluate(dialog, "1+2");
        results.push_back(Text(dialog, IDC_CALC_RESULT));
        afterPrefix = History(dialog);
        Evaluate(dialog, "1/0");
        results.push_back(Text(dialog, IDC_CALC_RESULT));
        afterError = History(dialog);
        Evaluate(dialog, "2/3");
        results.push_back(Text(dialog, IDC_CALC_RESULT));
        Evaluate(dialog, "1E6");
        results.push_back(Text(dialog, IDC_CALC_RESULT));
        DWORD selection = static_cast<DWORD>(SendDlgItemMessageA(dialog, IDC_CALC_EXPRESSION, CB_GETEDITSEL, 0, 0));
        EXPECT_EQ(0u, LOWORD(selection));
        EXPECT_EQ(3u, HIWORD(selection)) << "the whole expression is selected";
        SendMessageA(dialog, WM_COMMAND, IDC_CLOSE, 0);
    }).Start();
    Open();
    EXPECT_EQ((std::vector<std::string>{ "4", "3", "Error", "0.666667", "1000000" }), results);
    EXPECT_EQ((std::vector<std::string>{ "SQRT(16)", "1+23" }), afterSqrt);
    EXPECT_EQ(afterSqrt, afterAgain);
    EXPECT_EQ(afterSqrt, afterPrefix) << "an item beginning with 1+2 exists";
    EXPECT_EQ(afterSqrt, afterError) << "an error adds nothing";
    EXPECT_EQ("1E6", Stored("calc0"));
    EXPECT_EQ("2/3", Stored("calc1"));
    EXPECT_EQ("SQRT(16)", Stored("calc2"));
    EXPECT_EQ("1+23", Stored("calc3"));
}

TEST_F(Calculator, SavesAtMostThirtyAndLeavesHigherValuesAlone)
{
    WriteStringValue("calc40", "old");
    DialogScript script("Calculator");
    script.Then([&](HWND dialog) {
        for (int i = 0; i < 35; ++i)
            Evaluate(dialog, (std::to_string(i) + "*1000").c_str());
        EXPECT_EQ(35u, History(dialog).size()) << "the list may grow while open";
        PostMessageA(dialog, WM_CLOSE, 0, 0);
    }).Start();
    Open();
    EXPECT_EQ("34*1000", Stored("calc0"));
    EXPECT_EQ("5*1000", Stored("calc29"));
    EXPECT_EQ("<missing>", Stored("calc30"));
    EXPECT_EQ("old", Stored("calc40"));
}

TEST_F(Calculator, CopyPutsTheResultFieldOnTheClipboard)
{
    std::string clipboard;
    DialogScript script("Calculator");
    script.Then([&](HWND dialog) {
        Evaluate(dialog, "6*7");
        SendMessageA(dialog, WM_COMMAND, IDC_CALC_COPY, 0);
        clipboard = ClipboardText();
        SetDlgItemTextA(dialog, IDC_CALC_RESULT, "typed by hand");
        SendMessageA(dialog, WM_COMMAND, IDC_CALC_COPY, 0);
        SendMessageA(dialog, WM_COMMAND, IDC_CLOSE, 0);
    }).Start();
    Open();
    EXPECT_EQ("42", clipboard);
    EXPECT_EQ("typed by hand", ClipboardText()) << "whatever the field holds";
}

TEST_F(Calculator, OnlyOneOpensAndTheHotkeyClosesIt)
{
    int dialogs = 0;
    DialogScript script("Calculator");
    script.Then([&](HWND) {
        SendMessageA(window, WM_COMMAND, 155, 0);   // a second command 155 while open
        for (HWND w = FindWindowA(nullptr, "Calculator"); w; w = FindWindowExA(nullptr, w, nullptr, "Calculator"))
            ++dialogs;
        SendMessageA(window, WM_HOTKEY, 4112, MAKELPARAM(MOD_CONTROL, 192));
    }).Start();
    Open();
    EXPECT_EQ(1, dialogs);
    EXPECT_FALSE(CalculatorOpen()) << "closed by the hotkey";
    EXPECT_EQ(nullptr, FindWindowA(nullptr, "Calculator"));
}

TEST_F(Calculator, TheWindowInFrontBeforeIsInFrontAfter)
{
    HWND previous = CreateTestWindow("working window");
    SetForegroundWindow(previous);
    ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == previous; }));
    DialogScript script("Calculator");
    script.Then([&](HWND dialog) { SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0); }).Start();
    Open();
    EXPECT_TRUE(PumpUntil([&] { return GetForegroundWindow() == previous; }));
    DestroyWindow(previous);
}

TEST_F(Calculator, TooLongAnExpressionIsAnErrorAndChangesNothing)
{
    std::string text, result;
    DialogScript script("Calculator");
    script.Then([&](HWND dialog) {
        std::string longest(200, '1');
        Evaluate(dialog, longest.c_str());
        result = Text(dialog, IDC_CALC_RESULT);
        text = Text(dialog, IDC_CALC_EXPRESSION);
        EXPECT_TRUE(History(dialog).empty());
        Evaluate(dialog, "EXP(1000)");
        EXPECT_EQ("inf", Text(dialog, IDC_CALC_RESULT).substr(0, 3)) << Text(dialog, IDC_CALC_RESULT);
        Evaluate(dialog, "1E300*1");
        std::string huge = Text(dialog, IDC_CALC_RESULT);
        EXPECT_EQ("1e+300", huge) << "too long for fixed notation";
        SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    }).Start();
    Open();
    EXPECT_EQ("Error", result);
    EXPECT_EQ(std::string(200, '1'), text);
}
