// The message layer under real threads and real event loops: posting,
// same- and cross-thread sends, ReplyMessage, windows that go away while a
// sender waits, modal nested loops, and a QWidget that is a window.
#include "platform/messages/messages.h"
#include "platform/messages/postedmessagehold.h"
#include "platform/sync/event.h"
#include "testwindow.h"
#include "testsupport/qtapplicationenvironment.h"

#include <QApplication>
#include <QEventLoop>
#include <QWidget>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace {

constexpr uint32_t kHangGuardMs = 20000;
constexpr UINT WM_TEST = WM_USER + 1;
constexpr UINT WM_OTHER = WM_USER + 2;

[[maybe_unused]] const auto *const g_environment =
    testing::AddGlobalTestEnvironment(new QtApplicationEnvironment("messagestests"));

TEST(PostMessageTest, PostedMessagesArriveInOrderOnTheWindowsThread)
{
    std::mutex mutex;
    std::vector<WPARAM> received;
    std::atomic<int> onOtherThreads{0};
    std::atomic<QThread *> windowThread{nullptr};
    WindowThread thread([&](TestWindow &, UINT message, WPARAM wParam, LPARAM) -> LRESULT {
        if (message == WM_TEST) {
            if (QThread::currentThread() != windowThread.load())
                ++onOtherThreads;
            std::lock_guard lock(mutex);
            received.push_back(wParam);
        }
        return 0;
    });
    windowThread = &thread;
    for (WPARAM i = 0; i < 200; ++i)
        ASSERT_TRUE(PostMessage(thread.window(), WM_TEST, i, 0));
    ASSERT_TRUE(pumpUntil([&] {
        std::lock_guard lock(mutex);
        return received.size() == 200;
    }));
    for (WPARAM i = 0; i < 200; ++i)
        EXPECT_EQ(received[i], i);
    EXPECT_EQ(onOtherThreads.load(), 0);
}

TEST(PostMessageTest, PostToAWindowThatIsGoneFailsAndItsHandleIsNeverReused)
{
    auto window = std::make_unique<TestWindow>();
    const HWND gone = window->GetSafeHwnd();
    EXPECT_TRUE(IsWindow(gone));
    window.reset();
    EXPECT_FALSE(IsWindow(gone));
    EXPECT_FALSE(PostMessage(gone, WM_TEST, 0, 0));
    EXPECT_EQ(SendMessage(gone, WM_TEST, 0, 0), 0);
    EXPECT_FALSE(IsWindow(nullptr));
    EXPECT_FALSE(PostMessage(nullptr, WM_TEST, 0, 0));

    std::vector<std::unique_ptr<TestWindow>> later;
    for (int i = 0; i < 50; ++i) {
        later.push_back(std::make_unique<TestWindow>());
        EXPECT_NE(later.back()->GetSafeHwnd(), gone);
    }
}

TEST(PostMessageTest, MessagesPostedToAWindowThatGoesAwayAreDropped)
{
    std::atomic<int> handled{0};
    auto window = std::make_unique<TestWindow>([&](TestWindow &, UINT, WPARAM, LPARAM) -> LRESULT {
        ++handled;
        return 0;
    });
    ASSERT_TRUE(PostMessage(window->GetSafeHwnd(), WM_TEST, 0, 0));
    window.reset();
    QCoreApplication::processEvents();
    EXPECT_EQ(handled.load(), 0);
}

TEST(SendMessageTest, SendOnTheWindowsOwnThreadCallsTheHandlerDirectly)
{
    bool wasInSend = true;
    bool replied = true;
    TestWindow window([&](TestWindow &, UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT {
        wasInSend = InSendMessage();
        replied = ReplyMessage(1);
        return message == WM_TEST ? LRESULT(wParam) + lParam : 0;
    });
    // No event loop runs: the answer comes from a direct call.
    EXPECT_EQ(SendMessage(window.GetSafeHwnd(), WM_TEST, 40, 2), 42);
    EXPECT_FALSE(wasInSend);
    EXPECT_FALSE(replied);
}

TEST(SendMessageTest, SendsFromManyThreadsEachGetTheirOwnAnswerOnTheWindowsThread)
{
    constexpr int kThreads = 8;
    constexpr int kSends = 200;
    std::atomic<int> offThread{0};
    std::atomic<int> notInSend{0};
    QThread *const mainThread = QThread::currentThread();
    TestWindow window([&](TestWindow &, UINT, WPARAM wParam, LPARAM lParam) -> LRESULT {
        if (QThread::currentThread() != mainThread)
            ++offThread;
        if (!InSendMessage())
            ++notInSend;
        return LRESULT(wParam) * 1000 + lParam;
    });
    const HWND target = window.GetSafeHwnd();
    std::atomic<int> wrongAnswers{0};
    std::atomic<int> finished{0};
    std::vector<std::thread> senders;
    for (int t = 0; t < kThreads; ++t)
        senders.emplace_back([&, t] {
            for (int i = 0; i < kSends; ++i)
                if (SendMessage(target, WM_TEST, WPARAM(t), i) != LRESULT(t) * 1000 + i)
                    ++wrongAnswers;
            ++finished;
        });
    const bool allFinished = pumpUntil([&] { return finished.load() == kThreads; });
    for (auto &sender : senders)
        sender.join();
    ASSERT_TRUE(allFinished);
    EXPECT_EQ(wrongAnswers.load(), 0);
    EXPECT_EQ(offThread.load(), 0);
    EXPECT_EQ(notInSend.load(), 0);
}

TEST(SendMessageTest, ReplyMessageReleasesTheSenderBeforeTheHandlerEnds)
{
    CEvent senderReleased(true);
    bool firstReply = false;
    bool secondReply = true;
    uint32_t waitResult = WAIT_TIMEOUT;
    std::atomic<bool> handlerDone{false};
    TestWindow window([&](TestWindow &, UINT, WPARAM, LPARAM) -> LRESULT {
        firstReply = ReplyMessage(42);
        secondReply = ReplyMessage(43);
        // Without the early reply the sender could never set this.
        waitResult = senderReleased.Wait(kHangGuardMs);
        handlerDone = true;
        return 7;
    });
    LRESULT answer = 0;
    std::thread sender([&] {
        answer = SendMessage(window.GetSafeHwnd(), WM_TEST, 0, 0);
        senderReleased.SetEvent();
    });
    ASSERT_TRUE(pumpUntil([&] { return handlerDone.load(); }));
    sender.join();
    EXPECT_TRUE(firstReply);
    EXPECT_FALSE(secondReply);
    EXPECT_EQ(waitResult, WAIT_OBJECT_0);
    EXPECT_EQ(answer, 42);
}

TEST(SendMessageTest, SenderToAWindowDestroyedBeforeHandlingGetsZero)
{
    auto window =
        std::make_unique<TestWindow>([](TestWindow &, UINT, WPARAM, LPARAM) -> LRESULT { return 5; });
    const HWND target = window->GetSafeHwnd();
    CEvent sending(true);
    CEvent answered(true);
    std::atomic<LRESULT> answer{-1};
    std::thread sender([&] {
        sending.SetEvent();
        answer = SendMessage(target, WM_TEST, 0, 0);
        answered.SetEvent();
    });
    ASSERT_EQ(sending.Wait(kHangGuardMs), WAIT_OBJECT_0);
    QThread::msleep(20); // most likely queued by now; either way it must not hang
    window.reset();      // the event loop never ran
    EXPECT_EQ(answered.Wait(kHangGuardMs), WAIT_OBJECT_0);
    sender.join();
    EXPECT_EQ(answer.load(), 0);
}

TEST(SendMessageTest, WindowDestroyedByItsHandlerReleasesTheSenderAtOnce)
{
    CEvent senderReleased(true);
    uint32_t waitResult = WAIT_TIMEOUT;
    std::atomic<bool> handlerDone{false};
    auto window = std::make_unique<TestWindow>();
    window = std::make_unique<TestWindow>([&](TestWindow &, UINT, WPARAM, LPARAM) -> LRESULT {
        window.reset();
        waitResult = senderReleased.Wait(kHangGuardMs);
        handlerDone = true;
        return 5;
    });
    LRESULT answer = -1;
    std::thread sender([&, target = window->GetSafeHwnd()] {
        answer = SendMessage(target, WM_TEST, 0, 0);
        senderReleased.SetEvent();
    });
    ASSERT_TRUE(pumpUntil([&] { return handlerDone.load(); }));
    sender.join();
    EXPECT_EQ(waitResult, WAIT_OBJECT_0);
    EXPECT_EQ(answer, 0);
}

TEST(SendMessageTest, SendsAreHandledInsideAModalNestedLoop)
{
    int depth = 0;
    int depthAtSend = -1;
    QEventLoop *modal = nullptr;
    CEvent modalEntered(true);
    std::atomic<bool> modalEnded{false};
    TestWindow window([&](TestWindow &, UINT message, WPARAM, LPARAM) -> LRESULT {
        if (message == WM_TEST) {
            QEventLoop loop;
            modal = &loop;
            ++depth;
            modalEntered.SetEvent(); // a send queued from now on waits for this loop
            loop.exec();
            --depth;
            modal = nullptr;
            modalEnded = true;
            return 0;
        }
        depthAtSend = depth;
        if (modal)
            modal->quit();
        return 99;
    });
    ASSERT_TRUE(PostMessage(window.GetSafeHwnd(), WM_TEST, 0, 0));
    LRESULT answer = 0;
    // A message sent from another thread may overtake one posted before it,
    // so the send waits until the posted one has opened its modal loop.
    std::thread sender([&] {
        if (modalEntered.Wait(kHangGuardMs) == WAIT_OBJECT_0)
            answer = SendMessage(window.GetSafeHwnd(), WM_OTHER, 0, 0);
    });
    ASSERT_TRUE(pumpUntil([&] { return modalEnded.load(); }));
    sender.join();
    EXPECT_EQ(answer, 99);
    EXPECT_EQ(depthAtSend, 1);
}

TEST(PostMessageTest, MessagesPostedEarlierAreHandledInsideAModalNestedLoop)
{
    bool secondHandledInside = false;
    bool nested = false;
    QEventLoop *modal = nullptr;
    std::atomic<bool> modalEnded{false};
    TestWindow window([&](TestWindow &, UINT message, WPARAM, LPARAM) -> LRESULT {
        if (message == WM_TEST) {
            QEventLoop loop;
            modal = &loop;
            nested = true;
            loop.exec();
            nested = false;
            modalEnded = true;
        } else {
            secondHandledInside = nested;
            modal->quit();
        }
        return 0;
    });
    ASSERT_TRUE(PostMessage(window.GetSafeHwnd(), WM_TEST, 0, 0));
    ASSERT_TRUE(PostMessage(window.GetSafeHwnd(), WM_OTHER, 0, 0));
    ASSERT_TRUE(pumpUntil([&] { return modalEnded.load(); }));
    EXPECT_TRUE(secondHandledInside);
}

TEST(SendMessageTest, ThreadsSendingToEachOthersWindowsDoNotDeadlock)
{
    QThread *const mainThread = QThread::currentThread();
    bool handledOnMain = false;
    TestWindow mainWindow([&](TestWindow &, UINT, WPARAM wParam, LPARAM) -> LRESULT {
        handledOnMain = QThread::currentThread() == mainThread && InSendMessage();
        return LRESULT(wParam) + 1;
    });
    const HWND mainHandle = mainWindow.GetSafeHwnd();
    WindowThread other([mainHandle](TestWindow &, UINT, WPARAM wParam, LPARAM) -> LRESULT {
        // The main thread is blocked sending to us; it must still answer.
        return SendMessage(mainHandle, WM_TEST, wParam + 1, 0) + 1;
    });
    EXPECT_EQ(SendMessage(other.window(), WM_TEST, 1, 0), 4);
    EXPECT_TRUE(handledOnMain);
}

TEST(SendMessageTest, PlainWaitHandlesNoSentMessages)
{
    std::atomic<bool> handled{false};
    TestWindow window([&](TestWindow &, UINT, WPARAM, LPARAM) -> LRESULT {
        handled = true;
        return 1;
    });
    CEvent queued(true);
    std::thread sender([&] {
        queued.SetEvent();
        SendMessage(window.GetSafeHwnd(), WM_TEST, 0, 0);
    });
    ASSERT_EQ(queued.Wait(kHangGuardMs), WAIT_OBJECT_0);
    CEvent never;
    never.Wait(30);
    EXPECT_FALSE(handled.load());
    ASSERT_TRUE(pumpUntil([&] { return handled.load(); }));
    sender.join();
}

TEST(SendMessageToDescendantsTest, ReachesEveryWindowBelowInTreeOrder)
{
    std::vector<int> order;
    const auto recorder = [&order](int id) {
        return [&order, id](TestWindow &, UINT message, WPARAM, LPARAM) -> LRESULT {
            if (message == WM_TEST)
                order.push_back(id);
            return 0;
        };
    };
    TestWindow parent(recorder(0));
    auto *child = new TestWindow(recorder(1), &parent);
    new TestWindow(recorder(2), child);
    auto *plain = new QObject(&parent);
    new TestWindow(recorder(3), plain);
    new TestWindow(recorder(4), &parent);

    SendMessageToDescendants(parent.GetSafeHwnd(), WM_TEST, 0, 0);
    EXPECT_EQ(order, (std::vector<int>{1, 2, 3, 4}));
    order.clear();
    SendMessageToDescendants(parent.GetSafeHwnd(), WM_TEST, 0, 0, false);
    EXPECT_EQ(order, (std::vector<int>{1, 4}));
}

TEST(SendMessageToDescendantsTest, AWindowDestroyedByAnEarlierHandlerIsSkipped)
{
    std::vector<int> order;
    TestWindow parent;
    TestWindow *second = nullptr;
    new TestWindow(
        [&](TestWindow &, UINT, WPARAM, LPARAM) -> LRESULT {
            order.push_back(1);
            delete second;
            return 0;
        },
        &parent);
    second = new TestWindow(
        [&](TestWindow &, UINT, WPARAM, LPARAM) -> LRESULT {
            order.push_back(2);
            return 0;
        },
        &parent);
    SendMessageToDescendants(parent.GetSafeHwnd(), WM_TEST, 0, 0);
    EXPECT_EQ(order, (std::vector<int>{1}));
}

TEST(TimerTest, DeliversWmTimerWithItsIdUntilKilled)
{
    std::vector<WPARAM> ticks;
    TestWindow window([&](TestWindow &, UINT message, WPARAM wParam, LPARAM) -> LRESULT {
        if (message == WM_TIMER)
            ticks.push_back(wParam);
        return 0;
    });
    const HWND handle = window.GetSafeHwnd();
    ASSERT_EQ(SetTimer(handle, 50, 1), 50u);
    ASSERT_EQ(SetTimer(handle, 13312, 1), 13312u);
    ASSERT_TRUE(pumpUntil([&] {
        return std::count(ticks.begin(), ticks.end(), 50) >= 3 &&
               std::count(ticks.begin(), ticks.end(), 13312) >= 3;
    }));
    EXPECT_TRUE(KillTimer(handle, 50));
    EXPECT_TRUE(KillTimer(handle, 13312));
    EXPECT_FALSE(KillTimer(handle, 50));
    const size_t seen = ticks.size();
    CEvent().Wait(20);
    QCoreApplication::processEvents();
    EXPECT_EQ(ticks.size(), seen);
}

TEST(TimerTest, HandlerCanKillItsOwnTimerForAOneShot)
{
    int ticks = 0;
    TestWindow window([&](TestWindow &self, UINT message, WPARAM wParam, LPARAM) -> LRESULT {
        if (message == WM_TIMER) {
            ++ticks;
            KillTimer(self.GetSafeHwnd(), wParam);
        }
        return 0;
    });
    ASSERT_EQ(SetTimer(window.GetSafeHwnd(), 123, 1), 123u);
    ASSERT_TRUE(pumpUntil([&] { return ticks > 0; }));
    CEvent().Wait(20);
    QCoreApplication::processEvents();
    EXPECT_EQ(ticks, 1);
}

TEST(TimerTest, TimersEndWithTheirWindowAndAGoneWindowGetsNone)
{
    auto window = std::make_unique<TestWindow>();
    const HWND handle = window->GetSafeHwnd();
    ASSERT_EQ(SetTimer(handle, 7, 1), 7u);
    window.reset();
    QCoreApplication::processEvents();
    EXPECT_EQ(SetTimer(handle, 7, 1), 0u);
    EXPECT_FALSE(KillTimer(handle, 7));
    TestWindow live;
    EXPECT_EQ(SetTimer(live.GetSafeHwnd(), 0, 1), 0u) << "id 0 names no timer";
}

class WidgetWindow : public QWidget, public CMessageTarget {
public:
    WidgetWindow() : CMessageTarget(this) {}
    ~WidgetWindow() override { unregisterWindow(); }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM) override
    {
        if (message == WM_COMMAND)
            lastCommand = int(wParam);
        return 1;
    }
    int lastCommand = 0;
};

TEST(MessageTargetTest, AWidgetCanBeAWindow)
{
    WidgetWindow widget;
    auto *child = new WidgetWindow;
    child->setParent(&widget);
    std::thread sender([&] { PostMessage(widget.GetSafeHwnd(), WM_COMMAND, 1281, 0); });
    sender.join();
    ASSERT_TRUE(pumpUntil([&] { return widget.lastCommand == 1281; }));
    SendMessageToDescendants(widget.GetSafeHwnd(), WM_COMMAND, 61487, 0);
    EXPECT_EQ(child->lastCommand, 61487);
}

TEST(MessageStressTest, SendersAndPostersSurviveWindowsComingAndGoing)
{
    // The window thread keeps replacing its window; senders aim at whatever
    // handle is current and must get either the answer or 0, never hang.
    std::atomic<HWND> current{nullptr};
    std::atomic<bool> stop{false};
    std::atomic<int> badAnswers{0};
    std::thread owner([&] {
        QEventLoop loop;
        while (!stop) {
            auto window = std::make_unique<TestWindow>(
                [](TestWindow &, UINT, WPARAM wParam, LPARAM) -> LRESULT { return LRESULT(wParam) + 1; });
            current = window->GetSafeHwnd();
            for (int i = 0; i < 20; ++i)
                loop.processEvents(QEventLoop::AllEvents);
            window.reset();
        }
        // Serve sends still aimed at the last handle: it is gone, so they get 0.
        current = nullptr;
    });
    while (!current.load())
        QThread::yieldCurrentThread();
    std::vector<std::thread> senders;
    for (int t = 0; t < 6; ++t)
        senders.emplace_back([&, t] {
            for (int i = 0; i < 1500; ++i) {
                const HWND target = current.load();
                if (t % 2 == 0) {
                    const LRESULT answer = SendMessage(target, WM_TEST, WPARAM(i), 0);
                    if (answer != 0 && answer != LRESULT(i) + 1)
                        ++badAnswers;
                } else {
                    PostMessage(target, WM_TEST, WPARAM(i), 0);
                }
            }
        });
    for (auto &sender : senders)
        sender.join();
    stop = true;
    owner.join();
    EXPECT_EQ(badAnswers.load(), 0);
}

TEST(PostedMessageHoldTest, HeldMessagesAndOneTimerTickArriveInOrderWhenTheLastHoldEnds)
{
    std::vector<std::pair<UINT, WPARAM>> received;
    std::atomic<bool> sentHandled{false};
    TestWindow window([&](TestWindow &, UINT message, WPARAM wParam, LPARAM) -> LRESULT {
        if (message == WM_OTHER)
            sentHandled = true;
        else
            received.emplace_back(message, wParam);
        return 0;
    });
    const HWND handle = window.GetSafeHwnd();
    auto outer = std::make_unique<CPostedMessageHold>();
    {
        const CPostedMessageHold inner;
        ASSERT_TRUE(PostMessage(handle, WM_TEST, 1, 0));
        ASSERT_EQ(SetTimer(handle, 7, 1), 7u);
        ASSERT_TRUE(PostMessage(handle, WM_TEST, 2, 0));
        // A send from another thread is an answer someone waits for: it is not held.
        std::thread sender([&] { SendMessage(handle, WM_OTHER, 0, 0); });
        ASSERT_TRUE(pumpUntil([&] { return sentHandled.load(); }));
        sender.join();
        CEvent().Wait(30);
        QCoreApplication::processEvents();
        ASSERT_TRUE(KillTimer(handle, 7));
    }
    QCoreApplication::processEvents();
    EXPECT_TRUE(received.empty()) << "an inner hold's end is no end";
    outer.reset();
    using Received = std::vector<std::pair<UINT, WPARAM>>;
    ASSERT_TRUE(pumpUntil([&] { return received.size() >= 3; }));
    CEvent().Wait(20);
    QCoreApplication::processEvents();
    EXPECT_EQ(received, (Received{{WM_TEST, 1}, {WM_TEST, 2}, {WM_TIMER, 7}}));
}

TEST(PostedMessageHoldTest, MessagesHeldForAWindowThatWentAwayAreDropped)
{
    int received = 0;
    const auto count = [&](TestWindow &, UINT, WPARAM, LPARAM) -> LRESULT {
        ++received;
        return 0;
    };
    auto gone = std::make_unique<TestWindow>(count);
    TestWindow stays(count);
    {
        const CPostedMessageHold hold;
        ASSERT_TRUE(PostMessage(gone->GetSafeHwnd(), WM_TEST, 0, 0));
        ASSERT_TRUE(PostMessage(stays.GetSafeHwnd(), WM_TEST, 0, 0));
        QCoreApplication::processEvents();
        gone.reset();
    }
    ASSERT_TRUE(pumpUntil([&] { return received > 0; }));
    CEvent().Wait(20);
    QCoreApplication::processEvents();
    EXPECT_EQ(received, 1);
}

} // namespace
