// The login progress window's controller; see loginstatusthread.h.
//
// The state shared with the posted calls lives in a shared block, so a call
// that runs after a Stop gave up waiting (a user-interface thread that was
// blocked for 90 s) still finds valid memory and makes no window.
#include "admin/session/loginstatusthread.h"

#include "admin/session/loginstatuswnd.h"
#include "platform/sync/event.h"

#include <QApplication>
#include <QPointer>
#include <QThread>

#include <mutex>

namespace {
constexpr uint32_t kStopWaitMs = 90000;
}

struct CLoginStatusThread::Shared {
    std::mutex mutex;
    bool cancelled = false;
    QPointer<CLoginStatusWnd> window;
    CEvent ended{true, false}; // the window is gone, or will never be made
};

CLoginStatusThread::CLoginStatusThread(const QString &text, int showDelayMs)
    : m_text(text), m_showDelayMs(showDelayMs), m_shared(std::make_shared<Shared>())
{
}

CLoginStatusThread::~CLoginStatusThread()
{
    Stop();
}

void CLoginStatusThread::Start()
{
    QApplication *app = qobject_cast<QApplication *>(QCoreApplication::instance());
    if (app == nullptr || m_started)
        return;
    m_started = true;
    QMetaObject::invokeMethod(
        app,
        [shared = m_shared, text = m_text, delay = m_showDelayMs] {
            std::lock_guard lock(shared->mutex);
            if (shared->cancelled) {
                shared->ended.SetEvent();
                return;
            }
            shared->window = new CLoginStatusWnd(text, delay);
        },
        Qt::QueuedConnection);
}

void CLoginStatusThread::Stop()
{
    if (!m_started)
        return;
    m_started = false;
    QCoreApplication *app = QCoreApplication::instance();
    const bool onUserInterfaceThread = app != nullptr && QThread::currentThread() == app->thread();
    {
        std::lock_guard lock(m_shared->mutex);
        m_shared->cancelled = true;
        if (onUserInterfaceThread) {
            delete m_shared->window.data();
            m_shared->ended.SetEvent();
            return;
        }
        if (m_shared->window.isNull())
            return; // the posted call will see the cancel; nothing to wait for
    }
    QMetaObject::invokeMethod(
        app,
        [shared = m_shared] {
            std::lock_guard lock(shared->mutex);
            delete shared->window.data();
            shared->ended.SetEvent();
        },
        Qt::QueuedConnection);
    m_shared->ended.Wait(kStopWaitMs);
}
