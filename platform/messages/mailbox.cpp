// Qt events carrying window messages; see mailbox.h.
#include "mailbox.h"

#include "windowtable.h"

#include <QAbstractEventDispatcher>

namespace MessageDetail {

PostedMessageEvent::PostedMessageEvent(uintptr_t window, UINT message, WPARAM wParam, LPARAM lParam)
    : QEvent(eventType()), window(window), message(message), wParam(wParam), lParam(lParam)
{
}

QEvent::Type PostedMessageEvent::eventType()
{
    static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}

SentMessagesWaitingEvent::SentMessagesWaitingEvent() : QEvent(eventType()) {}

QEvent::Type SentMessagesWaitingEvent::eventType()
{
    static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}

namespace {

// The handler may run a nested loop (a modal dialog). Events posted before
// this one began are then left to the nested loop, which on its own goes to
// sleep unless something new arrives: a wake-up now makes it look at them.
void wakeNestedLoop()
{
    if (QAbstractEventDispatcher *dispatcher = QAbstractEventDispatcher::instance())
        dispatcher->wakeUp();
}

} // namespace

bool Mailbox::event(QEvent *event)
{
    if (event->type() == PostedMessageEvent::eventType()) {
        wakeNestedLoop();
        const auto *posted = static_cast<PostedMessageEvent *>(event);
        WindowTable::instance().deliverPosted(posted->window, posted->message, posted->wParam,
                                              posted->lParam);
        return true;
    }
    if (event->type() == SentMessagesWaitingEvent::eventType()) {
        wakeNestedLoop();
        WindowTable::instance().handleIncomingSends();
        return true;
    }
    return QObject::event(event);
}

} // namespace MessageDetail
