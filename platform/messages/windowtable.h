// The table of live windows and the machinery behind posting and sending:
// internal to the message layer (the free functions of messages.h and
// CMessageTarget are its only users).
//
// Each thread that owns windows or sends has a queue of messages sent to its
// windows from other threads. A send pushes its record there and wakes the
// window's thread twice over: through a Qt event to the window's mailbox (for
// a thread in its event loop) and through the queue's condition variable
// (for a thread itself blocked in SendMessage). Whoever takes the record off
// the queue handles it. A sender sleeps on its own queue's condition
// variable, so it is woken both by its answer and by work for its windows.
#pragma once

#include "platform/messages/messages.h"

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <thread>
#include <unordered_map>
#include <vector>

class CMessageTarget;

namespace MessageDetail {

class Mailbox;
struct ThreadQueue;

struct SentMessage {
    uintptr_t window = 0;
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    std::shared_ptr<ThreadQueue> sender;
    // Both guarded by sender->mutex.
    bool done = false;
    LRESULT result = 0;

    // Releases the sender with `value`; false when it was released already.
    bool complete(LRESULT value);
};

struct ThreadQueue {
    std::mutex mutex;
    std::condition_variable wake;
    std::deque<std::shared_ptr<SentMessage>> incoming;
    const std::thread::id thread = std::this_thread::get_id();

    static const std::shared_ptr<ThreadQueue> &current();
};

class WindowTable {
public:
    static WindowTable &instance();

    HWND add(CMessageTarget *target, Mailbox *mailbox);
    // The window is gone: its queued and in-progress sends return 0.
    void remove(HWND window);
    bool isLive(HWND window);
    CMessageTarget *targetOnThisThread(HWND window);

    bool post(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT send(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    bool reply(LRESULT result);
    bool inSendMessage() const;
    std::vector<HWND> descendantsOf(HWND window, bool deep);
    uintptr_t setTimer(HWND window, uintptr_t id, UINT ms);
    bool killTimer(HWND window, uintptr_t id);

    // On a window's thread: a posted message arrives, or sent ones wait.
    void deliverPosted(uintptr_t window, UINT message, WPARAM wParam, LPARAM lParam);
    // CPostedMessageHold: while this thread holds, what deliverPosted gets
    // is kept, and posted again when the last hold ends.
    void holdPosted();
    void releasePosted();
    void handleIncomingSends();

private:
    struct Entry {
        CMessageTarget *target;
        Mailbox *mailbox;
        std::shared_ptr<ThreadQueue> queue;
    };

    // The mailbox of `window` when it is live on the calling thread.
    Mailbox *localMailbox(HWND window);
    // The live target of `window` when it belongs to the calling thread.
    CMessageTarget *localTarget(uintptr_t window);
    LRESULT callHandler(CMessageTarget *target, SentMessage *sent, UINT message, WPARAM wParam,
                        LPARAM lParam);
    void handleSent(const std::shared_ptr<SentMessage> &sent);
    std::shared_ptr<SentMessage> takeIncoming(ThreadQueue &queue);

    std::mutex m_mutex;
    std::unordered_map<uintptr_t, Entry> m_windows;
    uintptr_t m_lastHandle = 0x10000;
};

} // namespace MessageDetail
