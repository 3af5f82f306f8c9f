// Qt events carrying window messages; see mailbox.h.
#include "mailbox.h"

#include "windowtable.h"

#include <QAbstractEventDispatcher>
#include <QTimer>

#include <algorithm>
#include <cstdint>

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

void Mailbox::startTimer(uintptr_t window, uintptr_t id, UINT ms)
{
    QTimer *&timer = m_timers[id];
    if (!timer) {
        timer = new QTimer(this);
        connect(timer, &QTimer::timeout, this,
                [window, id] { WindowTable::instance().deliverPosted(window, WM_TIMER, id, 0); });
    }
    timer->start(int(std::min<UINT>(ms, INT32_MAX)));
}

bool Mailbox::stopTimer(uintptr_t id)
{
    const auto found = m_timers.find(id);
    if (found == m_timers.end() || !found->second->isActive())
        return false;
    // Kept for a later start: the timer may be the one whose handler is
    // running now.
    found->second->stop();
    return true;
}

} // namespace MessageDetail
