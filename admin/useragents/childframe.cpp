// The mailbox editor's MDI window; see childframe.h.
#include "admin/useragents/childframe.h"

#include "admin/useragents/admindoc.h"
#include "admin/useragents/adminview.h"
#include "admin/useragents/mailboxpps.h"
#include "admin/widgets/configurationmenu.h"
#include "platform/messages/minmaxinfo.h"

#include <QCloseEvent>
#include <QEvent>
#include <QShowEvent>
#include <QWindowStateChangeEvent>

#include <algorithm>

CChildFrame::CChildFrame(std::unique_ptr<CAdminDoc> document, CServerCommandChannel *applicationChannel,
                         QWidget *parent)
    : QMdiSubWindow(parent), CMessageTarget(this), m_document(std::move(document)),
      m_view(new CAdminView(m_document.get(), applicationChannel))
{
    Q_ASSERT(m_document);
    setAttribute(Qt::WA_DeleteOnClose);
    setWidget(m_view);
    setWindowTitle(m_document->GetTitle());
    connect(this, &QMdiSubWindow::windowStateChanged, this,
            [this](Qt::WindowStates before, Qt::WindowStates now) {
                if ((now & Qt::WindowActive) && !(before & Qt::WindowActive))
                    ActivateFrame();
            });
}

CChildFrame::~CChildFrame()
{
    unregisterWindow();
    // The view and its sheet go before the document they use.
    delete m_view;
    m_view = nullptr;
}

LRESULT CChildFrame::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CLOSE) {
        close();
        return 0;
    }
    if (message == WM_GETMINMAXINFO && m_view) {
        // The sheet knows the sizes of its layout; no answer keeps the defaults.
        return SendMessage(m_view->GetSafeHwnd(), CMailboxPps::WM_SIZE_LIMITS, 0, lParam);
    }
    return CMessageTarget::WindowProc(message, wParam, lParam);
}

void CChildFrame::ActivateFrame()
{
    // The view becomes the active one: the focus goes to the box list.
    if (m_view)
        m_view->SetInitialFocus();
    GreyConfigurationMenu(this, m_document->GetAccount().rights);
}

void CChildFrame::UpdateSizeLimits()
{
    MINMAXINFO limits;
    limits.ptMinTrackSize = {minimumWidth(), minimumHeight()};
    limits.ptMaxTrackSize = {QWIDGETSIZE_MAX, QWIDGETSIZE_MAX};
    limits.ptMaxSize = limits.ptMaxTrackSize;
    if (SendMessage(GetSafeHwnd(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits)) == 0)
        return;
    setMinimumSize(limits.ptMinTrackSize.x, limits.ptMinTrackSize.y);
    // A maximised window is held to the largest size too.
    setMaximumSize(std::min(limits.ptMaxTrackSize.x, limits.ptMaxSize.x),
                   std::min(limits.ptMaxTrackSize.y, limits.ptMaxSize.y));
}

void CChildFrame::showEvent(QShowEvent *event)
{
    UpdateSizeLimits();
    QMdiSubWindow::showEvent(event);
}

void CChildFrame::closeEvent(QCloseEvent *event)
{
    if (!m_closed && m_view && !m_view->QueryClose()) {
        event->ignore();
        return;
    }
    if (!m_closed) {
        m_closed = true;
        if (m_view)
            m_view->OnClosing();
        m_document->OnCloseDocument();
    }
    QMdiSubWindow::closeEvent(event);
}

void CChildFrame::changeEvent(QEvent *event)
{
    QMdiSubWindow::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange || !m_view)
        return;
    // Only after a maximize or a restore: activation changes the state too,
    // and focusing on activation would activate again.
    const Qt::WindowStates sizing = Qt::WindowMaximized | Qt::WindowMinimized;
    const Qt::WindowStates old = static_cast<QWindowStateChangeEvent *>(event)->oldState();
    if ((old & sizing) != (windowState() & sizing) && !isMinimized())
        m_view->SetInitialFocus();
}
