// The Report Option 1 dialog and its eight runs; see reportoptiondlg.h. The
// run order differs from the order on screen, as the reports always ran.
#include "admin/reports/reportoptiondlg.h"

#include "admin/reports/db/allportlogtable.h"
#include "admin/reports/db/grouplogtable.h"
#include "admin/reports/db/mailboxcalltable.h"
#include "admin/reports/db/mailboxinfotable.h"
#include "admin/reports/db/mailboxmessagetable.h"
#include "admin/reports/db/mailboxusagetable.h"
#include "admin/reports/db/portlogtable.h"
#include "admin/reports/db/systeminfotable.h"
#include "admin/reports/questionreply.h"
#include "admin/reports/reportengine.h"
#include "admin/reports/reportjob.h"
#include "admin/reports/statisticsrecords.h"
#include "admin/session/servercommandchannel.h"
#include "admin/session/tcllist.h"
#include "admin/session/tclword.h"
#include "admin/session/zltexception.h"
#include "platform/mfc/dataexchange.h"
#include "platform/mfc/focusmove.h"
#include "platform/mfc/waitcursor.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// The reports as they stand on screen: check box, caption, From and To edits
// (0 for none).
struct ReportRow {
    int check;
    const char *caption;
    int from;
    int to;
};

constexpr ReportRow kRows[] = {
    {CReportOptionDlg::IDC_INDIVIDUAL_PORT, "Individual Port Statistics", CReportOptionDlg::IDC_INDIVIDUAL_PORT_FROM,
     CReportOptionDlg::IDC_INDIVIDUAL_PORT_TO},
    {CReportOptionDlg::IDC_PORT_GROUP, "Port Group Statistics", CReportOptionDlg::IDC_PORT_GROUP_FROM,
     CReportOptionDlg::IDC_PORT_GROUP_TO},
    {CReportOptionDlg::IDC_ALL_PORT, "All Port Statistics", CReportOptionDlg::IDC_ALL_PORT_FROM,
     CReportOptionDlg::IDC_ALL_PORT_TO},
    {CReportOptionDlg::IDC_MAILBOX_CALLING, "Mailbox Calling Statistics", CReportOptionDlg::IDC_MAILBOX_CALLING_FROM,
     CReportOptionDlg::IDC_MAILBOX_CALLING_TO},
    {CReportOptionDlg::IDC_MAILBOX_USAGE, "Mailbox Usage Summary", CReportOptionDlg::IDC_MAILBOX_USAGE_FROM,
     CReportOptionDlg::IDC_MAILBOX_USAGE_TO},
    {CReportOptionDlg::IDC_MAILBOX_INFO, "Mailbox Info and Status", 0, 0},
    {CReportOptionDlg::IDC_MESSAGE_STATS, "Mailbox Message Statistics", 0, 0},
    {CReportOptionDlg::IDC_SYSTEM_INFO, "System Information", 0, 0},
};

const QString kInvalidDate = QStringLiteral("Invalid Date!!! Please try again!!");

} // namespace

CReportOptionDlg::CReportOptionDlg(CServerCommandChannel &channel, const QString &allowedMailboxes, QWidget *parent,
                                   std::function<QDateTime()> now)
    : CDialog(IDD, QStringLiteral("Report Option 1"), parent), m_channel(channel),
      m_allowedMailboxes(allowedMailboxes),
      m_now(now ? std::move(now) : [] { return QDateTime::currentDateTime(); })
{
    auto *grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("Report Names"), this), 0, 0);
    grid->addWidget(new QLabel(QStringLiteral("From"), this), 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("To"), this), 0, 2);
    int row = 1;
    for (const ReportRow &report : kRows) {
        grid->addWidget(SetDlgCtrlID(new QCheckBox(QString::fromLatin1(report.caption), this), report.check), row, 0);
        for (auto [id, column] : {std::pair{report.from, 1}, std::pair{report.to, 2}}) {
            if (id == 0)
                continue;
            auto *edit = SetDlgCtrlID(new QLineEdit(this), id);
            edit->setFixedWidth(90);
            grid->addWidget(edit, row, column);
        }
        ++row;
    }
    auto *run = SetDlgCtrlID(new QPushButton(QStringLiteral("Run"), this), IDOK);
    auto *cancel = SetDlgCtrlID(new QPushButton(QStringLiteral("Cancel"), this), IDCANCEL);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(run);
    buttons->addWidget(cancel);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Select Report Type & Define The Time Period"), this));
    layout->addLayout(grid);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

CReportOptionDlg::~CReportOptionDlg() = default;

bool CReportOptionDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    CReportEngine *engine = CReportEngine::Current();
    const QString path = engine ? engine->DatabasePath() : QString();
    // Purge type 1: a run empties its table before it stores its rows. A
    // table that cannot be had says so when its report runs.
    m_portLog = std::make_unique<CPortLogTable>(path, 1, 100);
    m_groupLog = std::make_unique<CGroupLogTable>(path, 1, 100);
    m_allPortLog = std::make_unique<CAllPortLogTable>(path, 1, 100);
    m_mailboxInfo = std::make_unique<CMailboxInfoTable>(path, 1, 100);
    m_mailboxCall = std::make_unique<CMailboxCallTable>(path, 1, 100);
    m_mailboxUsage = std::make_unique<CMailboxUsageTable>(path, 1, 100);
    m_mailboxMessage = std::make_unique<CMailboxMessageTable>(path, 1, 100);
    m_systemInfo = std::make_unique<CSystemInfoTable>(path, 1, 100);
    // A locked file is told of when Run is clicked.
    openTables();
    GetDlgItem(IDOK)->setEnabled(false);
    return true;
}

QString CReportOptionDlg::openTables()
{
    for (CReportsDatabase *table :
         std::initializer_list<CReportsDatabase *>{m_portLog.get(), m_groupLog.get(), m_allPortLog.get(),
                                                   m_mailboxInfo.get(), m_mailboxCall.get(), m_mailboxUsage.get(),
                                                   m_mailboxMessage.get(), m_systemInfo.get()}) {
        if (table->IsOpen() && !table->IsLocked())
            continue;
        // The tables share the file: one wait tells for all of them.
        if (!table->EnsureTable() && table->IsLocked())
            return table->LastError();
    }
    return QString();
}

void CReportOptionDlg::DoDataExchange(CDataExchange *dx)
{
    DDX_Text(dx, IDC_ALL_PORT_TO, m_strAllPortTo);
    DDX_Check(dx, IDC_ALL_PORT, m_bAllPort);
    DDX_Check(dx, IDC_PORT_GROUP, m_bPortGroup);
    DDX_Check(dx, IDC_MAILBOX_CALLING, m_bMailboxCalling);
    DDX_Check(dx, IDC_MAILBOX_INFO, m_bMailboxInfo);
    DDX_Check(dx, IDC_MESSAGE_STATS, m_bMessageStats);
    DDX_Check(dx, IDC_MAILBOX_USAGE, m_bMailboxUsage);
    DDX_Check(dx, IDC_INDIVIDUAL_PORT, m_bIndividualPort);
    DDX_Check(dx, IDC_SYSTEM_INFO, m_bSystemInfo);
    DDX_Text(dx, IDC_ALL_PORT_FROM, m_strAllPortFrom);
    DDX_Text(dx, IDC_PORT_GROUP_FROM, m_strPortGroupFrom);
    DDX_Text(dx, IDC_PORT_GROUP_TO, m_strPortGroupTo);
    DDX_Text(dx, IDC_MAILBOX_CALLING_FROM, m_strMailboxCallingFrom);
    DDX_Text(dx, IDC_MAILBOX_CALLING_TO, m_strMailboxCallingTo);
    DDX_Text(dx, IDC_MAILBOX_USAGE_FROM, m_strMailboxUsageFrom);
    DDX_Text(dx, IDC_MAILBOX_USAGE_TO, m_strMailboxUsageTo);
    DDX_Text(dx, IDC_INDIVIDUAL_PORT_FROM, m_strIndividualPortFrom);
    DDX_Text(dx, IDC_INDIVIDUAL_PORT_TO, m_strIndividualPortTo);
}

LRESULT CReportOptionDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND && HIWORD(wParam) == EN_KILLFOCUS) {
        // Run reads the dates itself (one that does not parse is its
        // default, as after Enter in the edit) and Cancel needs no check:
        // checking on the way to either would refuse a date the click then
        // goes on without. A report window or message box taking the focus
        // is no time to check either.
        if (FocusMovedWithin(this, {GetDlgItem(IDOK), GetDlgItem(IDCANCEL)}))
            OnKillFocusDate(int(LOWORD(wParam)));
        return 0;
    }
    if (message == WM_CLOSE) {
        OnClose();
        return 0;
    }
    return CDialog::WindowProc(message, wParam, lParam);
}

bool CReportOptionDlg::OnCommand(int id)
{
    for (const ReportRow &row : kRows) {
        if (row.check == id) {
            OnReportTypeClicked();
            return true;
        }
    }
    return CDialog::OnCommand(id);
}

void CReportOptionDlg::OnReportTypeClicked()
{
    bool any = false;
    for (const ReportRow &row : kRows)
        any = any || GetDlgItem<QCheckBox>(row.check)->isChecked();
    GetDlgItem(IDOK)->setEnabled(any);
}

void CReportOptionDlg::OnKillFocusDate(int id)
{
    auto *edit = GetDlgItem<QLineEdit>(id);
    if (!edit)
        return;
    UpdateData(true);
    if (edit->text().isEmpty() || CReportDate::Parse(edit->text()))
        return;
    AfxMessageBox(kInvalidDate, MB_OK);
    edit->clear();
    UpdateData(true);
    UpdateData(false);
    GotoDlgCtrl(edit);
}

void CReportOptionDlg::OnOK()
{
    UpdateData(true);
    // Nothing is asked of the server while its figures could not be kept;
    // the choices stay for the next Run.
    if (const QString locked = openTables(); !locked.isEmpty()) {
        AfxMessageBox(locked, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    const std::pair<int, bool (CReportOptionDlg::*)()> runs[] = {
        {m_bIndividualPort, &CReportOptionDlg::RunPortStatistics},
        {m_bPortGroup, &CReportOptionDlg::RunPortGroupStatistics},
        {m_bAllPort, &CReportOptionDlg::RunAllPortStatistics},
        {m_bMailboxInfo, &CReportOptionDlg::RunMailboxInfo},
        {m_bMailboxCalling, &CReportOptionDlg::RunMailboxCalling},
        {m_bMailboxUsage, &CReportOptionDlg::RunMailboxUsage},
        {m_bMessageStats, &CReportOptionDlg::RunMessageStatistics},
        {m_bSystemInfo, &CReportOptionDlg::RunSystemInformation},
    };
    try {
        for (const auto &[chosen, run] : runs)
            if (chosen)
                (this->*run)();
    } catch (const CZltException &failure) {
        // The session failed: the reports after this one are not run, and
        // the administrator keeps the choices to try again.
        AfxMessageBox(failure.text(), MB_OK | MB_ICONERROR);
        return;
    }
    OnClose();
}

void CReportOptionDlg::OnClose()
{
    UpdateData(true);
    EndDialog(IDOK);
}

void CReportOptionDlg::OnCancel()
{
    EndDialog(IDCANCEL);
}

// --- the runs ------------------------------------------------------------------

QString CReportOptionDlg::mailboxList() const
{
    return m_allowedMailboxes.isEmpty() ? QStringLiteral("-1") : m_allowedMailboxes;
}

bool CReportOptionDlg::request(const QString &command, QString &reply)
{
    CPendingCommand pending = m_channel.BeginCommand(command, true, 1);
    reply = m_channel.WaitReply(pending);
    if (IsErrorReply(reply)) {
        AfxMessageBox(reply, MB_OK);
        return false;
    }
    return true;
}

bool CReportOptionDlg::requestDated(const QString &command, ReportDateRange &range, QString &reply)
{
    for (;;) {
        if (!request(QStringLiteral("%1 %2 %3").arg(command, TclWord(range.fromArgument), TclWord(range.toArgument)),
                     reply))
            return false;
        if (!IsQuestionReply(reply))
            return true;
        QString question = reply;
        question[0] = QLatin1Char(' ');
        if (AfxMessageBox(question, MB_OKCANCEL | MB_ICONINFORMATION) != IDOK)
            return false;
        const std::optional<QDate> from = CReportDate::QuestionDate(reply);
        if (!from) {
            // Sending the same dates again would only bring the same question.
            AfxMessageBox(QStringLiteral("The server's question names no start date; the report is not run."),
                          MB_OK);
            return false;
        }
        CReportDate::SetFrom(range, *from);
    }
}

bool CReportOptionDlg::storeAndShow(const std::function<bool(ReportFill &)> &store,
                                    const ReportWindow &window)
{
    ReportFill fill;
    const bool filled = store(fill);
    if (!filled)
        AfxMessageBox(QStringLiteral("The %1 report could not be stored: %2").arg(window.title, fill.error),
                      MB_OK);
    else if (fill.failed > 0)
        AfxMessageBox(QStringLiteral("%1 of the %2 rows of the %3 report could not be stored.")
                          .arg(fill.failed)
                          .arg(fill.failed + fill.stored)
                          .arg(window.title),
                      MB_OK);
    if (filled)
        showReport(window);
    return true;
}

void CReportOptionDlg::showReport(const ReportWindow &window)
{
    CReportEngine *engine = CReportEngine::Current();
    CReportJob *job = engine ? engine->OpenJob(window.layout) : nullptr;
    if (!job) {
        AfxMessageBox(engine ? engine->GetErrorText() : QStringLiteral("The report engine is not open."), MB_OK);
        return;
    }
    if (!job->OutputToWindow(window.title, window.left, window.top, 600, 500))
        AfxMessageBox(job->GetErrorText(), MB_OK);
    else if (!job->Start())
        AfxMessageBox(job->GetErrorText(), MB_OK);
    delete job;
}

bool CReportOptionDlg::RunPortStatistics()
{
    CWaitCursor wait;
    ReportDateRange range = CReportDate::Range(m_strIndividualPortFrom, m_strIndividualPortTo, m_now());
    QString reply;
    if (!requestDated(QStringLiteral("Tcl_PortStatistics {-1} {-1}"), range, reply))
        return false;
    return storeAndShow(
        [&](ReportFill &fill) { return CStatisticsRecords::PortStatistics(*m_portLog, reply, range, fill); },
        {QStringLiteral("portstat.rpt"), QStringLiteral("Individual Port Statistics"), 70, 100});
}

bool CReportOptionDlg::RunPortGroupStatistics()
{
    CWaitCursor wait;
    ReportDateRange range = CReportDate::Range(m_strPortGroupFrom, m_strPortGroupTo, m_now());
    QString reply;
    if (!requestDated(QStringLiteral("Tcl_GroupStatistics {-1}"), range, reply))
        return false;
    return storeAndShow(
        [&](ReportFill &fill) {
            return CStatisticsRecords::PortGroupStatistics(*m_groupLog, reply, range, fill);
        },
        {QStringLiteral("PortGroup.rpt"), QStringLiteral("Port Group Statistics"), 80, 120});
}

bool CReportOptionDlg::RunAllPortStatistics()
{
    CWaitCursor wait;
    ReportDateRange range = CReportDate::Range(m_strAllPortFrom, m_strAllPortTo, m_now());
    QString reply;
    if (!requestDated(QStringLiteral("Tcl_GroupStatistics {0}"), range, reply))
        return false;
    return storeAndShow(
        [&](ReportFill &fill) {
            return CStatisticsRecords::AllPortStatistics(*m_allPortLog, reply, range, fill);
        },
        {QStringLiteral("AllPortStat.rpt"), QStringLiteral("All Port Statistics"), 90, 140});
}

bool CReportOptionDlg::RunMailboxInfo()
{
    CWaitCursor wait;
    QString info;
    QString logons;
    if (!request(QStringLiteral("Tcl_MailboxInfoReportNoASR %1 {-1}").arg(TclWord(mailboxList())), info) ||
        !request(QStringLiteral("Tcl_MailboxStatisticsNoASR {-1} {-1} {-1} {-1}"), logons))
        return false;
    return storeAndShow(
        [&](ReportFill &fill) { return CStatisticsRecords::MailboxInfo(*m_mailboxInfo, info, logons, fill); },
        {QStringLiteral("MailboxInfo.rpt"), QStringLiteral("Mailbox Info and Status"), 100, 160});
}

bool CReportOptionDlg::RunMailboxCalling()
{
    CWaitCursor wait;
    ReportDateRange range = CReportDate::Range(m_strMailboxCallingFrom, m_strMailboxCallingTo, m_now());
    QString reply;
    if (!requestDated(QStringLiteral("Tcl_MailboxStatistics %1 {-1}").arg(TclWord(mailboxList())), range, reply))
        return false;
    return storeAndShow(
        [&](ReportFill &fill) {
            return CStatisticsRecords::MailboxCalling(*m_mailboxCall, reply, range, fill);
        },
        {QStringLiteral("MailboxCall.rpt"), QStringLiteral("Mailbox Calling Statistics"), 110, 180});
}

bool CReportOptionDlg::RunMessageStatistics()
{
    CWaitCursor wait;
    QString reply;
    if (!request(QStringLiteral("Tcl_MailboxMessageStatReportNoASR %1 {-1}").arg(TclWord(mailboxList())), reply))
        return false;
    return storeAndShow(
        [&](ReportFill &fill) {
            return CStatisticsRecords::MessageStatistics(*m_mailboxMessage, reply, fill);
        },
        {QStringLiteral("MessageInfo.rpt"), QStringLiteral("Mailbox Message Statistics"), 120, 200});
}

bool CReportOptionDlg::RunMailboxUsage()
{
    CWaitCursor wait;
    ReportDateRange range = CReportDate::Range(m_strMailboxUsageFrom, m_strMailboxUsageTo, m_now());
    QString reply;
    if (!requestDated(QStringLiteral("Tcl_MailboxStatistics %1 {-1}").arg(TclWord(mailboxList())), range, reply))
        return false;
    return storeAndShow(
        [&](ReportFill &fill) {
            return CStatisticsRecords::MailboxUsage(*m_mailboxUsage, reply, range, fill);
        },
        {QStringLiteral("MailboxUsage.rpt"), QStringLiteral("Mailbox Usage Summary"), 130, 220});
}

bool CReportOptionDlg::RunSystemInformation()
{
    CWaitCursor wait;
    QString system;
    QString lists;
    QString amis;
    QString boxes;
    if (!request(QStringLiteral("Tcl_SystemInfoReport"), system) ||
        !request(QStringLiteral("Tcl_UAPropertiesReport {2147483646} {0 999999999} {Mailbox}"), lists) ||
        !request(QStringLiteral("Tcl_UAPropertiesReport {2147483644} {0 999999999} {Mailbox}"), amis) ||
        !request(QStringLiteral("Tcl_MailboxInfoReportNoASR {-1} {-1}"), boxes))
        return false;
    return storeAndShow(
        [&](ReportFill &fill) {
            return CStatisticsRecords::SystemInformation(*m_systemInfo, system, lists, amis, boxes, fill);
        },
        {QStringLiteral("SystemInfo.rpt"), QStringLiteral("System Information"), 140, 240});
}
