// The fifth page of the mailbox sheet, "Info" (mailbox editors only): when
// the box was created and saved, and its statistics (connection and user
// time, messages, faxes, calls, transfers, logins, notifications and when
// the last of each happened), asked of the server's report procedures and
// refreshed on a timer whose period the server sets.
//
// A refresh goes out as one batch of three asynchronous queries with the
// server's thread priority lowered around them. While a batch of the shown
// box is outstanding no other is sent, so a slow server is never asked
// faster than it answers; and the period is kept within bounds whatever the
// server says. A batch belongs to one box: when the administrator moves on,
// its late replies are dropped instead of being shown under the next box.
// The priority is put back on every way out of a refresh, an exception
// included. A reply's complaint stays shown until the next refresh, even
// when the batch's other replies are good.
#pragma once

#include "admin/useragents/pages/mailboxpagebase.h"

#include <QHash>

#include <memory>

class CInfoPpg : public CMailboxPageBase {
    Q_OBJECT
public:
    enum : int {
        IDD = 134,
        IDC_HISTORY_START = 1394,
        IDC_REFRESH_STATISTICS = 1281,
        IDC_QUERY_ERROR = 1419,
        IDC_CREATED = 1402,
        IDC_SAVED = 1403,
        IDC_LOGINS = 1413,
        IDC_LAST_CALLED = 1415,
        IDC_LAST_TRANSFERRED = 1416,
        IDC_LAST_LOGIN = 1417,
    };
    static constexpr uintptr_t RefreshTimerId = 50;
    static constexpr WPARAM StatisticsRequestCode = 61500;
    // The period when the server sets none; the bounds of one it sets.
    static constexpr int DefaultPeriod = 60000;
    static constexpr int MinimumPeriod = 1000;
    static constexpr int MaximumPeriod = 24 * 60 * 60 * 1000;
    static constexpr const char *Updating = "<updating>";

    CInfoPpg(CMailboxPps &sheet, const CMailboxPageServices &services);
    ~CInfoPpg() override;

    // The sheet's Reset passes this page by: it shows no value a class of
    // service gives.
    unsigned InitialisedBit() const override { return 0; }
    void ResetToParent() override {}
    void OnUserAgentLoaded(WPARAM wParam, LPARAM lParam) override;

    // The refresh period in use (ms); -1 when the server turned refreshing off.
    int RefreshPeriod() const { return m_refreshOff ? -1 : m_period; }
    bool IsRefreshTimerRunning() const { return m_timerRunning; }
    // Replies of the shown box's batch still to come.
    int OutstandingReplies() const;

    // "0 DAY MONTH-FROM-0 YEAR" for a date typed in the user's locale, "-1"
    // for an empty text; nothing when the text is not a date.
    static std::optional<QString> HistoryStartArgument(const QString &text);

protected:
    bool OnInitDialog() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    class StatisticsBatch;
    friend class StatisticsBatch;

    void readRefreshPeriod();
    void refresh();
    void sendBatch(long box, const QString &dateArgument);
    void onStatisticsReply(const QString &reply);
    void showStatistics(const QHash<QString, QString> &values);
    void showUpdating();
    void historyStartLeft();
    void stopTimer();

    int m_period = DefaultPeriod;
    bool m_refreshOff = false;
    bool m_timerRunning = false;
    QString m_historyStart;
    std::unique_ptr<StatisticsBatch> m_batch;
};
