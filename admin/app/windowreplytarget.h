// A window that receives a reply as a message (WM_SERVER_REPLY, or what the
// caller chose) with the caller's request code as wParam and a pointer to the
// reply text as lParam.
//
// The reply is delivered on the window's own thread from a call that owns a
// copy of the text, so the text stays valid for the whole handler, even one
// that calls ReplyMessage and reads it afterwards, or opens a modal box.
// The window is held by a guarded pointer: a window that went away before
// its reply arrived gets nothing, and a dispatcher thread never waits for a
// busy window.
#pragma once

#include "admin/app/replytarget.h"
#include "platform/messages/messagetarget.h"

#include <QObject>
#include <QPointer>

class CWindowReplyTarget : public CReplyTarget {
public:
    CWindowReplyTarget(CMessageTarget *window, UINT message, WPARAM code, const QByteArray &commandWord,
                       Mode mode, int timeToLiveMs);

    void Deliver(const QString &reply) override;

private:
    HWND m_window;
    QPointer<QObject> m_windowObject;
    UINT m_message;
    WPARAM m_code;
};
