// Delivering a reply to a window; see windowreplytarget.h.
#include "admin/app/windowreplytarget.h"

#include <memory>

CWindowReplyTarget::CWindowReplyTarget(CMessageTarget *window, UINT message, WPARAM code,
                                       const QByteArray &commandWord, Mode mode, int timeToLiveMs)
    : CReplyTarget(commandWord, mode, timeToLiveMs), m_window(window ? window->GetSafeHwnd() : nullptr),
      m_windowObject(window ? window->messageObject() : nullptr), m_message(message), m_code(code)
{
    // A window reaches its messages through its own QObject; one made
    // without it cannot take a reply on its thread.
    Q_ASSERT(!window || window->messageObject() != nullptr);
}

void CWindowReplyTarget::Deliver(const QString &reply)
{
    if (m_windowObject.isNull() || !IsWindow(m_window))
        return;
    auto text = std::make_shared<const QString>(reply);
    const HWND window = m_window;
    const UINT message = m_message;
    const WPARAM code = m_code;
    // Qt drops the call when the window's object is destroyed before it runs.
    QMetaObject::invokeMethod(
        m_windowObject.data(),
        [window, message, code, text] {
            if (IsWindow(window))
                SendMessage(window, message, code, reinterpret_cast<LPARAM>(text.get()));
        },
        Qt::QueuedConnection);
}
