// The two messages the main frame and the configuration window trade.
#pragma once

#include "platform/messages/messages.h"

// Posted by the frame to the configuration window: show the page of the
// command id in wParam.
constexpr UINT WM_SHOW_CONFIG_PAGE = 0x808;
// Posted to the frame by the configuration window: wParam is the command id
// of the page it shows now, 0 when it closes.
constexpr UINT WM_CONFIG_PAGE_SHOWN = 0x809;
