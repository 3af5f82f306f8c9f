// See serverwait.h.
#include "admin/session/serverwait.h"

#include "admin/session/serverwaitdlg.h"

#include <QApplication>
#include <QThread>

namespace {
// How long one turn waits before events are handled again: short enough
// for the interface's own timers, long enough not to spin.
constexpr uint32_t kTurnMs = 10;
} // namespace

CServerWait::CServerWait(const QString &waitingFor, int noticeDelayMs)
    : m_waitingFor(waitingFor), m_noticeDelayMs(noticeDelayMs)
{
    m_sinceStart.start();
}

CServerWait::~CServerWait()
{
    if (!m_notice)
        return;
    m_notice.reset();
    if (m_activeBefore)
        m_activeBefore->activateWindow();
}

bool CServerWait::OnUserInterfaceThread()
{
    const QCoreApplication *app = QCoreApplication::instance();
    return app != nullptr && QThread::currentThread() == app->thread();
}

QString CServerWait::ReplyText(const QByteArray &commandWord)
{
    if (commandWord.isEmpty())
        return QStringLiteral("Waiting for the server to answer…");
    return QStringLiteral("Waiting for the server to answer \"%1\"…")
        .arg(QString::fromUtf8(commandWord).simplified());
}

CServerWait::Outcome CServerWait::Run(const std::function<bool(uint32_t)> &arrivedWithin, uint32_t limitMs)
{
    QElapsedTimer elapsed;
    elapsed.start();
    for (;;) {
        if (arrivedWithin(kTurnMs))
            return Outcome::Arrived;
        if (!m_notice && m_sinceStart.elapsed() >= m_noticeDelayMs)
            showNotice();
        // Until the notice shows, what the user types or clicks stays in the
        // window system's queue and acts once the reply is in, as it did
        // while the thread simply waited; from then on the notice takes it.
        QCoreApplication::processEvents(m_notice ? QEventLoop::AllEvents : QEventLoop::ExcludeUserInputEvents);
        if (cancelled())
            return Outcome::Cancelled;
        if (static_cast<uint64_t>(elapsed.elapsed()) >= limitMs)
            return Outcome::TimedOut;
    }
}

bool CServerWait::cancelled() const
{
    return m_notice && m_notice->WasCancelled();
}

// Only a widget program has a notice; without one the wait still keeps
// Qt's events flowing.
void CServerWait::showNotice()
{
    if (!qobject_cast<QApplication *>(QCoreApplication::instance()))
        return;
    m_activeBefore = QApplication::activeWindow();
    m_notice = std::make_unique<CServerWaitDlg>(m_waitingFor);
    m_input.SetOwnWindow(m_notice.get());
    m_notice->show();
}
