// The command interface of a session: what every window of admin uses to
// talk to the server. A command is one Tcl line; its reply comes back with
// the command's first word stripped (or as "!ERROR ..." when the server
// refused it or never answered). The mailbox editor puts a filter of its own
// in front of its session through this interface.
#pragma once

#include "admin/session/pendingcommand.h"
#include "platform/com/unknwn.h"
#include "platform/messages/messagetarget.h"

#include <QString>

// The message a window receives a reply as: wParam is the caller's request
// code, lParam points to a `const QString` holding the reply, valid until the
// handler returns.
constexpr UINT WM_SERVER_REPLY = 0x800;

class CServerCommandChannel {
public:
    // Ordinary commands pass check = true and frame type 1. With check false
    // the reply comes back exactly as the server sent it.
    virtual QString Execute(const QString &command, bool check = true, int type = 1) = 0;
    // The reply goes to `window` as `message` with `code`, on the window's
    // thread; returns at once.
    virtual HRESULT SendAsync(CMessageTarget *window, UINT message, WPARAM code, const QString &command,
                              bool check = true, int type = 1) = 0;
    // Nobody waits for the reply; it is dropped.
    virtual HRESULT SendNoReply(const QString &command, int type = 1) = 0;
    // Sends now; WaitReply collects the reply later.
    virtual CPendingCommand BeginCommand(const QString &command, bool check = true, int type = 1) = 0;
    virtual QString WaitReply(CPendingCommand &command) = 0;

protected:
    ~CServerCommandChannel() = default;
};
