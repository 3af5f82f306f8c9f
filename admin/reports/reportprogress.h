// The progress of a long step of a report (reading and laying out its
// rows, printing or exporting its pages), with Cancel. The dialog shows only
// when the step lasts more than half a second, and keeps the other windows
// closed to input meanwhile; the interface goes on answering, because
// Advance gives the event loop a turn at least every 10 ms.
#pragma once

#include <QElapsedTimer>
#include <QString>

#include <memory>

class QProgressDialog;
class QWidget;

class CReportProgress {
public:
    // `total`: how many steps the whole is (rows, or pages).
    CReportProgress(const QString &label, qint64 total, QWidget *parent = nullptr);
    ~CReportProgress();
    CReportProgress(const CReportProgress &) = delete;
    CReportProgress &operator=(const CReportProgress &) = delete;

    // `done` steps of the total are done; false once Cancel was clicked.
    bool Advance(qint64 done);
    bool WasCancelled() const { return m_cancelled; }

private:
    std::unique_ptr<QProgressDialog> m_dialog;
    QElapsedTimer m_sinceTurn;
    qint64 m_total;
    bool m_cancelled = false;
};
