// What painting the button's face costs under Wine: the program's pixel
// buffer drawing against the literal per-pixel reference, each into the
// button window's own DC and into a memory DC, and a whole repaint through
// WM_PAINT, for the small and the large face. Checks on the way that both
// ways give the same pixels. Prints microseconds per paint.
#include <windows.h>

#include <stdio.h>
#include <string.h>

#include <functional>
#include <vector>

#include <shlwapi.h>

#include "base/platform.h"
#include "app/placement.h"
#include "app/shutdown.h"
#include "app/startup.h"
#include "res/resource.h"
#include "settings/settings_store.h"
#include "tests/bench/bench_timing.h"
#include "tests/support/wine_support.h"
#include "tests/win32/face_reference.h"
#include "ui/button_face.h"

namespace {

const int Repetitions = 200;
const int WarmUps = 20;

// The program's shutdown ends the process; here it must come back.
void WINAPI StayInProcess(UINT) {}

struct Timing {
    double median;
    double minimum;
};

// Times every way once per round, round after round, so a change in the
// machine's load falls on all of them alike.
std::vector<Timing> MeasureInTurn(const std::vector<std::function<void()>>& ways)
{
    for (int i = 0; i < WarmUps; ++i) {
        for (const auto& paint : ways)
            paint();
    }
    std::vector<std::vector<double>> samples(ways.size());
    for (int i = 0; i < Repetitions; ++i) {
        for (size_t w = 0; w < ways.size(); ++w) {
            double begin = NowMicroseconds();
            ways[w]();
            GdiFlush();
            samples[w].push_back(NowMicroseconds() - begin);
        }
    }
    std::vector<Timing> timings;
    for (const std::vector<double>& series : samples)
        timings.push_back(Timing{ Median(series), Minimum(series) });
    return timings;
}

int CountDifferences(const std::vector<DWORD>& a, const std::vector<DWORD>& b)
{
    int differing = 0;
    for (size_t i = 0; i < a.size() && i < b.size(); ++i)
        differing += (a[i] & 0xFFFFFF) != (b[i] & 0xFFFFFF);
    return differing + static_cast<int>(a.size() > b.size() ? a.size() - b.size() : b.size() - a.size());
}

struct Face {
    const char* name;
    int bitmapId;
    int sizeIndex;
};
const Face Faces[] = {
    { "small unpressed (16)", IDB_FACE_UNPRESSED, 0 },
    { "small pressed (17)", IDB_FACE_PRESSED, 0 },
    { "large unpressed (18)", IDB_FACE_LARGE_UNPRESSED, 1 },
    { "large pressed (19)", IDB_FACE_LARGE_PRESSED, 1 },
};

// A scheme far from the key colours, so a wrong substitution shows.
const ColourScheme OtherScheme = {{
    MakeColour(255, 255, 0), MakeColour(0, 0, 255), MakeColour(0, 128, 0), MakeColour(0, 0, 128),
}};

// Draws every face both ways, in both schemes, into a canvas prefilled with
// a colour neither draws, at an offset, and compares all of the canvas.
bool CompareInMemory()
{
    const int side = 64;
    const COLORREF backgroundColour = RGB(1, 2, 3);
    const DWORD background = 0x00010203;   // the same colour as the DIB holds it
    bool identical = true;
    int compared = 0;
    for (const Face& face : Faces) {
        for (const ColourScheme* scheme : { &DefaultColourScheme, &OtherScheme }) {
            Canvas canvas(side, side);
            canvas.Fill(backgroundColour);
            DrawButtonFace(canvas.dc(), face.bitmapId, 3, 5, face.sizeIndex, *scheme);
            std::vector<DWORD> buffered = canvas.Pixels();
            canvas.Fill(backgroundColour);
            DrawButtonFacePerPixel(canvas.dc(), face.bitmapId, 3, 5, face.sizeIndex, *scheme);
            std::vector<DWORD> perPixel = canvas.Pixels();
            int differing = CountDifferences(buffered, perPixel);
            int untouched = 0;
            for (DWORD pixel : buffered)
                untouched += pixel == background;
            int drawn = side * side - untouched;
            int expected = FaceSize[face.sizeIndex] * FaceSize[face.sizeIndex];
            compared += side * side;
            if (differing || drawn != expected) {
                identical = false;
                printf("  DIFFERENT: %s, %s colours: %d pixels differ; %d drawn, %d expected\n", face.name,
                       scheme == &DefaultColourScheme ? "default" : "other", differing, drawn, expected);
            }
        }
    }
    printf("  memory DC, faces 16 17 18 19 in the default and another scheme: %s (%d pixels compared)\n",
           identical ? "identical" : "NOT identical", compared);
    return identical;
}

// Reads the window's client area back through BitBlt.
std::vector<DWORD> ClientPixels(HWND window, int side)
{
    Canvas canvas(side, side);
    canvas.Fill(RGB(0, 0, 0));
    HDC dc = GetDC(window);
    BitBlt(canvas.dc(), 0, 0, side, side, dc, 0, 0, SRCCOPY);
    ReleaseDC(window, dc);
    return canvas.Pixels();
}

// Both ways into the button window itself, read back from the screen side.
bool CompareOnWindow(HWND window, const Face& face)
{
    int side = FaceSize[face.sizeIndex];
    HDC dc = GetDC(window);
    DrawButtonFace(dc, face.bitmapId, 0, 0, face.sizeIndex, OtherScheme);
    ReleaseDC(window, dc);
    std::vector<DWORD> buffered = ClientPixels(window, side);
    dc = GetDC(window);
    PatBlt(dc, 0, 0, side, side, BLACKNESS);
    DrawButtonFacePerPixel(dc, face.bitmapId, 0, 0, face.sizeIndex, OtherScheme);
    ReleaseDC(window, dc);
    std::vector<DWORD> perPixel = ClientPixels(window, side);
    int differing = CountDifferences(buffered, perPixel);
    printf("  button window, %s, other colours: %s (%d pixels compared, %d differ)\n", face.name,
           differing ? "NOT identical" : "identical", side * side, differing);
    return differing == 0;
}

struct SizeFigures {
    Timing bufferWindow, perPixelWindow, bufferMemory, perPixelMemory, loadOnly, repaint;
};

SizeFigures MeasureSize(HWND window, const Face& face)
{
    const ColourScheme& scheme = CurrentColourScheme();
    HDC dc = GetDC(window);
    Canvas canvas(64, 64);
    std::vector<Timing> t = MeasureInTurn({
        [&] { DrawButtonFace(dc, face.bitmapId, 0, 0, face.sizeIndex, scheme); },
        [&] { DrawButtonFacePerPixel(dc, face.bitmapId, 0, 0, face.sizeIndex, scheme); },
        [&] { DrawButtonFace(canvas.dc(), face.bitmapId, 0, 0, face.sizeIndex, scheme); },
        [&] { DrawButtonFacePerPixel(canvas.dc(), face.bitmapId, 0, 0, face.sizeIndex, scheme); },
        // The part of each paint that is loading the picture from the resources.
        [&] {
            HBITMAP bitmap = LoadBitmapA(Program.instance, MAKEINTRESOURCEA(face.bitmapId));
            DeleteObject(bitmap);
        },
        [&] {
            InvalidateRect(window, nullptr, FALSE);
            UpdateWindow(window);
        },
    });
    ReleaseDC(window, dc);
    return SizeFigures{ t[0], t[1], t[2], t[3], t[4], t[5] };
}

void PrintRow(const char* what, const Timing& small, const Timing& large)
{
    printf("  %-44s %9.1f %9.1f   %9.1f %9.1f\n", what, small.median, small.minimum, large.median, large.minimum);
}

void SetLargeButton(HWND window, bool large)
{
    ChangeSetting(&SettingsRecord::largeSize, large ? SETTING_ON : SETTING_OFF);
    PlaceButtonWindow(window);
    PumpPending();
}

}  // namespace

int main()
{
    DeleteSettingsKey();
    Platform.ExitProcess = StayInProcess;
    HWND window = StartApplication(GetModuleHandleA(nullptr));
    if (!window) {
        printf("the application did not start\n");
        return 1;
    }
    // Let the new window's first paints and the X server's answers pass
    // before anything is timed.
    for (DWORD begin = GetTickCount(); GetTickCount() - begin < 300;) {
        PumpPending();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }

    printf("Button face painting under Wine, microseconds per paint (%d rounds after %d warm-ups, the ways taken in turn):\n",
           Repetitions, WarmUps);
    printf("  %-44s %9s %9s   %9s %9s\n", "", "small", "", "large", "");
    printf("  %-44s %9s %9s   %9s %9s\n", "", "median", "min", "median", "min");
    SizeFigures small = MeasureSize(window, Faces[0]);
    SetLargeButton(window, true);
    PumpPending();
    SizeFigures large = MeasureSize(window, Faces[2]);
    PrintRow("DrawButtonFace into the button's DC", small.bufferWindow, large.bufferWindow);
    PrintRow("per-pixel reference into the button's DC", small.perPixelWindow, large.perPixelWindow);
    PrintRow("DrawButtonFace into a memory DC", small.bufferMemory, large.bufferMemory);
    PrintRow("per-pixel reference into a memory DC", small.perPixelMemory, large.perPixelMemory);
    PrintRow("  of which LoadBitmapA + DeleteObject alone", small.loadOnly, large.loadOnly);
    PrintRow("InvalidateRect + UpdateWindow (WM_PAINT)", small.repaint, large.repaint);
    printf("  per-pixel / pixel buffer, button's DC: small %.1fx, large %.1fx\n",
           small.perPixelWindow.median / small.bufferWindow.median,
           large.perPixelWindow.median / large.bufferWindow.median);

    printf("Same pixels both ways:\n");
    bool identical = CompareInMemory();
    identical = CompareOnWindow(window, Faces[2]) && identical;
    identical = CompareOnWindow(window, Faces[3]) && identical;
    SetLargeButton(window, false);
    identical = CompareOnWindow(window, Faces[0]) && identical;
    identical = CompareOnWindow(window, Faces[1]) && identical;
    InvalidateRect(window, nullptr, FALSE);
    UpdateWindow(window);

    ShutdownApplication(window);
    PumpPending();
    Platform = RealPlatformCalls;
    DeleteSettingsKey();
    fflush(stdout);
    return identical ? 0 : 1;
}
