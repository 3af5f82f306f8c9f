// The QObject through which Qt's event loop hands a window its messages: one
// per window, living on the window's thread. Internal to the message layer.
#pragma once

#include "platform/messages/messages.h"

#include <QEvent>
#include <QObject>

#include <map>

class QTimer;

namespace MessageDetail {

class PostedMessageEvent : public QEvent {
public:
    PostedMessageEvent(uintptr_t window, UINT message, WPARAM wParam, LPARAM lParam);
    static QEvent::Type eventType();

    const uintptr_t window;
    const UINT message;
    const WPARAM wParam;
    const LPARAM lParam;
};

// Tells the thread that messages sent to its windows are waiting.
class SentMessagesWaitingEvent : public QEvent {
public:
    SentMessagesWaitingEvent();
    static QEvent::Type eventType();
};

class Mailbox : public QObject {
public:
    Mailbox() = default;

    // The window's timers, kept here so they run on its thread and end
    // with it.
    void startTimer(uintptr_t window, uintptr_t id, UINT ms);
    bool stopTimer(uintptr_t id);

protected:
    bool event(QEvent *event) override;

private:
    std::map<uintptr_t, QTimer *> m_timers;
};

} // namespace MessageDetail
