// The QObject through which Qt's event loop hands a window its messages: one
// per window, living on the window's thread. Internal to the message layer.
#pragma once

#include "platform/messages/messages.h"

#include <QEvent>
#include <QObject>

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

protected:
    bool event(QEvent *event) override;
};

} // namespace MessageDetail
