// The distribution-list editor's window; see distlistframe.h.
#include "admin/uatools/distlist/distlistframe.h"

#include "admin/res/applicationicon.h"
#include "admin/uatools/distlist/distlistdoc.h"
#include "admin/widgets/mdiplacement.h"
#include "platform/mfc/dialogdefs.h"

#include <QCloseEvent>
#include <QMdiArea>

CDistListFrame::CDistListFrame(std::unique_ptr<CDistListDoc> document, CDistListFrm::Services services,
                               QWidget *parent)
    : QMdiSubWindow(parent), m_document(std::move(document)),
      m_view(new CDistListFrm(m_document.get(), std::move(services)))
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowIcon(ApplicationIcon());
    setWindowTitle(m_document->GetTitle());
    m_view->Create(this, WS_CHILD);
    setWidget(m_view);
    connect(m_view, &CDistListFrm::closeRequested, this, &QWidget::close);
}

CDistListFrame::~CDistListFrame()
{
    if (!m_closing)
        m_document->OnCloseDocument();
}

CDistListFrame *CDistListFrame::Open(QMdiArea *area, CZELTSession &session, const CLoginCredentials &login,
                                     CAdminDoc::Account account, CDistListFrm::Services services,
                                     const QList<long> &numbers)
{
    auto document = std::make_unique<CDistListDoc>(std::move(account));
    if (!numbers.isEmpty()) {
        document->SetListGiven(0);
        document->SetUAList(numbers);
    }
    if (!document->OnNewDocument(session, login))
        return nullptr;
    auto *frame = new CDistListFrame(std::move(document), std::move(services));
    area->addSubWindow(frame);
    frame->GetActiveView()->OnInitialUpdate();
    frame->adjustSize();
    frame->show();
    // The area placed the frame before the form gave it its size.
    KeepInSight(frame);
    return frame;
}

void CDistListFrame::closeEvent(QCloseEvent *event)
{
    if (!m_view->SaveFieldChange()) {
        event->ignore();
        return;
    }
    m_closing = true;
    m_document->OnCloseDocument();
    // The form is a dialog, which would take a close as Cancel and refuse
    // it: the window goes without asking it again.
    event->accept();
    hide();
    deleteLater();
}
