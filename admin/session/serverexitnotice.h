// Telling the main window that the server is gone. Whether a link's end was
// expected is each session's own business (its Disconnect says so); this is
// only the one process-wide latch that makes the lost-server message go out
// once, however many sessions lose their links together.
#pragma once

#include "platform/messages/messages.h"

#include <QString>

// Posted to the main window when a session's link ends without the session
// having asked for it. wParam is 1 when that session had completed its
// login, so the window can tell a lost server from a failed login.
constexpr UINT WM_SERVER_EXIT = 0x80D;

class CServerExitNotice {
public:
    // The window told of a lost server; null while there is none (at start,
    // and while the program closes). Setting a window re-arms the latch.
    static void SetMainWindow(HWND window);
    // Posts WM_SERVER_EXIT once; false when it was posted already or there
    // is no main window. Without a main window a lost server (a link whose
    // login had completed) is still noted, for IsServerLost.
    // `cause` is why the link ended where the lost server's message alone
    // would not tell it (the server broke the link's rules); kept with the
    // latch for the window that tells the user.
    static bool ServerLost(bool loginCompleted, const QString &cause = QString());
    // The cause given with the loss the latch holds; empty when none was.
    static QString Cause();
    // Whether the server was lost since the main window was last set: the
    // check that ends the program from a dialog that outlives the server.
    static bool IsServerLost();
};
