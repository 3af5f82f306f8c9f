// See reportprogress.h.
#include "admin/reports/reportprogress.h"

#include "admin/session/userinputblocker.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QProgressDialog>
#include <QTimer>

#include <algorithm>
#include <exception>
#include <thread>

namespace {

constexpr int kShowEveryMs = 50;
constexpr int kTurnEveryMs = 10;
constexpr int kShowAfterMs = 500;
constexpr int kScale = 1000; // the bar's steps

} // namespace

CReportProgress::CReportProgress(const QString &label, qint64 total, QWidget *parent)
    : m_dialog(std::make_unique<QProgressDialog>(label, QStringLiteral("Cancel"), 0, kScale, parent)),
      m_blocker(std::make_unique<CUserInputBlocker>(m_dialog.get())), m_total(std::max<qint64>(total, 1))
{
    m_dialog->setWindowTitle(QStringLiteral("Reports"));
    m_dialog->setWindowModality(Qt::ApplicationModal);
    m_dialog->setMinimumDuration(kShowAfterMs);
    m_dialog->setAutoClose(false);
    m_dialog->setAutoReset(false);
    m_sinceTurn.start();
}

CReportProgress::~CReportProgress() = default;

void CReportProgress::Run(const std::function<void()> &work)
{
    QEventLoop loop;
    QTimer ticker;
    ticker.setInterval(kShowEveryMs);
    QObject::connect(&ticker, &QTimer::timeout, &loop, [this] { showProgress(); });
    std::exception_ptr failure;
    // Before the work can first advance: from its thread, Advance only counts.
    m_running = true;
    std::thread worker([&] {
        try {
            work();
        } catch (...) {
            failure = std::current_exception();
        }
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    ticker.start();
    loop.exec();
    worker.join();
    m_running = false;
    if (failure)
        std::rethrow_exception(failure);
}

bool CReportProgress::Advance(qint64 done)
{
    m_done.store(done, std::memory_order_relaxed);
    if (!m_running && m_sinceTurn.elapsed() >= kTurnEveryMs) {
        showProgress();
        QCoreApplication::processEvents();
        m_sinceTurn.restart();
    }
    return !m_cancelled.load(std::memory_order_relaxed);
}

void CReportProgress::showProgress()
{
    if (m_dialog->wasCanceled())
        m_cancelled = true;
    m_dialog->setValue(int(std::min(m_done.load(), m_total) * kScale / m_total));
}
