// Double-click timing on the button. The tick count wraps after about 49.7
// days; the unsigned difference of two ticks is right across the wrap.
#ifndef VORNEL_APP_CLICK_TIMING_H
#define VORNEL_APP_CLICK_TIMING_H

#include <stdint.h>

inline bool CompletesDoubleClick(uint32_t now, uint32_t previousPress, uint32_t doubleClickTime)
{
    return static_cast<uint32_t>(now - previousPress) < doubleClickTime;
}

#endif
