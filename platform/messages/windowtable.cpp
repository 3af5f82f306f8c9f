// The live-window table, the per-thread queues of sent messages and the
// bookkeeping of what each thread is handling; see windowtable.h.
#include "windowtable.h"

#include "mailbox.h"
#include "messagetarget.h"

#include <QCoreApplication>
#include <QObject>

#include <algorithm>
#include <cassert>
#include <utility>

namespace MessageDetail {

namespace {

// What this thread is handling, innermost last: the record of a message sent
// from another thread, or nullptr for a posted message or a same-thread send.
thread_local std::vector<SentMessage *> t_handling;

// The holds of CPostedMessageHold on this thread and what they kept.
struct HeldMessage {
    uintptr_t window;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};
thread_local int t_holds = 0;
thread_local std::vector<HeldMessage> t_held;

bool isHeldAlready(const HeldMessage &message)
{
    return std::any_of(t_held.begin(), t_held.end(), [&](const HeldMessage &held) {
        return held.window == message.window && held.message == message.message &&
               held.wParam == message.wParam;
    });
}

class HandlingScope {
public:
    explicit HandlingScope(SentMessage *sent) { t_handling.push_back(sent); }
    ~HandlingScope() { t_handling.pop_back(); }
    HandlingScope(const HandlingScope &) = delete;
    HandlingScope &operator=(const HandlingScope &) = delete;
};

HWND toHandle(uintptr_t id)
{
    return reinterpret_cast<HWND>(id);
}
uintptr_t toId(HWND window)
{
    return reinterpret_cast<uintptr_t>(window);
}

} // namespace

bool SentMessage::complete(LRESULT value)
{
    {
        std::lock_guard lock(sender->mutex);
        if (done)
            return false;
        done = true;
        result = value;
    }
    sender->wake.notify_all();
    return true;
}

const std::shared_ptr<ThreadQueue> &ThreadQueue::current()
{
    thread_local const std::shared_ptr<ThreadQueue> queue = std::make_shared<ThreadQueue>();
    return queue;
}

WindowTable &WindowTable::instance()
{
    static WindowTable table;
    return table;
}

HWND WindowTable::add(CMessageTarget *target, Mailbox *mailbox)
{
    std::lock_guard lock(m_mutex);
    const uintptr_t id = ++m_lastHandle;
    m_windows.emplace(id, Entry{target, mailbox, ThreadQueue::current()});
    return toHandle(id);
}

void WindowTable::remove(HWND window)
{
    const uintptr_t id = toId(window);
    std::shared_ptr<ThreadQueue> queue;
    {
        std::lock_guard lock(m_mutex);
        const auto found = m_windows.find(id);
        if (found == m_windows.end())
            return;
        queue = found->second.queue;
        m_windows.erase(found);
    }
    assert(queue->thread == std::this_thread::get_id() && "a window is destroyed on its own thread");

    std::vector<std::shared_ptr<SentMessage>> abandoned;
    {
        std::lock_guard lock(queue->mutex);
        auto &incoming = queue->incoming;
        for (auto it = incoming.begin(); it != incoming.end();) {
            if ((*it)->window == id) {
                abandoned.push_back(*it);
                it = incoming.erase(it);
            } else {
                ++it;
            }
        }
    }
    for (const auto &sent : abandoned)
        sent->complete(0);
    // A window destroyed by the handler of a message sent to it, or inside a
    // modal loop run by that handler, releases its sender now too.
    for (SentMessage *sent : t_handling) {
        if (sent && sent->window == id)
            sent->complete(0);
    }
}

bool WindowTable::isLive(HWND window)
{
    std::lock_guard lock(m_mutex);
    return m_windows.count(toId(window)) == 1;
}

CMessageTarget *WindowTable::targetOnThisThread(HWND window)
{
    std::lock_guard lock(m_mutex);
    const auto found = m_windows.find(toId(window));
    if (found == m_windows.end() || found->second.queue != ThreadQueue::current())
        return nullptr;
    return found->second.target;
}

bool WindowTable::post(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    std::lock_guard lock(m_mutex);
    const auto found = m_windows.find(toId(window));
    if (found == m_windows.end())
        return false;
    // Posted under the lock, so the mailbox cannot be deleted meanwhile.
    QCoreApplication::postEvent(found->second.mailbox,
                                new PostedMessageEvent(toId(window), message, wParam, lParam));
    return true;
}

LRESULT WindowTable::send(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    const std::shared_ptr<ThreadQueue> &self = ThreadQueue::current();
    std::shared_ptr<SentMessage> sent;
    CMessageTarget *localWindow = nullptr;
    {
        std::lock_guard lock(m_mutex);
        const auto found = m_windows.find(toId(window));
        if (found == m_windows.end())
            return 0;
        const Entry &entry = found->second;
        if (entry.queue == self) {
            localWindow = entry.target;
        } else {
            sent = std::make_shared<SentMessage>();
            sent->window = toId(window);
            sent->message = message;
            sent->wParam = wParam;
            sent->lParam = lParam;
            sent->sender = self;
            {
                std::lock_guard queueLock(entry.queue->mutex);
                entry.queue->incoming.push_back(sent);
            }
            entry.queue->wake.notify_all();
            QCoreApplication::postEvent(entry.mailbox, new SentMessagesWaitingEvent);
        }
    }
    if (localWindow)
        return callHandler(localWindow, nullptr, message, wParam, lParam);

    std::unique_lock lock(self->mutex);
    while (!sent->done) {
        if (!self->incoming.empty()) {
            const std::shared_ptr<SentMessage> next = std::move(self->incoming.front());
            self->incoming.pop_front();
            lock.unlock();
            handleSent(next);
            lock.lock();
            continue;
        }
        self->wake.wait(lock);
    }
    return sent->result;
}

bool WindowTable::reply(LRESULT result)
{
    if (t_handling.empty() || !t_handling.back())
        return false;
    return t_handling.back()->complete(result);
}

bool WindowTable::inSendMessage() const
{
    return !t_handling.empty() && t_handling.back();
}

std::vector<HWND> WindowTable::descendantsOf(HWND window, bool deep)
{
    std::vector<HWND> found;
    // The object tree may only be walked on its own thread.
    CMessageTarget *target = targetOnThisThread(window);
    assert((target || !isLive(window)) && "descendants are reached from the window's own thread");
    if (!target || !target->messageObject())
        return found;
    const auto collect = [&](const auto &self, const QObject *parent) -> void {
        for (const QObject *child : parent->children()) {
            const auto *childWindow = dynamic_cast<const CMessageTarget *>(child);
            if (childWindow && childWindow->GetSafeHwnd())
                found.push_back(childWindow->GetSafeHwnd());
            if (deep)
                self(self, child);
        }
    };
    collect(collect, target->messageObject());
    return found;
}

Mailbox *WindowTable::localMailbox(HWND window)
{
    std::lock_guard lock(m_mutex);
    const auto found = m_windows.find(toId(window));
    if (found == m_windows.end() || found->second.queue != ThreadQueue::current())
        return nullptr;
    return found->second.mailbox;
}

uintptr_t WindowTable::setTimer(HWND window, uintptr_t id, UINT ms)
{
    Mailbox *mailbox = localMailbox(window);
    assert((mailbox || !isLive(window)) && "a window's timers are set on its own thread");
    if (!mailbox || id == 0)
        return 0;
    // The mailbox is deleted only on this thread, so it outlives this call.
    mailbox->startTimer(toId(window), id, ms);
    return id;
}

bool WindowTable::killTimer(HWND window, uintptr_t id)
{
    Mailbox *mailbox = localMailbox(window);
    return mailbox && mailbox->stopTimer(id);
}

void WindowTable::deliverPosted(uintptr_t window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (t_holds > 0) {
        const HeldMessage held{window, message, wParam, lParam};
        // A timer that ran out twice while held ticks once, as on a thread
        // that fetches its messages late.
        if (message != WM_TIMER || !isHeldAlready(held))
            t_held.push_back(held);
        return;
    }
    if (CMessageTarget *target = localTarget(window))
        callHandler(target, nullptr, message, wParam, lParam);
}

void WindowTable::holdPosted()
{
    ++t_holds;
}

void WindowTable::releasePosted()
{
    assert(t_holds > 0);
    if (--t_holds > 0)
        return;
    const std::vector<HeldMessage> held = std::exchange(t_held, {});
    for (const HeldMessage &message : held)
        post(toHandle(message.window), message.message, message.wParam, message.lParam);
}

void WindowTable::handleIncomingSends()
{
    ThreadQueue &queue = *ThreadQueue::current();
    while (const std::shared_ptr<SentMessage> sent = takeIncoming(queue))
        handleSent(sent);
}

CMessageTarget *WindowTable::localTarget(uintptr_t window)
{
    std::lock_guard lock(m_mutex);
    const auto found = m_windows.find(window);
    if (found == m_windows.end())
        return nullptr;
    assert(found->second.queue == ThreadQueue::current() &&
           "a window's messages are handled on its own thread");
    return found->second.target;
}

LRESULT WindowTable::callHandler(CMessageTarget *target, SentMessage *sent, UINT message, WPARAM wParam,
                                 LPARAM lParam)
{
    HandlingScope scope(sent);
    return target->WindowProc(message, wParam, lParam);
}

void WindowTable::handleSent(const std::shared_ptr<SentMessage> &sent)
{
    // The sender is released whatever happens, an exception included.
    struct Release {
        SentMessage &sent;
        LRESULT result = 0;
        ~Release() { sent.complete(result); }
    } release{*sent};
    if (CMessageTarget *target = localTarget(sent->window))
        release.result = callHandler(target, sent.get(), sent->message, sent->wParam, sent->lParam);
}

std::shared_ptr<SentMessage> WindowTable::takeIncoming(ThreadQueue &queue)
{
    std::lock_guard lock(queue.mutex);
    if (queue.incoming.empty())
        return nullptr;
    std::shared_ptr<SentMessage> sent = std::move(queue.incoming.front());
    queue.incoming.pop_front();
    return sent;
}

} // namespace MessageDetail
