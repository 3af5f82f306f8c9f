// The voice-port status window; see chanviewframe.h. Closing the list closes
// the document, which gives the single-window mark back, whichever way the
// window goes (closed by the user, by a new login, or with the main frame).
// Activation is seen as the window's active state turning on. The window
// may open while the frame is still taking its first size: it follows the
// frame's window area, no wider than the area (its list scrolls) and inside
// it.
#include "admin/ports/chanviewframe.h"

#include "admin/ports/portstatusdoc.h"
#include "admin/ports/portstatusview.h"
#include "admin/res/applicationicon.h"
#include "admin/widgets/configurationmenu.h"
#include "admin/widgets/mdiplacement.h"

#include <QEvent>
#include <QMdiArea>

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

void CChanviewFrame::showEvent(QShowEvent *event)
{
    QMdiSubWindow::showEvent(event);
    // The viewport is the part the window shows in; it takes its size
    // after the area's own.
    if (QMdiArea *area = mdiArea())
        area->viewport()->installEventFilter(this);
}

bool CChanviewFrame::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Resize && mdiArea() && watched == mdiArea()->viewport())
        fitArea();
    return QMdiSubWindow::eventFilter(watched, event);
}

void CChanviewFrame::fitArea()
{
    if (isMaximized() || isMinimized())
        return;
    const QSize room = mdiArea()->viewport()->size();
    const QSize fitted = size().boundedTo(room).expandedTo(minimumSizeHint().boundedTo(room));
    if (fitted != size())
        resize(fitted);
    KeepInSight(this);
}
