// The plain listener functions against plain loopback clients: framed and
// text-line connections, their events, limits, deferred replies and stop.
#include "conduit/exports.h"
#include "conduit/listenerrecord.h"
#include "loopbackpeer.h"
#include "threadcount.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <mutex>
#include <random>
#include <thread>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

std::string le32(uint32_t v)
{
    std::string out(4, '\0');
    for (int i = 0; i < 4; ++i)
        out[i] = static_cast<char>(v >> (8 * i));
    return out;
}

// What a listener's callback saw, and what it should answer.
struct Recorder {
    struct Call {
        uintptr_t event = 0; // 16 for data
        std::string data;
        uint32_t typeOrError = 0;
        uint32_t extra = 0;
        uint32_t threadId = 0;
        ConduitConnectionRecord *connection = nullptr; // valid only until the connection's end
        void *listener = nullptr;
        uint32_t peerAddress = 0;
        void *replyEvent = nullptr;
        char **reply = nullptr;
        uint32_t *replyLength = nullptr;
    };
    std::mutex mutex;
    std::condition_variable changed;
    std::vector<Call> calls;
    std::function<int(const Call &)> answer = [](const Call &) { return 0; };
    std::function<std::string(const Call &)> replyText = [](const Call &) { return std::string(); };

    int record(Call call)
    {
        int result = answer(call);
        std::lock_guard lock(mutex);
        calls.push_back(std::move(call));
        changed.notify_all();
        return result;
    }
    bool waitFor(uintptr_t event, size_t count = 1)
    {
        std::unique_lock lock(mutex);
        return changed.wait_for(lock, std::chrono::seconds(30), [&] { return countLocked(event) >= count; });
    }
    size_t count(uintptr_t event)
    {
        std::lock_guard lock(mutex);
        return countLocked(event);
    }
    std::vector<Call> snapshot()
    {
        std::lock_guard lock(mutex);
        return calls;
    }

private:
    size_t countLocked(uintptr_t event)
    {
        size_t n = 0;
        for (const Call &c : calls)
            n += c.event == event;
        return n;
    }
};

constexpr uintptr_t kData = 16;

int framedCallback(uintptr_t dataOrEvent, uint32_t length, uint32_t typeOrError, uint32_t extra,
                   uint32_t threadId, void *connection)
{
    auto *record = static_cast<ConduitConnectionRecord *>(connection);
    auto *recorder = static_cast<Recorder *>(record->listener->context);
    Recorder::Call call;
    call.event = dataOrEvent > 15 ? kData : dataOrEvent;
    if (dataOrEvent > 15)
        call.data.assign(reinterpret_cast<const char *>(dataOrEvent), length);
    call.typeOrError = typeOrError;
    call.extra = extra;
    call.threadId = threadId;
    call.connection = record;
    call.listener = record->listener;
    call.peerAddress = record->peerAddress;
    return recorder->record(call);
}

int lineCallback(uintptr_t lineOrEvent, uint32_t length, char **reply, uint32_t *replyLength,
                 uint32_t threadId, void *connection, void *event, void *)
{
    auto *record = static_cast<ConduitConnectionRecord *>(connection);
    auto *recorder = static_cast<Recorder *>(record->listener->context);
    Recorder::Call call;
    call.event = lineOrEvent > 15 ? kData : lineOrEvent;
    if (lineOrEvent > 15) {
        call.data.assign(reinterpret_cast<const char *>(lineOrEvent), length);
        EXPECT_EQ(reinterpret_cast<const char *>(lineOrEvent)[length], '\0');
    }
    call.threadId = threadId;
    call.connection = record;
    call.replyEvent = event;
    call.reply = reply;
    call.replyLength = replyLength;
    std::string text = recorder->replyText(call);
    if (!text.empty()) {
        *reply = static_cast<char *>(std::malloc(text.size()));
        std::memcpy(*reply, text.data(), text.size());
        *replyLength = static_cast<uint32_t>(text.size());
    }
    return recorder->record(call);
}

// Listeners of these tests listen on the process's own loopback address.
class ListenerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        setenv("VERBANTA_CONDUIT_LISTEN_ADDRESS", LoopbackPeer::processAddress().c_str(), 1);
    }
    void TearDown() override
    {
        if (m_listener)
            FreeServer(m_listener);
    }

    // Starts on a free port (drawn until one binds).
    void startFramed(int timeoutMs = 0, int limit = 0)
    {
        start([&](int port) {
            return StartZELTServer(port, &framedCallback, &m_listener, timeoutMs, limit, 0, &m_recorder);
        });
    }
    void startLines(int timeoutMs = 0, int limit = 0, int inputLimit = 0)
    {
        start([&](int port) {
            return StartServer(port, &lineCallback, &m_listener, timeoutMs, limit, inputLimit, &m_recorder);
        });
    }
    void start(const std::function<int(int)> &startOn)
    {
        std::mt19937 draw(std::random_device{}());
        for (int attempt = 0; attempt < 100; ++attempt) {
            m_port = std::uniform_int_distribution<int>(20000, 60000)(draw);
            int result = startOn(m_port);
            if (result == 0)
                return;
            ASSERT_EQ(result, 10048) << "only a port in use may fail";
        }
        FAIL() << "no free port";
    }
    std::unique_ptr<LoopbackPeer> connect()
    {
        auto client = LoopbackPeer::connectTo(m_port);
        EXPECT_NE(client, nullptr);
        return client;
    }

    Recorder m_recorder;
    void *m_listener = nullptr;
    int m_port = 0;
};

TEST_F(ListenerTest, FramedConnectionDeliversFramesAndItsEnd)
{
    startFramed();
    auto client = connect();
    ASSERT_TRUE(client->sendFrame(9, 77, "hello"));
    ASSERT_TRUE(client->sendFrame(3, 1, le32(1) + le32(2) + "ab")); // no file steps here: a plain frame
    ASSERT_TRUE(m_recorder.waitFor(kData, 2));
    client->closeConnection();
    ASSERT_TRUE(m_recorder.waitFor(3));
    auto calls = m_recorder.snapshot();
    ASSERT_EQ(calls.size(), 4u);
    EXPECT_EQ(calls[0].event, 0u);
    EXPECT_NE(calls[0].threadId, 0u);
    EXPECT_EQ(calls[0].listener, m_listener);
    EXPECT_NE(calls[0].peerAddress, 0u);
    EXPECT_EQ(calls[1].data, "hello");
    EXPECT_EQ(calls[1].typeOrError, 9u);
    EXPECT_EQ(calls[1].extra, 77u);
    EXPECT_EQ(calls[2].typeOrError, 3u);
    EXPECT_EQ(calls[3].threadId, calls[0].threadId);
}

TEST_F(ListenerTest, FramedConnectionEndsOnRefusalsWithTheirEvents)
{
    struct Case {
        const char *name;
        std::function<int(const Recorder::Call &)> answer;
        std::string bytes;
        uintptr_t endEvent;
    } cases[] = {
        {"start refused", [](const Recorder::Call &c) { return c.event == 0 ? -1 : 0; }, "", 4},
        {"frame result nonzero", [](const Recorder::Call &c) { return c.event == kData ? 1 : 0; },
         std::string("\0\x01\0\0", 4) + le32(1) + le32(0) + "x", 4},
        {"bad marker", [](const Recorder::Call &) { return 0; },
         std::string("\x02\x01\0\0", 4) + le32(0) + le32(0), 4},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        m_recorder.answer = c.answer;
        startFramed();
        auto client = connect();
        ASSERT_TRUE(client->sendBytes(c.bytes.data(), c.bytes.size()));
        ASSERT_TRUE(m_recorder.waitFor(c.endEvent));
        EXPECT_TRUE(client->seesEndOfStream());
        FreeServer(m_listener);
        m_listener = nullptr;
        std::lock_guard lock(m_recorder.mutex);
        m_recorder.calls.clear();
    }
}

TEST_F(ListenerTest, FramedTimeoutRefusedEndsWithEventThree)
{
    m_recorder.answer = [](const Recorder::Call &c) {
        return c.event == 5 && c.typeOrError == 10060 ? 1 : 0;
    };
    startFramed(100);
    auto client = connect();
    ASSERT_TRUE(m_recorder.waitFor(3));
    auto calls = m_recorder.snapshot();
    EXPECT_EQ(calls[1].event, 5u);
    EXPECT_EQ(calls[2].typeOrError, 10060u);
    EXPECT_TRUE(client->seesEndOfStream());
}

TEST_F(ListenerTest, ConnectionLimitHoldsLaterConnectionsUntilOneEnds)
{
    for (bool lines : {false, true}) {
        SCOPED_TRACE(lines);
        if (lines)
            startLines(0, 1);
        else
            startFramed(0, 1);
        for (int round = 1; round <= 3; ++round) { // every ended connection gives its count back
            auto first = connect();
            ASSERT_TRUE(m_recorder.waitFor(0, 2 * round - 1));
            auto second = connect(); // the kernel queues it; the listener must not take it yet
            std::this_thread::sleep_for(std::chrono::milliseconds(200));
            EXPECT_EQ(m_recorder.count(0), size_t(2 * round - 1));
            first->closeConnection();
            ASSERT_TRUE(m_recorder.waitFor(0, 2 * round));
            second->closeConnection();
            ASSERT_TRUE(m_recorder.waitFor(lines ? 2 : 3, 2 * round));
        }
        FreeServer(m_listener);
        m_listener = nullptr;
        std::lock_guard lock(m_recorder.mutex);
        m_recorder.calls.clear();
    }
}

TEST_F(ListenerTest, StopServerRefusesNewConnectionsAndFreeServerEndsTheRest)
{
    const size_t threadsBefore = threadCount();
    startLines();
    auto client = connect();
    ASSERT_TRUE(m_recorder.waitFor(0));
    EXPECT_EQ(StopServer(m_listener), 0);
    EXPECT_EQ(LoopbackPeer::connectTo(m_port), nullptr);
    ASSERT_TRUE(client->sendBytes("still\r\n", 7)); // the served connection goes on
    ASSERT_TRUE(m_recorder.waitFor(kData));
    FreeServer(m_listener);
    m_listener = nullptr;
    EXPECT_EQ(m_recorder.count(2) + m_recorder.count(3),
              1u); // its end was reported before FreeServer returned
    EXPECT_EQ(threadCount(), threadsBefore) << "a thread of the listener outlived FreeServer";
    EXPECT_TRUE(client->seesEndOfStream());
}

TEST_F(ListenerTest, ReportsAPortInUse)
{
    startLines();
    void *second = nullptr;
    EXPECT_EQ(StartServer(m_port, &lineCallback, &second, 0, 0, 0, &m_recorder), 10048);
    EXPECT_EQ(second, nullptr);
    EXPECT_EQ(StartZELTServer(m_port, &framedCallback, &second, 0, 0, 0, &m_recorder), 10048);
}

TEST_F(ListenerTest, LinesAreSplitAtCrLfAndAnswered)
{
    m_recorder.replyText = [](const Recorder::Call &c) {
        return c.event == 0 ? std::string("welcome\r\n") : c.event == kData ? "got " + c.data + "\r\n" : "";
    };
    startLines();
    auto client = connect();
    EXPECT_EQ(client->receiveLine(), "welcome\r\n");
    std::string input = std::string("one\r\ntw", 7);
    ASSERT_TRUE(client->sendBytes(input.data(), input.size()));
    EXPECT_EQ(client->receiveLine(), "got one\r\n");
    std::string rest = std::string("o\r\nnul\0byte\r\n\r\n", 15);
    ASSERT_TRUE(client->sendBytes(rest.data(), rest.size()));
    EXPECT_EQ(client->receiveLine(), "got two\r\n");
    EXPECT_EQ(client->receiveLine(), "got nul\xFF"
                                     "byte\r\n");
    EXPECT_EQ(client->receiveLine(), "got \r\n");
    client->closeConnection();
    ASSERT_TRUE(m_recorder.waitFor(2));
}

TEST_F(ListenerTest, InputLimitAppliesToTheUnfinishedLineOnly)
{
    startLines(0, 0, 10);
    auto client = connect();
    std::string manyShortLines;
    for (int i = 0; i < 50; ++i)
        manyShortLines += "line" + std::to_string(i % 10) + "\r\n";
    ASSERT_TRUE(client->sendBytes(manyShortLines.data(), manyShortLines.size()));
    ASSERT_TRUE(m_recorder.waitFor(kData, 50));
    EXPECT_EQ(m_recorder.count(4), 0u);
    ASSERT_TRUE(client->sendBytes("eleven byte", 11));
    ASSERT_TRUE(m_recorder.waitFor(4));
    EXPECT_TRUE(client->seesEndOfStream());
}

TEST_F(ListenerTest, NegativeLineResultEndsTheConnection)
{
    m_recorder.answer = [](const Recorder::Call &c) { return c.event == kData ? -1 : 0; };
    startLines();
    auto client = connect();
    ASSERT_TRUE(client->sendBytes("bye\r\n", 5));
    ASSERT_TRUE(m_recorder.waitFor(4));
    EXPECT_TRUE(client->seesEndOfStream());
}

// Writes a deferred reply the way a plain caller does: the pointers the
// callback got, then the event (an eventfd) set.
void answerLater(Recorder::Call call, std::string text, int afterMs)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(afterMs));
    *call.reply = static_cast<char *>(std::malloc(text.size()));
    std::memcpy(*call.reply, text.data(), text.size());
    *call.replyLength = static_cast<uint32_t>(text.size());
    uint64_t one = 1;
    EXPECT_EQ(write(static_cast<int>(reinterpret_cast<intptr_t>(call.replyEvent)), &one, sizeof one), 8);
}

TEST_F(ListenerTest, DeferredReplyIsSentWhenItComesInTime)
{
    std::vector<std::thread> writers;
    m_recorder.answer = [&](const Recorder::Call &c) {
        if (c.event != kData)
            return 0;
        writers.emplace_back(answerLater, c, "later\r\n", 50);
        return 30000;
    };
    startLines();
    auto client = connect();
    ASSERT_TRUE(client->sendBytes("ask\r\n", 5));
    EXPECT_EQ(client->receiveLine(), "later\r\n");
    for (auto &writer : writers)
        writer.join();
}

TEST_F(ListenerTest, DeferredReplyThatTimesOutEndsTheConnectionAndALateWriteIsHarmless)
{
    Recorder::Call asked;
    m_recorder.answer = [&](const Recorder::Call &c) {
        if (c.event == kData)
            asked = c;
        return c.event == kData ? 30000 : 0;
    };
    startLines(100); // the listener's limit cuts the 30 s asked for
    auto client = connect();
    ASSERT_TRUE(client->sendBytes("ask\r\n", 5));
    ASSERT_TRUE(m_recorder.waitFor(4));
    EXPECT_TRUE(client->seesEndOfStream());
    answerLater(asked, "too late\r\n", 0); // into a slot the listener still keeps
}

TEST_F(ListenerTest, ReplyNamingAFileSendsItAndDeletesIt)
{
    fs::path dir = fs::temp_directory_path() / ("conduit-reply-" + std::to_string(getpid()));
    fs::create_directories(dir);
    fs::path file = dir / "answer.txt";
    std::string content(70000, 'r');
    content += "\r\n";
    std::ofstream(file, std::ios::binary) << content;
    m_recorder.replyText = [&](const Recorder::Call &c) {
        return c.event == kData ? "\xFF" + file.string() : std::string();
    };
    startLines();
    auto client = connect();
    ASSERT_TRUE(client->sendBytes("file\r\n", 6));
    EXPECT_EQ(client->receiveLine(), content);
    ASSERT_TRUE(client->sendBytes("again\r\n", 7)); // the file is gone once sent
    ASSERT_TRUE(m_recorder.waitFor(kData, 2));
    EXPECT_FALSE(fs::exists(file));
    fs::remove_all(dir);
}

TEST_F(ListenerTest, UnknownListenerRecordsAreRefused)
{
    int notARecord = 0;
    EXPECT_EQ(StopServer(&notARecord), -1);
    EXPECT_EQ(SetTimeout(&notARecord, 5), &notARecord);
    FreeServer(&notARecord); // ignored
    FreeServer(nullptr);
}

} // namespace
