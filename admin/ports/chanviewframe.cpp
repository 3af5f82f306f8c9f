// The voice-port status window; see chanviewframe.h. Closing the list closes
// the document, which gives the single-window mark back, whichever way the
// window goes (closed by the user, by a new login, or with the main frame).
// Activation is seen as the window's active state turning on.
#include "admin/ports/chanviewframe.h"

#include "admin/ports/portstatusdoc.h"
#include "admin/ports/portstatusview.h"
#include "admin/res/applicationicon.h"
#include "admin/widgets/configurationmenu.h"

CChanviewFrame::CChanviewFrame(std::unique_ptr<CPortStatusDoc> document, QWidget *parent)
    : QMdiSubWindow(parent), m_document(std::move(document)), m_view(new CPortStatusView(this))
{
    Q_ASSERT(m_document);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(m_document->GetTitle());
    setWindowIcon(ApplicationSmallIcon());
    setWidget(m_view);
    connect(this, &QMdiSubWindow::windowStateChanged, this,
            [this](Qt::WindowStates before, Qt::WindowStates now) {
                if ((now & Qt::WindowActive) && !(before & Qt::WindowActive))
                    ActivateFrame();
            });
    m_view->SetClosedHandler([this] {
        m_document->OnCloseDocument();
        emit closedDocument();
    });
    m_view->OnInitialUpdate(m_document->CommandChannel(), m_document->SubscriptionSink());
}

CChanviewFrame::~CChanviewFrame()
{
    delete m_view;
}

void CChanviewFrame::ActivateFrame()
{
    GreyConfigurationMenu(this, m_document->GetAccount().rights);
}
