// The mailbox editor's view; see adminview.h.
#include "admin/useragents/adminview.h"

#include "admin/res/applicationicon.h"
#include "admin/useragents/admindoc.h"
#include "admin/useragents/childframe.h"
#include "admin/useragents/mailboxpps.h"

#include <QVBoxLayout>

CAdminView::CAdminView(CAdminDoc *document, CServerCommandChannel *applicationChannel, QWidget *parent)
    : QWidget(parent), CMessageTarget(this), m_document(document), m_applicationChannel(applicationChannel)
{
    Q_ASSERT(document);
    setFocusPolicy(Qt::StrongFocus);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
}

CAdminView::~CAdminView()
{
    unregisterWindow();
}

void CAdminView::OnInitialUpdate()
{
    Q_ASSERT(!m_sheet);
    if (QWidget *frame = parentWidget())
        frame->setWindowIcon(ApplicationIcon());
    const QString caption = m_document->IsOwned() ? QStringLiteral("COS Mailbox Configuration")
                                                  : QStringLiteral("Mailbox Configuration");
    m_sheet =
        new CMailboxPps(caption, m_document->Channel(), m_document->GetCurrentUANumber(), m_document, this);
    m_sheet->SetApplicationChannel(m_applicationChannel);
    m_sheet->SetServerVariables(m_document->GetAccount().serverVariable);
    m_sheet->SetPageFactory(m_document->GetAccount().pages);
    m_sheet->SetCopyAction(m_document->GetAccount().copy);
    m_sheet->AddPages();
    m_sheet->setWindowFlags(Qt::Widget);
    layout()->addWidget(m_sheet);
    connect(m_sheet, &CMailboxPps::messageLineChanged, this, &CAdminView::messageLineChanged);
    connect(m_sheet, &CMailboxPps::directorySyncRequested, this, &CAdminView::directorySyncRequested);
    connect(m_sheet, &CMailboxPps::ownEditorRequested, this, &CAdminView::ownEditorRequested);
    connect(m_sheet, &CMailboxPps::sizeLimitsChanged, this, [this] {
        if (auto *frame = qobject_cast<CChildFrame *>(parentWidget()))
            frame->UpdateSizeLimits();
    });
    m_sheet->Create(this);
    SetInitialFocus();
}

void CAdminView::SetInitialFocus()
{
    if (m_sheet)
        m_sheet->SetInitialFocus();
}

bool CAdminView::QueryClose()
{
    return !m_sheet || m_sheet->QueryClose();
}

void CAdminView::OnClosing()
{
    if (m_sheet)
        m_sheet->ReleasePages();
}

LRESULT CAdminView::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CLOSE) {
        // The frame closes; the sheet may first save what the administrator asks.
        if (auto *frame = parentWidget())
            frame->close();
        return 0;
    }
    if ((message == WM_HELP || message == CMailboxPps::WM_SIZE_LIMITS) && m_sheet)
        return SendMessage(m_sheet->GetSafeHwnd(), message, wParam, lParam);
    return CMessageTarget::WindowProc(message, wParam, lParam);
}
