// See portstatusdlg.h.
#include "chanview/portstatusdlg.h"

#include "admin/ports/portstateicons.h"
#include "admin/ports/portstatetable.h"
#include "admin/ports/portstatisticsdlg.h"
#include "admin/ports/porttraceline.h"
#include "admin/session/servercommandchannel.h"
#include "admin/session/serverexitnotice.h"
#include "admin/session/zeltsession.h"
#include "admin/session/zltexception.h"
#include "chanview/chanviewaboutdlg.h"
#include "chanview/chanviewapp.h"
#include "chanview/chanviewstrings.h"

#include <QAction>
#include <QListWidget>

namespace {
constexpr int kMargin = 7;
const QSize kTemplateSize(660, 320);
// The text a subscription receives when the link ends under it.
const QString kDisconnectedMark = QStringLiteral("!ERROR Server disconnected");
} // namespace

CPortStatusDlg::CPortStatusDlg(QWidget *parent)
    : CAnchoredDialog(IDD, tr("Voice Ports Status"), parent),
      m_portList(SetDlgCtrlID(new QListWidget(this), IDC_PORT_LIST)),
      m_rows(*m_portList, CPortRowList::BracedRight)
{
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setWindowIcon(CPortStateIcons::Icon(3));
    resize(kTemplateSize);
    m_portList->setGeometry(kMargin, kMargin, kTemplateSize.width() - 2 * kMargin,
                            kTemplateSize.height() - 2 * kMargin);
    m_portList->setViewMode(QListView::ListMode);
    m_portList->setFlow(QListView::TopToBottom);
    m_portList->setWrapping(true);
    m_portList->setResizeMode(QListView::Adjust);
    m_portList->setUniformItemSizes(true);
    m_portList->setIconSize(QSize(CPortStateIcons::Size, CPortStateIcons::Size));
    m_portList->setFont(QFont(QStringLiteral("Monospace"), font().pointSize()));
    m_portList->setSpacing(1);
    AddAnchor(IDC_PORT_LIST, AnchorWiden | AnchorHeighten);
    connect(m_portList, &QListWidget::itemDoubleClicked, this, [this] { ShowFocusedPortStatistics(); });

    // In place of the system menu's entry.
    auto *about = new QAction(ChanviewString(IDS_CV_ABOUT), this);
    connect(about, &QAction::triggered, this, [this] {
        CChanviewAboutDlg dialog(this);
        dialog.setWindowIcon(windowIcon());
        dialog.DoModal();
    });
    setContextMenuPolicy(Qt::ActionsContextMenu);
    m_portList->setContextMenuPolicy(Qt::ActionsContextMenu);
    m_portList->addAction(about);
    addAction(about);
}

CPortStatusDlg::~CPortStatusDlg()
{
    stopWatchingServer();
    unregisterWindow();
    closeSession();
}

bool CPortStatusDlg::OnInitDialog()
{
    CAnchoredDialog::OnInitDialog();
    m_bClosing = false;
    m_bServerLost = false;
    showTitle();
    // Told when any of the program's sessions loses its link, the login's
    // included; a loss before this window was there is seen below.
    CServerExitNotice::SetMainWindow(GetSafeHwnd());
    if (theChanviewApp().GetLoginSession()->GetState() != CZELTSession::StateConnected)
        onServerLost();
    else if (openSession())
        subscribe();
    return true;
}

void CPortStatusDlg::showTitle()
{
    QString title = tr("Voice Ports Status on %1").arg(theChanviewApp().GetCurrentHost());
    if (m_bServerLost)
        title += QStringLiteral(" - ") + ChanviewString(IDS_CV_SERVER_NOT_AVAILABLE);
    setWindowTitle(title);
}

bool CPortStatusDlg::openSession()
{
    CZELTSession *login = theChanviewApp().GetLoginSession();
    Q_ASSERT(login);
    m_pSession = std::make_unique<CZELTSession>(*login);
    try {
        const CChanviewApp &app = theChanviewApp();
        m_pSession->Connect(CLoginCredentials{app.GetCurrentHost(), app.User(), app.Password()});
    } catch (const CZltException &failure) {
        failure.ReportError();
        m_pSession.reset();
        return false;
    }
    m_channel = m_pSession->CommandChannel();
    m_sink = m_pSession->SubscriptionSink();
    return true;
}

void CPortStatusDlg::subscribe()
{
    const QString trace = ChanviewString(IDS_CV_REGISTER_TRACE);
    try {
        m_pSession->Execute(trace, true, 1);
        m_subscription = m_sink->Subscribe(this, WM_SERVER_REPLY, TraceRequestCode, trace, false, 1);
        m_pSession->Execute(ChanviewString(IDS_CV_RESOURCE_SNAPSHOT), true, 1);
    } catch (const CZltException &failure) {
        failure.ReportError();
    }
}

void CPortStatusDlg::closeSession()
{
    try {
        if (m_sink && m_subscription != 0)
            m_sink->Unsubscribe(m_subscription);
        m_subscription = 0;
        if (m_pSession)
            m_pSession->Disconnect();
    } catch (const CZltException &) {
        // Closing regardless; the session's destructor answers what is left.
    }
    m_channel = nullptr;
    m_sink = nullptr;
    m_pSession.reset();
}

void CPortStatusDlg::done(int result)
{
    stopWatchingServer();
    closeSession();
    CAnchoredDialog::done(result);
}

// Links end while the dialog closes; that is no lost server.
void CPortStatusDlg::stopWatchingServer()
{
    m_bClosing = true;
    CServerExitNotice::SetMainWindow(nullptr);
}

// Rows that no longer change must not pass for live ones, so the title says
// the server is gone; the rows stay, and the operator decides when to close.
void CPortStatusDlg::onServerLost()
{
    if (m_bServerLost || m_bClosing)
        return;
    m_bServerLost = true;
    showTitle();
}

LRESULT CPortStatusDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_SERVER_EXIT) {
        onServerLost();
        return 0;
    }
    if (message != WM_SERVER_REPLY)
        return CAnchoredDialog::WindowProc(message, wParam, lParam);
    const auto *text = reinterpret_cast<const QString *>(lParam);
    const QString line = text ? *text : QString();
    ReplyMessage(0);
    OnStatusUpdate(wParam, line);
    return 0;
}

void CPortStatusDlg::OnStatusUpdate(WPARAM code, const QString &text)
{
    if (code != TraceRequestCode)
        return;
    if (text.startsWith(kDisconnectedMark)) {
        onServerLost();
        return;
    }
    // A state the table does not know changes nothing: no row is made and
    // the port's row keeps its last state.
    const auto trace = CPortTraceLine::Parse(text, m_splitter);
    if (trace && CPortStateTable::Find(trace->state) != CPortStateTable::Unknown)
        m_rows.SetPortState(trace->port, trace->state);
}

void CPortStatusDlg::ShowFocusedPortStatistics()
{
    QListWidgetItem *focused = m_portList->currentItem();
    if (!focused || !m_channel)
        return;
    const int port = focused->data(CPortRowList::PortRole).toInt();
    CPortStatisticsDlg statistics(port, m_channel, CPortStatisticsDlg::MonitorLayout,
                                  theChanviewApp().GetCurrentHost(), this);
    statistics.DoModal();
}
