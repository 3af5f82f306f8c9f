// The size limits a window is asked for before it is sized or maximised
// (WM_GETMINMAXINFO): the window fills in its defaults, and whoever answers
// narrows them. Sizes are whole windows, frame included, in pixels.
#pragma once

#include "platform/messages/messages.h"

#include <cstdint>

constexpr UINT WM_GETMINMAXINFO = 0x0024;

struct POINT {
    int32_t x = 0;
    int32_t y = 0;
};

struct MINMAXINFO {
    POINT ptReserved;
    // The size and place of the maximised window.
    POINT ptMaxSize;
    POINT ptMaxPosition;
    // The smallest and largest size a user may drag the window to.
    POINT ptMinTrackSize;
    POINT ptMaxTrackSize;
};
