// The free message functions, forwarding to the live-window table.
#include "messages.h"

#include "windowtable.h"

using MessageDetail::WindowTable;

bool PostMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return WindowTable::instance().post(window, message, wParam, lParam);
}

LRESULT SendMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return WindowTable::instance().send(window, message, wParam, lParam);
}

bool ReplyMessage(LRESULT result)
{
    return WindowTable::instance().reply(result);
}

bool InSendMessage()
{
    return WindowTable::instance().inSendMessage();
}

bool IsWindow(HWND window)
{
    return window && WindowTable::instance().isLive(window);
}

uintptr_t SetTimer(HWND window, uintptr_t id, UINT ms)
{
    return WindowTable::instance().setTimer(window, id, ms);
}

bool KillTimer(HWND window, uintptr_t id)
{
    return WindowTable::instance().killTimer(window, id);
}

void SendMessageToDescendants(HWND window, UINT message, WPARAM wParam, LPARAM lParam, bool deep)
{
    // Collected first: a handler may destroy windows of the tree, whose
    // handles then simply answer 0.
    for (HWND descendant : WindowTable::instance().descendantsOf(window, deep))
        SendMessage(descendant, message, wParam, lParam);
}
