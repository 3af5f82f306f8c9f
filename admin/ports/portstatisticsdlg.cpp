// See portstatisticsdlg.h. A reply that is an error is shown as the error it
// is: figures are shown only from a reply that carries them.
#include "admin/ports/portstatisticsdlg.h"

#include "admin/session/servercommandchannel.h"
#include "admin/session/tcllist.h"
#include "admin/session/zltexception.h"

#include <QDialogButtonBox>
#include <QHash>
#include <QHeaderView>
#include <QPushButton>
#include <QStringList>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <array>
#include <ctime>

namespace {
struct Statistic {
    const char *label;
    const char *key;
};
const std::array<Statistic, CPortStatisticsDlg::StatisticCount> kStatistics = {{
    {"Incoming Calls", "p_cnt_in"},
    {"Outgoing Calls", "p_cnt_out"},
    {"Busy in Seconds", "p_t_busy"},
    {"Last Called", "p_l_called"},
    {"Times Out of Service", "p_c_outofsvc"},
}};
const char *const kLastCalledKey = "p_l_called";
} // namespace

CPortStatisticsDlg::CPortStatisticsDlg(int port, CServerCommandChannel *channel,
                                       const CPortStatisticsLayout &layout, const QString &host,
                                       QWidget *parent)
    : CDialog(layout.dialogId, tr("Voice Port Statistics"), parent), m_port(port), m_channel(channel),
      m_layout(layout), m_host(host), m_list(SetDlgCtrlID(new QTreeWidget(this), layout.listId))
{
    Q_ASSERT(channel);
    m_list->setRootIsDecorated(false);
    m_list->setHeaderLabels({tr("Statistic"), tr("Value")});
    m_list->header()->resizeSection(0, 144);
    m_list->header()->resizeSection(1, 160);
    m_list->setMinimumSize(144 + 160 + 8, 120);

    auto *buttons = new QDialogButtonBox(this);
    buttons->addButton(SetDlgCtrlID(new QPushButton(tr("&Refresh")), layout.refreshId),
                       QDialogButtonBox::ActionRole);
    buttons->addButton(SetDlgCtrlID(new QPushButton(tr("Close")), layout.closeId),
                       QDialogButtonBox::RejectRole);
    auto *column = new QVBoxLayout(this);
    column->addWidget(m_list);
    column->addWidget(buttons);
}

bool CPortStatisticsDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    Fill();
    return true;
}

bool CPortStatisticsDlg::OnCommand(int id)
{
    if (id == m_layout.refreshId) {
        Fill();
        return true;
    }
    if (id == m_layout.closeId) {
        EndDialog(IDOK);
        return true;
    }
    return CDialog::OnCommand(id);
}

void CPortStatisticsDlg::Fill()
{
    setWindowTitle(m_host.isEmpty() ? tr("Statistics - Voice Port %1").arg(m_port)
                                    : tr("Statistics - Voice Port %1 on %2").arg(m_port).arg(m_host));
    m_list->clear();
    QString reply;
    try {
        CPendingCommand pending =
            m_channel->BeginCommand(QStringLiteral("Tcl_PortStatistics {%1} {-1} {-1}").arg(m_port), true, 1);
        reply = m_channel->WaitReply(pending);
    } catch (const CZltException &failure) {
        showError(failure.text());
        return;
    }
    // An error reply is never taken for figures: every statistic then reads
    // "Not available".
    showFigures(IsErrorReply(reply) ? QString() : reply);
}

void CPortStatisticsDlg::showFigures(const QString &reply)
{
    CTclList splitter;
    QStringList rows;
    splitter.SplitList(reply, rows);
    QHash<QString, QString> values;
    if (!rows.isEmpty())
        splitter.SplitPairs(rows.first(), values);
    for (const Statistic &statistic : kStatistics) {
        const QString key = QLatin1String(statistic.key);
        QString text = tr("Not available");
        if (values.contains(key)) {
            text =
                key == QLatin1String(kLastCalledKey) ? LastCalledText(values.value(key)) : values.value(key);
            if (text.isEmpty())
                text = tr("Not available");
        }
        addRow(tr(statistic.label), text);
    }
}

void CPortStatisticsDlg::showError(const QString &text)
{
    addRow(tr("Error"), text);
}

void CPortStatisticsDlg::addRow(const QString &label, const QString &value)
{
    auto *item = new QTreeWidgetItem(m_list, {label, value});
    item->setToolTip(1, value);
}

QString CPortStatisticsDlg::LastCalledText(const QString &value)
{
    bool isNumber = false;
    const qlonglong seconds = value.trimmed().toLongLong(&isNumber);
    if (!isNumber || seconds < 0)
        return QString();
    if (seconds == 0)
        return tr("Never Called");
    const std::time_t when = static_cast<std::time_t>(seconds);
    std::tm local{};
    if (!localtime_r(&when, &local))
        return QString();
    char text[64];
    const std::size_t length = std::strftime(text, sizeof text, "%m/%d/%Y %I:%M:%S%p", &local);
    return QString::fromLatin1(text, static_cast<int>(length));
}

QString CPortStatisticsDlg::StatisticText(int row) const
{
    const QTreeWidgetItem *item = m_list->topLevelItem(row);
    return item ? item->text(1) : QString();
}

int CPortStatisticsDlg::RowCount() const
{
    return m_list->topLevelItemCount();
}
