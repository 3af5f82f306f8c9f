// See portstatusview.h.
#include "admin/ports/portstatusview.h"

#include "admin/ports/portstatisticsdlg.h"
#include "admin/ports/porttraceline.h"
#include "admin/session/servercommandchannel.h"
#include "admin/session/zeltsubscriptionsink.h"
#include "admin/session/zltexception.h"
#include "admin/widgets/htmlhelp.h"

#include <QKeyEvent>

CPortStatusView::CPortStatusView(QWidget *parent)
    : QListWidget(parent), CMessageTarget(this), m_rows(*this, CPortRowList::BracedLeft)
{
    setViewMode(QListView::ListMode);
    setFlow(QListView::TopToBottom);
    setWrapping(true);
    setResizeMode(QListView::Adjust);
    // Rows differ in width (a braced state is written as it stands), and a
    // column must be as wide as its widest row for no state to be cut.
    setUniformItemSizes(false);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setIconSize(QSize(16, 16));
    setWindowTitle(tr("Voice Port Status"));
    connect(this, &QListWidget::itemDoubleClicked, this, [this] { ShowFocusedPortStatistics(); });
}

CPortStatusView::~CPortStatusView()
{
    unregisterWindow();
    if (m_sink && m_subscription != 0) {
        try {
            m_sink->Unsubscribe(m_subscription);
        } catch (const CZltException &) {
            // The session is going away as well; nothing will be delivered.
        }
    }
    if (m_onClosed)
        m_onClosed();
}

void CPortStatusView::OnInitialUpdate(CServerCommandChannel *channel, CZELTSubscriptionSink *sink)
{
    m_rows.Clear();
    m_channel = channel;
    m_sink = sink;
    if (!m_channel || !m_sink)
        return;
    m_subscription = m_sink->Subscribe(this, WM_SERVER_REPLY, TraceRequestCode,
                                       QStringLiteral("RegisterTraceConsumer -categories 8"), false, 1);
    m_channel->SendNoReply(QStringLiteral("ResourceSnapShot"), 1);
}

LRESULT CPortStatusView::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_HELP) {
        // The window has no topic of its own: the help's first page.
        CallHtmlHelp(GetSafeHwnd(), QStringLiteral("admin.chm"), HH_DISPLAY_TOPIC, 0);
        return 1;
    }
    if (message != WM_SERVER_REPLY)
        return CMessageTarget::WindowProc(message, wParam, lParam);
    const auto *text = reinterpret_cast<const QString *>(lParam);
    const QString line = text ? *text : QString();
    ReplyMessage(0);
    OnServerReply(wParam, line);
    return 0;
}

void CPortStatusView::OnServerReply(WPARAM code, const QString &text)
{
    if (code != TraceRequestCode)
        return;
    const auto trace = CPortTraceLine::Parse(text, m_splitter);
    if (!trace)
        return;
    m_rows.SetPortState(trace->port, trace->state);
    m_rowShown = true;
}

void CPortStatusView::ShowFocusedPortStatistics()
{
    QListWidgetItem *focused = currentItem();
    if (!focused || !m_channel)
        return;
    const int port = focused->data(CPortRowList::PortRole).toInt();
    CPortStatisticsDlg statistics(port, m_channel, CPortStatisticsDlg::AdminLayout, QString(), this);
    statistics.DoModal();
}

void CPortStatusView::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_F1 && event->modifiers() == Qt::NoModifier) {
        SendMessage(GetSafeHwnd(), WM_HELP, 0, 0);
        return;
    }
    QListWidget::keyPressEvent(event);
}
