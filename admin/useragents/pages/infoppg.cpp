// The Info page; see infoppg.h.
#include "admin/useragents/pages/infoppg.h"

#include "admin/session/servercommandchannel.h"
#include "admin/session/tcllist.h"
#include "admin/session/zltexception.h"
#include "admin/useragents/mailboxpps.h"
#include "admin/useragents/pages/pagestrings.h"
#include "platform/mfc/focusmove.h"
#include "platform/messages/messagetarget.h"
#include "platform/msgbox/msgbox.h"

#include <algorithm>
#include <optional>

#include <QDateTime>
#include <QFont>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>

namespace {

// One statistic: its name, the control that shows it (0: none) and the
// query that asks for it (1 info, 2 message statistics, 3 statistics, 0
// computed here).
struct Statistic {
    const char *name;
    int controlId;
    int group;
};

constexpr Statistic kStatistics[] = {
    {"Creation_Time", 1402, 1},
    {"m_changed_time", 1403, 1},
    {"m_c_accessed", 1395, 3},
    {"m_t_login", 1393, 3},
    {"m_t_msgcnt", 1404, 2},
    {"m_max_count", 1405, 3},
    {"m_n_msgcnt", 1406, 2},
    {"m_n_msglen", 1407, 2},
    {"__ComputedMsgTotal", 1408, 0},
    {"m_t_messages", 0, 3},
    {"m_c_busy", 0, 3},
    {"m_c_fax", 1409, 2},
    {"m_s_fax", 1410, 3},
    {"m_c_called", 1411, 3},
    {"m_c_tre", 1412, 3},
    {"m_c_login", 1413, 3},
    {"m_c_notification", 1414, 3},
    {"m_l_called", 1415, 3},
    {"m_l_transfered", 1416, 3},
    {"Last_Logon", 1417, 3},
    {"m_l_notified", 1418, 3},
};

// The statistics given as seconds since 1970.
bool isTimeStatistic(const QString &name)
{
    static const QStringList names = {QStringLiteral("m_l_notified"), QStringLiteral("m_l_called"),
                                      QStringLiteral("Last_Logon"), QStringLiteral("m_l_transfered"),
                                      QStringLiteral("m_changed_time")};
    return names.contains(name);
}

// Month/day/year hour:minute in local time; empty for 0.
QString localTimeText(const QString &value)
{
    bool ok = false;
    const qint64 seconds = value.trimmed().toLongLong(&ok);
    if (!ok)
        return value;
    if (seconds == 0)
        return {};
    const QDateTime when = QDateTime::fromSecsSinceEpoch(seconds);
    return QStringLiteral("%1/%2/%3 %4:%5")
        .arg(when.date().month(), 2, 10, QLatin1Char('0'))
        .arg(when.date().day(), 2, 10, QLatin1Char('0'))
        .arg(when.date().year())
        .arg(when.time().hour(), 2, 10, QLatin1Char('0'))
        .arg(when.time().minute(), 2, 10, QLatin1Char('0'));
}

// The names of one query, each followed by a blank.
QString namesOfGroup(int group)
{
    QString names;
    for (const Statistic &statistic : kStatistics) {
        if (statistic.group == group)
            names += QLatin1String(statistic.name) + QLatin1Char(' ');
    }
    return names;
}

const char kPriorityLoweringFailed[] =
    "Statistics will not be updated because the command to set priority for the process returned an error, "
    "contact your Admin if the problem persists";
const char kPriorityRestoreFailed[] =
    "Statistics query executed but the command to set priority for the process back to normal returned an "
    "error, contact your Admin if you keep seeing this message";

// The server's thread priority, lowered for the queries of one refresh and
// put back when the refresh ends, however it ends.
class LoweredPriority {
public:
    explicit LoweredPriority(CServerCommandChannel &channel) : m_channel(channel) {}
    ~LoweredPriority()
    {
        if (!m_restored) {
            // Leaving on an exception: the session reports it; a second
            // failure here has nothing more to say.
            try {
                m_channel.Execute(QStringLiteral("SetThreadPriority 0"));
            } catch (...) {
            }
        }
    }
    LoweredPriority(const LoweredPriority &) = delete;
    LoweredPriority &operator=(const LoweredPriority &) = delete;

    // The server's reply to putting the priority back.
    QString Restore()
    {
        m_restored = true;
        return m_channel.Execute(QStringLiteral("SetThreadPriority 0"));
    }

private:
    CServerCommandChannel &m_channel;
    bool m_restored = false;
};

} // namespace

// The replies of one refresh, for one box. The page drops the batch when
// the box changes, and with it the handle its late replies would reach.
class CInfoPpg::StatisticsBatch : public CMessageTarget {
public:
    StatisticsBatch(CInfoPpg &page, long box) : m_page(page), m_box(box) {}
    ~StatisticsBatch() override { unregisterWindow(); }

    long Box() const { return m_box; }
    int Outstanding() const { return m_outstanding; }
    void Sent() { ++m_outstanding; }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message != WM_SERVER_REPLY || wParam != StatisticsRequestCode)
            return 0;
        const QString reply = *reinterpret_cast<const QString *>(lParam);
        ReplyMessage(0);
        --m_outstanding;
        m_page.onStatisticsReply(reply);
        return 0;
    }

private:
    CInfoPpg &m_page;
    long m_box;
    int m_outstanding = 0;
};

CInfoPpg::CInfoPpg(CMailboxPps &sheet, const CMailboxPageServices &services)
    : CMailboxPageBase(IDD, IDS_INFO_PAGE, {}, sheet, services)
{
    QGridLayout *grid = AddGrid();
    grid->setHorizontalSpacing(12);
    const struct {
        int id;
        const char *caption;
        int row;
        int column;
    } rows[] = {
        {1402, "Box created:", 0, 0},
        {1403, "Box saved:", 0, 2},
        {1395, "Connection time:", 1, 0},
        {1393, "User time:", 1, 2},
        {1404, "Current:", 3, 0},
        {1405, "Maximum:", 3, 2},
        {1406, "New:", 4, 0},
        {1407, "New length:", 4, 2},
        {1408, "Total:", 5, 0},
        {1409, "Faxes:", 5, 2},
        {1410, "Total faxes:", 6, 0},
        {1411, "Calls:", 8, 0},
        {1415, "Last called:", 8, 2},
        {1412, "Transfers:", 9, 0},
        {1416, "Last transfered:", 9, 2},
        {1413, "Logins:", 10, 0},
        {1417, "Last login:", 10, 2},
        {1414, "Notifies:", 11, 0},
        {1418, "Last notified:", 11, 2},
    };
    auto heading = [&](int row, const char *text) {
        auto *label = new QLabel(QString::fromLatin1(text), this);
        QFont font = label->font();
        font.setBold(true);
        label->setFont(font);
        grid->addWidget(label, row, 0, 1, 4);
    };
    heading(2, "Messages");
    heading(7, "Activity");
    for (const auto &row : rows) {
        grid->addWidget(new QLabel(QString::fromLatin1(row.caption), this), row.row, row.column);
        auto *value = SetDlgCtrlID(new QLabel(QString::fromLatin1(Updating), this), row.id);
        value->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        value->setMinimumWidth(130);
        value->setTextInteractionFlags(Qt::TextSelectableByMouse);
        grid->addWidget(value, row.row, row.column + 1);
    }
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);

    auto *history = new QHBoxLayout;
    history->addWidget(new QLabel(QStringLiteral("History start date:"), this));
    history->addWidget(MakeEdit(IDC_HISTORY_START, 120));
    history->addStretch(1);
    history->addWidget(
        SetDlgCtrlID(new QPushButton(QStringLiteral("Refresh &Statistics"), this), IDC_REFRESH_STATISTICS));
    Body()->addSpacing(8);
    Body()->addLayout(history);
    auto *error = SetDlgCtrlID(new QLabel(this), IDC_QUERY_ERROR);
    error->setWordWrap(true);
    error->setStyleSheet(QStringLiteral("color: #a00000"));
    Body()->addWidget(error);
    Body()->addStretch(1);
}

CInfoPpg::~CInfoPpg() = default;

int CInfoPpg::OutstandingReplies() const
{
    return m_batch && m_batch->Box() == Sheet().ShownNumber() ? m_batch->Outstanding() : 0;
}

bool CInfoPpg::OnInitDialog()
{
    CMailboxPageBase::OnInitDialog();
    readRefreshPeriod();
    SetControlTips(*this, {{1226, 61594}, {1232, 32968}, {1234, 32969}, {1230, 32970}, {1394, 61622}});
    if (Services().profile)
        m_historyStart =
            Services().profile->GetProfileString(QStringLiteral("Settings"), QStringLiteral("HstSdate"));
    SetDlgItemText(IDC_HISTORY_START, m_historyStart);
    return true;
}

void CInfoPpg::readRefreshPeriod()
{
    QString reply;
    try {
        reply = Sheet().Channel()->Execute(QStringLiteral("set sys_statistics_interval"));
    } catch (const CZltException &failure) {
        failure.ReportError();
    }
    // Whatever the server answers, the period stays within bounds: an error
    // or a text that is no number takes the default, and a period of 0 (or
    // one too short) would ask the server without pause.
    bool ok = false;
    const qint64 asked = reply.trimmed().toLongLong(&ok);
    if (reply.contains(QLatin1String("can't")) || IsErrorReply(reply) || !ok)
        m_period = DefaultPeriod;
    else if (asked == -1)
        m_refreshOff = true;
    else
        m_period = int(std::clamp<qint64>(asked, MinimumPeriod, MaximumPeriod));
    if (!m_refreshOff) {
        SetTimer(GetSafeHwnd(), RefreshTimerId, UINT(m_period));
        m_timerRunning = true;
    }
}

void CInfoPpg::stopTimer()
{
    KillTimer(GetSafeHwnd(), RefreshTimerId);
    m_timerRunning = false;
}

void CInfoPpg::OnUserAgentLoaded(WPARAM wParam, LPARAM lParam)
{
    CMailboxPageBase::OnUserAgentLoaded(wParam, lParam);
    const long shown = Sheet().ShownNumber();
    if (shown == -1 || (m_batch && m_batch->Box() == shown))
        return;
    // Another box: what the page shows, and what is still to come, was the
    // last box's.
    if (m_batch) {
        m_batch.reset();
        showUpdating();
    }
    if (isVisible())
        refresh();
}

void CInfoPpg::showUpdating()
{
    for (const Statistic &statistic : kStatistics) {
        if (statistic.controlId)
            SetDlgItemText(statistic.controlId, QString::fromLatin1(Updating));
    }
    SetDlgItemText(IDC_QUERY_ERROR, QString());
}

std::optional<QString> CInfoPpg::HistoryStartArgument(const QString &text)
{
    const QString typed = text.trimmed();
    if (typed.isEmpty())
        return QStringLiteral("-1");
    const QLocale locale;
    QDate date;
    const QString shortFormat = locale.dateFormat(QLocale::ShortFormat);
    const bool twoDigitYear = !shortFormat.contains(QLatin1String("yyyy"));
    if (twoDigitYear)
        date = locale.toDate(typed, QString(shortFormat).replace(QLatin1String("yy"), QLatin1String("yyyy")));
    if (!date.isValid()) {
        date = locale.toDate(typed, shortFormat);
        // Two digits of a year mean the years around now, not the 1900s.
        if (date.isValid() && twoDigitYear && date.year() < 1950)
            date = date.addYears(100);
    }
    if (!date.isValid())
        date = locale.toDate(typed, QLocale::LongFormat);
    if (!date.isValid())
        date = QDate::fromString(typed, Qt::ISODate);
    if (!date.isValid())
        return std::nullopt;
    return QStringLiteral("0 %1 %2 %3").arg(date.day()).arg(date.month() - 1).arg(date.year());
}

void CInfoPpg::refresh()
{
    const long box = Sheet().ShownNumber();
    if (box == -1)
        return;
    // The last batch of this box is still being answered: the server is not
    // asked again before it has answered.
    if (OutstandingReplies() > 0)
        return;
    const std::optional<QString> dateArgument = HistoryStartArgument(m_historyStart);
    try {
        sendBatch(box, dateArgument.value_or(QStringLiteral("-1")));
    } catch (const CZltException &failure) {
        failure.ReportError();
    }
}

void CInfoPpg::sendBatch(long box, const QString &dateArgument)
{
    CServerCommandChannel &channel = *Sheet().Channel();
    if (IsErrorReply(channel.Execute(QStringLiteral("SetThreadPriority -2")))) {
        AfxMessageBox(QString::fromLatin1(kPriorityLoweringFailed), MB_ICONINFORMATION);
        return;
    }
    LoweredPriority priority(channel);
    const QString number = QString::number(box);
    m_batch = std::make_unique<StatisticsBatch>(*this, box);
    // A batch's complaint stays until the next batch: the good replies of
    // the same batch do not wipe it out.
    SetDlgItemText(IDC_QUERY_ERROR, QString());
    const QString commands[] = {
        QStringLiteral("Tcl_MailboxInfoReportNoASR {%1} {%2}").arg(number, namesOfGroup(1)),
        QStringLiteral("Tcl_MailboxMessageStatReportNoASR {%1} {%2}").arg(number, namesOfGroup(2)),
        QStringLiteral("Tcl_MailboxStatisticsNoASR {%1} {%2} {%3} {%4}")
            .arg(number, namesOfGroup(3), dateArgument, QStringLiteral("-1")),
    };
    for (const QString &command : commands) {
        channel.SendAsync(m_batch.get(), WM_SERVER_REPLY, StatisticsRequestCode, command);
        m_batch->Sent();
    }
    if (IsErrorReply(priority.Restore()))
        AfxMessageBox(QString::fromLatin1(kPriorityRestoreFailed));
}

void CInfoPpg::onStatisticsReply(const QString &reply)
{
    if (IsErrorReply(reply)) {
        if (!m_refreshOff)
            stopTimer();
        SetDlgItemText(IDC_QUERY_ERROR, reply);
        return;
    }
    const QString text = reply.trimmed();
    if (text.size() <= 2 || !text.startsWith(QLatin1Char('{')) || !text.endsWith(QLatin1Char('}'))) {
        SetDlgItemText(IDC_QUERY_ERROR, reply);
        return;
    }
    const QString inside = text.mid(1, text.size() - 2);
    QStringList elements;
    CTclList().SplitList(inside, elements);
    if (elements.size() % 2 != 0 || (elements.isEmpty() && !inside.trimmed().isEmpty())) {
        SetDlgItemText(IDC_QUERY_ERROR, QStringLiteral("Didn't get name/value pairs."));
        return;
    }
    QHash<QString, QString> values;
    for (int i = 0; i < elements.size(); i += 2)
        values.insert(elements.at(i), elements.at(i + 1));
    showStatistics(values);
}

void CInfoPpg::showStatistics(const QHash<QString, QString> &values)
{
    QHash<QString, QString> shown = values;
    if (const auto total = values.constFind(QStringLiteral("m_t_messages")); total != values.cend())
        shown.insert(QStringLiteral("__ComputedMsgTotal"), QString::number(total->trimmed().toInt()));
    for (const Statistic &statistic : kStatistics) {
        const QString name = QString::fromLatin1(statistic.name);
        const auto value = shown.constFind(name);
        if (!statistic.controlId || value == shown.cend())
            continue;
        if (name == QLatin1String("Creation_Time"))
            SetDlgItemText(statistic.controlId, value->left(16));
        else if (name == QLatin1String("Last_Logon") && GetDlgItemText(IDC_LOGINS) == QLatin1String("0"))
            continue;
        else if (isTimeStatistic(name))
            SetDlgItemText(statistic.controlId, localTimeText(*value));
        else
            SetDlgItemText(statistic.controlId, *value);
    }
    const struct {
        int countId;
        int lastId;
    } lasts[] = {{IDC_LOGINS, IDC_LAST_LOGIN}, {1412, IDC_LAST_TRANSFERRED}, {1411, IDC_LAST_CALLED}};
    for (const auto &last : lasts) {
        if (GetDlgItemText(last.countId) == QLatin1String("0"))
            SetDlgItemText(last.lastId, QString());
    }
}

void CInfoPpg::historyStartLeft()
{
    UpdateData(true);
    const QString typed = GetDlgItemText(IDC_HISTORY_START);
    if (!typed.trimmed().isEmpty() && !HistoryStartArgument(typed)) {
        AfxMessageBox(QStringLiteral("Invalid Date!!! Please try again!!"));
        SetDlgItemText(IDC_HISTORY_START, QString());
        GotoDlgCtrl(GetDlgItem(IDC_HISTORY_START));
        return;
    }
    if (typed == m_historyStart)
        return;
    m_historyStart = typed;
    if (Services().profile)
        Services().profile->WriteProfileString(QStringLiteral("Settings"), QStringLiteral("HstSdate"), typed);
}

LRESULT CInfoPpg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_TIMER:
        if (wParam == RefreshTimerId) {
            if (isVisible())
                refresh();
            return 0;
        }
        break;
    case WM_CHILDACTIVATE:
        CMailboxPageBase::WindowProc(message, wParam, lParam);
        refresh();
        return 0;
    case WM_COMMAND: {
        const int id = int(LOWORD(wParam));
        if (id == IDC_REFRESH_STATISTICS && HIWORD(wParam) == BN_CLICKED) {
            refresh();
            return 0;
        }
        // Only leaving the field stores the date: a move on to any control
        // of the sheet does, OK and Apply included; another window taking
        // the focus does not, the field keeps the date and gets the focus back.
        if (id == IDC_HISTORY_START && HIWORD(wParam) == EN_KILLFOCUS && FocusMovedWithinSheet(this))
            historyStartLeft();
        break;
    }
    default:
        break;
    }
    return CMailboxPageBase::WindowProc(message, wParam, lParam);
}
