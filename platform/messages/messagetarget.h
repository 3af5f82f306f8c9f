// The base of every window: it gives the object a handle (HWND) and one
// virtual handler for its messages. It is a mix-in, not a QObject itself,
// so a QWidget subclass can derive from it too:
//
//     class CPortStatusDlg : public QDialog, public CMessageTarget {
//     public:
//         CPortStatusDlg() : CMessageTarget(this) {}
//         LRESULT WindowProc(UINT message, WPARAM, LPARAM) override;
//     };
//
// Messages reach the handler on the thread that made the object, through a
// small QObject of its own living on that thread. The object given as `self`
// is where SendMessageToDescendants looks for child windows.
#pragma once

#include "platform/messages/messages.h"

#include <QPointer>

class QObject;

namespace MessageDetail {
class Mailbox;
}

class CMessageTarget {
public:
    explicit CMessageTarget(QObject *self = nullptr);
    virtual ~CMessageTarget();
    CMessageTarget(const CMessageTarget &) = delete;
    CMessageTarget &operator=(const CMessageTarget &) = delete;

    // The window of a handle, when it is live and belongs to the calling
    // thread; otherwise nullptr.
    static CMessageTarget *FromHandle(HWND window);

    // Null once the window has been unregistered.
    HWND GetSafeHwnd() const { return m_hWnd; }
    QObject *messageObject() const { return m_self; }

    // Every message of the window; what a window does not handle gives 0.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);

protected:
    // Takes the handle out of the table at once: no further message reaches
    // WindowProc and waiting senders get 0. A derived destructor calls it
    // first, so no message arrives while the derived part is half gone; the
    // base destructor calls it in any case.
    void unregisterWindow();

private:
    HWND m_hWnd = nullptr;
    QPointer<QObject> m_self;
    MessageDetail::Mailbox *m_mailbox = nullptr;
};
