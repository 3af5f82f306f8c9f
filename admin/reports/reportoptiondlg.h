// The Report Option 1 dialog: eight statistics reports to tick, a From and a
// To date beside the five that cover a period, and Run, which runs every
// ticked report in a fixed order. Each run asks the server over the
// dialog's command interface (a session the main frame made for the
// dialog), refills its report's table in the report database in one
// transaction and shows the report's layout through the print engine.
//
// A dated run holds a short exchange when the server answers with a
// question ("?..." proposing another start date): OK sends the command
// again from the proposed date, Cancel ends that run. An error reply ("!")
// is shown and ends that run; the next ticked report still runs. A failure
// of the session itself ends the Run press and the dialog stays open.
#pragma once

#include "admin/reports/reportdate.h"
#include "platform/mfc/dialog.h"

#include <QString>

#include <functional>
#include <memory>

class CAllPortLogTable;
class CGroupLogTable;
class CMailboxCallTable;
class CMailboxInfoTable;
class CMailboxMessageTable;
class CMailboxUsageTable;
class CPortLogTable;
class CServerCommandChannel;
class CSystemInfoTable;
struct ReportFill;

class CReportOptionDlg : public CDialog {
    Q_OBJECT
public:
    enum {
        IDD = 175,
        IDC_MAILBOX_USAGE = 1043,
        IDC_INDIVIDUAL_PORT = 1027,
        IDC_INDIVIDUAL_PORT_TO = 1031,
        IDC_MAILBOX_CALLING = 1050,
        IDC_MAILBOX_CALLING_TO = 1055,
        IDC_MAILBOX_INFO = 1070,
        IDC_ALL_PORT = 1079,
        IDC_ALL_PORT_TO = 1082,
        IDC_SYSTEM_INFO = 1092,
        IDC_MESSAGE_STATS = 1101,
        IDC_PORT_GROUP_FROM = 1375,
        IDC_INDIVIDUAL_PORT_FROM = 1376,
        IDC_MAILBOX_USAGE_FROM = 1377,
        IDC_MAILBOX_CALLING_FROM = 1378,
        IDC_PORT_GROUP_TO = 1379,
        IDC_ALL_PORT_FROM = 1380,
        IDC_MAILBOX_USAGE_TO = 1381,
        IDC_PORT_GROUP = 1382,
    };

    // `allowedMailboxes`: the administrator's allowed user agents as the
    // application holds them, empty when not restricted. `now` gives the
    // current local date and time (tests fix it).
    CReportOptionDlg(CServerCommandChannel &channel, const QString &allowedMailboxes, QWidget *parent = nullptr,
                     std::function<QDateTime()> now = {});
    ~CReportOptionDlg() override;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // The runs: true when the report was stored and handed to the print
    // engine, false when the server refused it or the administrator
    // cancelled. Session failures throw CZltException.
    bool RunPortStatistics();
    bool RunPortGroupStatistics();
    bool RunAllPortStatistics();
    bool RunMailboxInfo();
    bool RunMailboxCalling();
    bool RunMessageStatistics();
    bool RunMailboxUsage();
    bool RunSystemInformation();

protected:
    bool OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    bool OnCommand(int id) override;
    void DoDataExchange(CDataExchange *dx) override;

private:
    void OnClose();
    void OnReportTypeClicked();
    void OnKillFocusDate(int id);

    // Opens the tables that are not open yet; why not, when another program
    // holds the file locked, else empty.
    QString openTables();
    // One command and its reply; false (after showing it) for an error reply.
    bool request(const QString &command, QString &reply);
    // `command` followed by the two dates of `range`, with the server's
    // date questions answered (they move the start of `range`).
    bool requestDated(const QString &command, ReportDateRange &range, QString &reply);
    // Where a report is shown: its layout, and its window's title and place.
    struct ReportWindow {
        QString layout;
        QString title;
        int left;
        int top;
    };
    // The end of every run: `store` refills the report's table; then says
    // how many rows were refused, or why nothing was stored, and shows the
    // report when its table was filled. True: the run went as far as it can.
    bool storeAndShow(const std::function<bool(ReportFill &)> &store, const ReportWindow &window);
    void showReport(const ReportWindow &window);
    QString mailboxList() const;

    CServerCommandChannel &m_channel;
    QString m_allowedMailboxes;
    std::function<QDateTime()> m_now;

    QString m_strAllPortTo;
    int m_bAllPort = 0;
    int m_bPortGroup = 0;
    int m_bMailboxCalling = 0;
    int m_bMailboxInfo = 0;
    int m_bMessageStats = 0;
    int m_bMailboxUsage = 0;
    int m_bIndividualPort = 0;
    int m_bSystemInfo = 0;
    QString m_strAllPortFrom;
    QString m_strPortGroupFrom;
    QString m_strPortGroupTo;
    QString m_strMailboxCallingFrom;
    QString m_strMailboxCallingTo;
    QString m_strMailboxUsageFrom;
    QString m_strMailboxUsageTo;
    QString m_strIndividualPortFrom;
    QString m_strIndividualPortTo;

    std::unique_ptr<CPortLogTable> m_portLog;
    std::unique_ptr<CGroupLogTable> m_groupLog;
    std::unique_ptr<CAllPortLogTable> m_allPortLog;
    std::unique_ptr<CMailboxInfoTable> m_mailboxInfo;
    std::unique_ptr<CMailboxCallTable> m_mailboxCall;
    std::unique_ptr<CMailboxUsageTable> m_mailboxUsage;
    std::unique_ptr<CMailboxMessageTable> m_mailboxMessage;
    std::unique_ptr<CSystemInfoTable> m_systemInfo;
};
