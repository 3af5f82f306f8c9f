// The configuration frame; see configpropframe.h.
#include "admin/config/window/configpropframe.h"

#include "admin/config/window/configdoc.h"
#include "admin/config/window/configpropsheet.h"
#include "admin/config/window/configview.h"
#include "admin/config/window/configwindowhost.h"
#include "platform/mfc/dialogdefs.h"

#include <QCloseEvent>
#include <QMdiArea>

CConfigPropFrame::CConfigPropFrame(std::unique_ptr<CConfigDoc> document, HWND mainWindow, QWidget *parent)
    : QMdiSubWindow(parent), CMessageTarget(this), m_document(std::move(document)), m_mainWindow(mainWindow)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(m_document->GetTitle());
    m_document->SetFrame(this);
}

CConfigPropFrame::~CConfigPropFrame()
{
    unregisterWindow();
    // Deleted with its sheet still up (a new login closes every window):
    // the sheet's going still tells the main window.
    if (m_sheet)
        m_sheet->DestroyWindow();
}

bool CConfigPropFrame::InitialUpdate(const CConfigLogin &login)
{
    m_view = new CConfigView;
    setWidget(m_view);
    m_sheet = m_view->OnInitialUpdate(m_document->CommandChannel(), m_mainWindow, login);
    m_sheet->SetFrame(this);
    if (!m_sheet->IsLoaded())
        return false;
    resize(fittedSize(m_sheet->LayoutRect().size()));
    return true;
}

QSize CConfigPropFrame::fittedSize(const QSize &sheet)
{
    m_view->setMinimumSize(sheet);
    adjustSize();
    const QSize whole = size();
    m_view->setMinimumSize(0, 0);
    if (!mdiArea())
        return whole;
    // Within the main window's room, so that the buttons and the tabs stay
    // in view; the sheet shrinks as far as its pages let it.
    return whole.boundedTo(mdiArea()->viewport()->size());
}

void CConfigPropFrame::CenterWindow()
{
    if (!mdiArea())
        return;
    const QSize room = mdiArea()->viewport()->size();
    move(std::max(0, (room.width() - width()) / 2), std::max(0, (room.height() - height()) / 2));
}

LRESULT CConfigPropFrame::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SHOW_CONFIG_PAGE:
        if (isMinimized())
            showNormal();
        if (mdiArea())
            mdiArea()->setActiveSubWindow(this);
        if (m_sheet)
            SendMessage(m_sheet->GetSafeHwnd(), WM_SHOW_CONFIG_PAGE, wParam, 0);
        return 0;
    case WM_CLOSE:
        close();
        return 0;
    default:
        return CMessageTarget::WindowProc(message, wParam, lParam);
    }
}

bool CConfigPropFrame::askToClose()
{
    if (!m_sheet)
        return true;
    if (m_closing)
        return false;
    // The sheet asks whether to save; it goes (and posts WM_CLOSE here), or
    // stays and clears the mark.
    m_closing = true;
    m_sheet->SetClosingFromFrame();
    SendMessage(m_sheet->GetSafeHwnd(), WM_COMMAND, IDCANCEL, 0);
    return !m_sheet;
}

void CConfigPropFrame::closeEvent(QCloseEvent *event)
{
    if (!askToClose()) {
        event->ignore();
        return;
    }
    QMdiSubWindow::closeEvent(event);
}

void CConfigPropFrame::focusInEvent(QFocusEvent *event)
{
    QMdiSubWindow::focusInEvent(event);
    if (m_sheet)
        m_sheet->setFocus();
}
