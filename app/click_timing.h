// Double-clicks on the button, told by the program itself (its class has no
// CS_DBLCLKS). The tick count wraps after about 49.7 days; the unsigned
// difference of two ticks is right across the wrap.
#ifndef VORNEL_APP_CLICK_TIMING_H
#define VORNEL_APP_CLICK_TIMING_H

#include <stdint.h>

// A left press on the button: when and where, in screen pixels.
struct ButtonPress {
    uint32_t tick;
    int32_t x, y;
    // False before the first press and once the press has moved the button:
    // a drag never begins a double-click, as a double-click ends the session.
    bool beginsDoubleClick;
};

// The system's limits: the double-click time, and the size of the rectangle
// around the first press in which the second must fall.
struct DoubleClickLimits {
    uint32_t time;
    int32_t width, height;
};

// Within the rectangle centred on the first press: less than half its side
// away, as the system itself decides.
inline bool WithinHalf(int32_t a, int32_t b, int32_t side)
{
    int64_t distance = static_cast<int64_t>(a) - b;
    return 2 * (distance < 0 ? -distance : distance) < side;
}

// True when a press at tick, x, y is the second of a double-click after previous.
inline bool CompletesDoubleClick(const ButtonPress& previous, uint32_t tick, int32_t x, int32_t y,
                                 const DoubleClickLimits& limits)
{
    return previous.beginsDoubleClick && static_cast<uint32_t>(tick - previous.tick) < limits.time &&
           WithinHalf(x, previous.x, limits.width) && WithinHalf(y, previous.y, limits.height);
}

#endif
