// The property editor's window; see propeditframe.h.
#include "admin/uatools/propedit/propeditframe.h"

#include "admin/res/applicationicon.h"
#include "admin/uatools/propedit/propeditdoc.h"
#include "admin/uatools/propedit/propeditfrm.h"
#include "admin/widgets/mdiplacement.h"
#include "platform/mfc/dialogdefs.h"

#include <QCloseEvent>
#include <QMdiArea>

CPropEditFrame::CPropEditFrame(std::unique_ptr<CPropEditDoc> document, std::function<bool(long)> isAllowed,
                               QWidget *parent)
    : QMdiSubWindow(parent), m_document(std::move(document)),
      m_view(new CPropEditFrm(m_document.get(), std::move(isAllowed)))
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowIcon(ApplicationIcon());
    setWindowTitle(m_document->GetTitle());
    m_view->Create(this, WS_CHILD);
    setWidget(m_view);
    m_view->OnInitialUpdate();
    adjustSize();
}

CPropEditFrame::~CPropEditFrame()
{
    if (!m_closed)
        m_document->OnCloseDocument();
}

CPropEditFrame *CPropEditFrame::Open(QMdiArea *area, CZELTSession &session, const CLoginCredentials &login,
                                     std::function<bool(long)> isAllowed)
{
    auto document = std::make_unique<CPropEditDoc>();
    if (!document->OnNewDocument(session, login))
        return nullptr;
    auto *frame = new CPropEditFrame(std::move(document), std::move(isAllowed));
    area->addSubWindow(frame);
    frame->show();
    KeepInSight(frame);
    frame->GetActiveView()->GetDlgItem(CPropEditFrm::IDC_NUMBER)->setFocus();
    return frame;
}

void CPropEditFrame::closeEvent(QCloseEvent *event)
{
    if (!m_view->QueryClose()) {
        event->ignore();
        return;
    }
    m_closed = true;
    m_document->OnCloseDocument();
    // The form is a dialog, which would take a close as Cancel and refuse
    // it: the window goes without asking it again.
    event->accept();
    hide();
    deleteLater();
}
