// Delivering a reply to a window; see windowreplytarget.h.
#include "admin/session/windowreplytarget.h"

#include <QCoreApplication>
#include <QObject>
#include <QThread>

#include <memory>

namespace {

// The object the queued deliveries run on: made once, moved to the
// user-interface thread and kept for the life of the process, so a
// dispatcher thread never touches a window object that may just be going.
QObject *userInterfaceRelay()
{
    static QObject *relay = [] {
        auto *object = new QObject;
        object->moveToThread(QCoreApplication::instance()->thread());
        return object;
    }();
    return relay;
}

} // namespace

CWindowReplyTarget::CWindowReplyTarget(CMessageTarget *window, UINT message, WPARAM code,
                                       const QByteArray &commandWord, Mode mode, int timeToLiveMs)
    : CReplyTarget(commandWord, mode, timeToLiveMs), m_window(window ? window->GetSafeHwnd() : nullptr),
      m_windowThread(window && window->messageObject() ? window->messageObject()->thread() : nullptr),
      m_message(message), m_code(code)
{
    if (QCoreApplication::instance() && m_windowThread == QCoreApplication::instance()->thread())
        userInterfaceRelay();
}

void CWindowReplyTarget::Deliver(const QString &reply)
{
    if (!IsWindow(m_window))
        return;
    auto text = std::make_shared<const QString>(reply);
    auto deliver = [window = m_window, message = m_message, code = m_code, text] {
        if (IsWindow(window))
            SendMessage(window, message, code, reinterpret_cast<LPARAM>(text.get()));
    };
    if (onUserInterfaceThread()) {
        QMetaObject::invokeMethod(userInterfaceRelay(), deliver, Qt::QueuedConnection);
        return;
    }
    // A window on a thread of its own: sent from here, with the text kept
    // until the send returns.
    deliver();
}

bool CWindowReplyTarget::DeliversWithoutWaiting() const
{
    return onUserInterfaceThread();
}

bool CWindowReplyTarget::onUserInterfaceThread() const
{
    const QCoreApplication *app = QCoreApplication::instance();
    return app != nullptr && m_windowThread == app->thread();
}
