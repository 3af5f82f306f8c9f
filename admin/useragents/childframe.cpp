// The mailbox editor's MDI window; see childframe.h.
#include "admin/useragents/childframe.h"

#include "admin/useragents/admindoc.h"
#include "admin/useragents/adminview.h"

#include <QCloseEvent>
#include <QEvent>
#include <QWindowStateChangeEvent>

CChildFrame::CChildFrame(std::unique_ptr<CAdminDoc> document, CServerCommandChannel *applicationChannel,
                         QWidget *parent)
    : QMdiSubWindow(parent), CMessageTarget(this), m_document(std::move(document)),
      m_view(new CAdminView(m_document.get(), applicationChannel))
{
    Q_ASSERT(m_document);
    setAttribute(Qt::WA_DeleteOnClose);
    setWidget(m_view);
    setWindowTitle(m_document->GetTitle());
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
    return CMessageTarget::WindowProc(message, wParam, lParam);
}

void CChildFrame::closeEvent(QCloseEvent *event)
{
    if (!m_closed && m_view && !m_view->QueryClose()) {
        event->ignore();
        return;
    }
    if (!m_closed) {
        m_closed = true;
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
