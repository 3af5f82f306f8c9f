// Deleting user agents over a range list, one number at a time on a worker
// thread, with progress, a summary and Cancel. Before each deletion the
// worker refuses the system administrator's mailbox and the roots of the
// kinds without asking the server, and a class of service that still has
// children; the summary lists the deleted agents that answer
// methods use as greeting user agents, for the administrator to reassign.
#pragma once

#include "admin/uatools/ranges/bulkprogressdlg.h"

#include <QSet>
#include <QStringList>

#include <mutex>

class CServerCommandChannel;

class CDeleteProgressDlg : public CBulkProgressDlg {
    Q_OBJECT
public:
    enum { IDD = 257, IDC_STATUS = 1749, IDC_PROGRESS = 1747 };
    // The request code the worker hands its results to the dialog with.
    static constexpr WPARAM DeleteResultCode = 0xF013;

    // `channel` and `list` outlive the dialog.
    CDeleteProgressDlg(CServerCommandChannel &channel, const CParsedRangeList &list, QWidget *parent);
    ~CDeleteProgressDlg() override;

protected:
    void PrepareRun() override;
    CPendingCommand StartOne(uint32_t number) override;
    QString FinishOne(uint32_t number, CPendingCommand &started) override;
    QString BuildSummary() const override;
    QString CancelledMessage() const override;

private:
    // The numbers that answer methods use as greeting user agents, from one
    // reading of the server's answer-method list.
    QSet<QString> readGreetingUserAgents();

    CServerCommandChannel &m_channel;
    QSet<QString> m_greetingUserAgents; // set by PrepareRun on the worker

    // Appended by the worker after each deletion, read by the summary.
    mutable std::mutex m_greetingMutex;
    QStringList m_deletedGreetingUsers;
};
