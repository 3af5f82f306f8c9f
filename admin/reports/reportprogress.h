// The progress of a long step of a report (reading and laying out its
// rows, printing or exporting its pages), with Cancel. While it lasts the
// interface goes on answering: windows paint, but the administrator's clicks
// and keys and the messages posted to windows wait (as while the server is
// waited for), except in the progress dialog, which shows only when the
// step lasts more than half a second.
//
// A step that works only on what is its own (laying out new pages) runs on
// a thread of its own through Run. One that draws pages a window also shows
// (printing, exporting) stays on the interface thread, which Advance then
// hands to the event loop for a turn every 10 ms.
#pragma once

#include "platform/messages/postedmessagehold.h"

#include <QElapsedTimer>
#include <QString>

#include <atomic>
#include <functional>
#include <memory>

class CUserInputBlocker;
class QProgressDialog;
class QWidget;

class CReportProgress {
public:
    // `total`: how many steps the whole is (rows, or pages).
    CReportProgress(const QString &label, qint64 total, QWidget *parent = nullptr);
    ~CReportProgress();
    CReportProgress(const CReportProgress &) = delete;
    CReportProgress &operator=(const CReportProgress &) = delete;

    // Runs `work` on a thread of its own and returns when it has ended.
    // What `work` uses is its own until then.
    void Run(const std::function<void()> &work);
    // From the work: `done` steps of the total are done; false once Cancel
    // was clicked.
    bool Advance(qint64 done);
    bool WasCancelled() const { return m_cancelled.load(); }

private:
    void showProgress();

    const CPostedMessageHold m_postedMessages;
    std::unique_ptr<QProgressDialog> m_dialog;
    // Lets nothing but the dialog take input; goes before it.
    std::unique_ptr<CUserInputBlocker> m_blocker;
    QElapsedTimer m_sinceTurn;
    std::atomic<bool> m_running{false}; // Run's work is on its thread
    qint64 m_total;
    std::atomic<qint64> m_done{0};
    std::atomic<bool> m_cancelled{false};
};
