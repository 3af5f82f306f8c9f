// Registration of a window in the live-window table; see messagetarget.h.
#include "messagetarget.h"

#include "mailbox.h"
#include "windowtable.h"

#include <QThread>

CMessageTarget::CMessageTarget(QObject *self) : m_self(self), m_mailbox(new MessageDetail::Mailbox)
{
    Q_ASSERT(!self || self->thread() == QThread::currentThread());
    m_hWnd = MessageDetail::WindowTable::instance().add(this, m_mailbox);
}

CMessageTarget::~CMessageTarget()
{
    unregisterWindow();
    // Messages still queued for the window go with its mailbox.
    delete m_mailbox;
}

CMessageTarget *CMessageTarget::FromHandle(HWND window)
{
    return MessageDetail::WindowTable::instance().targetOnThisThread(window);
}

LRESULT CMessageTarget::WindowProc(UINT, WPARAM, LPARAM)
{
    return 0;
}

void CMessageTarget::unregisterWindow()
{
    if (m_hWnd) {
        MessageDetail::WindowTable::instance().remove(m_hWnd);
        m_hWnd = nullptr;
    }
}
