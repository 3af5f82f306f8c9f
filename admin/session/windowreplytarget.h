// A window that receives a reply as a message (WM_SERVER_REPLY, or what the
// caller chose) with the caller's request code as wParam and a pointer to the
// reply text as lParam.
//
// Windows live on the user-interface thread. The reply is handed to that
// thread by a queued call that owns a copy of the text and then sends the
// message there, so the text stays valid for the whole handler, even one
// that calls ReplyMessage and reads it afterwards, or opens a modal box; and
// a dispatcher thread never waits for a busy window. The window is named by
// its handle, which never names another window once it is gone: the call
// checks it on the window's own thread, where nothing can close the window
// between the check and the message.
#pragma once

#include "admin/session/replytarget.h"
#include "platform/messages/messagetarget.h"

class QThread;

class CWindowReplyTarget : public CReplyTarget {
public:
    // `window` must be alive for the call (the caller holds it).
    CWindowReplyTarget(CMessageTarget *window, UINT message, WPARAM code, const QByteArray &commandWord,
                       Mode mode, int timeToLiveMs);

    void Deliver(const QString &reply) override;
    bool DeliversWithoutWaiting() const override;

private:
    bool onUserInterfaceThread() const;

    HWND m_window;
    QThread *m_windowThread;
    UINT m_message;
    WPARAM m_code;
};
