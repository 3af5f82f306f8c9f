// See reportprogress.h.
#include "admin/reports/reportprogress.h"

#include <QCoreApplication>
#include <QProgressDialog>

#include <algorithm>

namespace {

constexpr int kTurnEveryMs = 10;
constexpr int kShowAfterMs = 500;
constexpr int kScale = 1000; // the bar's steps

} // namespace

CReportProgress::CReportProgress(const QString &label, qint64 total, QWidget *parent)
    : m_dialog(std::make_unique<QProgressDialog>(label, QStringLiteral("Cancel"), 0, kScale, parent)),
      m_total(std::max<qint64>(total, 1))
{
    m_dialog->setWindowTitle(QStringLiteral("Reports"));
    m_dialog->setWindowModality(Qt::ApplicationModal);
    m_dialog->setMinimumDuration(kShowAfterMs);
    m_dialog->setAutoClose(false);
    m_dialog->setAutoReset(false);
    m_dialog->setValue(0);
    m_sinceTurn.start();
}

CReportProgress::~CReportProgress() = default;

bool CReportProgress::Advance(qint64 done)
{
    if (m_cancelled)
        return false;
    if (m_sinceTurn.elapsed() < kTurnEveryMs)
        return true;
    m_dialog->setValue(int(std::min<qint64>(done, m_total) * kScale / m_total));
    QCoreApplication::processEvents();
    m_sinceTurn.restart();
    m_cancelled = m_dialog->wasCanceled();
    return !m_cancelled;
}
