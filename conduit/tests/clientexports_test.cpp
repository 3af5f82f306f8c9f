// The plain client functions: connecting, sending on a bare socket,
// stopping, and reading whole files.
#include "conduit/exports.h"
#include "loopbackpeer.h"
#include "platform/winsock/winsock.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <pthread.h>
#include <thread>
#include <unistd.h>

namespace fs = std::filesystem;
using Parity = LoopbackPeer::Parity;

namespace {

// Collects the events a RunClient callback sees.
struct EventLog {
    std::mutex mutex;
    std::condition_variable changed;
    std::vector<std::pair<uintptr_t, uint32_t>> events; // event or frame length, error or type

    static int callback(uintptr_t dataOrEvent, uint32_t length, void *context, uint32_t typeOrError, uint32_t)
    {
        auto *log = static_cast<EventLog *>(context);
        std::lock_guard lock(log->mutex);
        log->events.emplace_back(dataOrEvent > 15 ? 100 + length : dataOrEvent, typeOrError);
        log->changed.notify_all();
        return 0;
    }
    bool waitForEvent(uintptr_t event)
    {
        std::unique_lock lock(mutex);
        return changed.wait_for(lock, std::chrono::seconds(30), [&] {
            for (auto &e : events)
                if (e.first == event)
                    return true;
            return false;
        });
    }
};

TEST(ClientExports, ConnectsToADottedAddressAndReportsIt)
{
    LoopbackPeer peer(Parity::Odd);
    int timeout = 1000;
    uint32_t address = 0;
    uintptr_t socket = ConnectToServer(peer.host().c_str(), peer.port(), &timeout, &address);
    ASSERT_NE(socket, 0u);
    EXPECT_EQ(timeout, 0);
    EXPECT_NE(address, 0u);
    EXPECT_EQ(StopClient(socket), 0);
}

TEST(ClientExports, ConnectFailuresReturnZeroWithTheWinsockError)
{
    struct Case {
        const char *name;
        std::string host;
        int port;
        std::vector<int> errors;
    } cases[] = {
        {"refused", LoopbackPeer::processAddress(), unusedPort(Parity::Odd), {10061}},
        {"unknown host", "no-such-host.invalid", 1561, {11001, 11002}},
        {"port out of range", LoopbackPeer::processAddress(), 70001, {10022}},
        {"negative port", LoopbackPeer::processAddress(), -3, {10022}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        int timeoutOrError = 500;
        uint32_t address = 123;
        EXPECT_EQ(ConnectToServer(c.host.c_str(), c.port, &timeoutOrError, &address), 0u);
        EXPECT_NE(std::find(c.errors.begin(), c.errors.end(), timeoutOrError), c.errors.end())
            << timeoutOrError;
        EXPECT_EQ(address, 0u);
    }
}

// A server slow to accept (its queue full) keeps connect() waiting; signals
// arriving meanwhile must not turn the connection under way into a failure.
TEST(ClientExports, ConnectWaitsThroughSignalsForASlowServer)
{
    struct sigaction ignoreIt {};
    ignoreIt.sa_handler = [](int) {};
    struct sigaction previous {};
    ASSERT_EQ(sigaction(SIGUSR1, &ignoreIt, &previous), 0);

    int listener = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    ASSERT_EQ(inet_pton(AF_INET, LoopbackPeer::processAddress().c_str(), &address.sin_addr), 1);
    ASSERT_EQ(bind(listener, reinterpret_cast<sockaddr *>(&address), sizeof address), 0);
    ASSERT_EQ(listen(listener, 0), 0);
    socklen_t size = sizeof address;
    ASSERT_EQ(getsockname(listener, reinterpret_cast<sockaddr *>(&address), &size), 0);
    std::vector<int> fillers;
    for (int i = 0; i < 2; ++i) { // fill the accept queue
        fillers.push_back(::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0));
        ::connect(fillers.back(), reinterpret_cast<sockaddr *>(&address), sizeof address);
    }

    std::atomic<bool> done{false};
    uintptr_t socket = 0;
    int error = 0;
    std::thread connecting([&] {
        int timeout = 0;
        socket = ConnectToServer(LoopbackPeer::processAddress().c_str(), ntohs(address.sin_port), &timeout,
                                 nullptr);
        error = timeout;
        done = true;
    });
    const auto start = std::chrono::steady_clock::now();
    bool accepting = false;
    while (!done && std::chrono::steady_clock::now() - start < std::chrono::seconds(60)) {
        pthread_kill(connecting.native_handle(), SIGUSR1);
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        if (!accepting && std::chrono::steady_clock::now() - start > std::chrono::milliseconds(300)) {
            accepting = true; // from now on the queue takes the waiting connection
            fcntl(listener, F_SETFL, O_NONBLOCK);
        }
        // Keep draining: a filler's retried handshake may take the freed place
        // before the connection under test retries its own.
        if (accepting)
            for (int accepted; (accepted = accept(listener, nullptr, nullptr)) >= 0;)
                ::close(accepted);
    }
    connecting.join();
    sigaction(SIGUSR1, &previous, nullptr);
    EXPECT_NE(socket, 0u) << "Winsock error " << error;
    if (socket)
        StopClient(socket);
    for (int filler : fillers)
        ::close(filler);
    ::close(listener);
}

TEST(ClientExports, NeverHandsOutSocketZero)
{
    LoopbackPeer peer(Parity::Odd);
    int savedStdin = dup(0);
    ::close(0); // the next descriptor would be 0
    int timeout = 0;
    uintptr_t socket = ConnectToServer(peer.host().c_str(), peer.port(), &timeout, nullptr);
    dup2(savedStdin, 0);
    ::close(savedStdin);
    EXPECT_NE(socket, 0u);
    EXPECT_EQ(StopClient(socket), 0);
}

TEST(ClientExports, ClientSendUsesTheTwelveByteHeaderOnAnyPort)
{
    LoopbackPeer peer(Parity::Even);
    int timeout = 0;
    uintptr_t socket = ConnectToServer(peer.host().c_str(), peer.port(), &timeout, nullptr);
    ASSERT_NE(socket, 0u);
    ASSERT_TRUE(peer.accept());
    EXPECT_EQ(ClientSend(socket, "abc", 3, 0x1FF, 0xCAFE), 1);
    LoopbackPeer::Frame frame = peer.receiveFrame();
    EXPECT_EQ(frame.marker, 0);
    EXPECT_EQ(frame.type, 0xFF);
    EXPECT_EQ(frame.extra, 0xCAFEu);
    EXPECT_EQ(frame.payload, "abc");
    EXPECT_EQ(StopClient(socket), 0);
    EXPECT_TRUE(peer.seesEndOfStream());
    EXPECT_EQ(ClientSend(socket, "abc", 3, 1, 0), 0); // stopped: no longer ours
}

TEST(ClientExports, StopClientEndsTheReceiveThreadWithEventThree)
{
    LoopbackPeer peer(Parity::Odd);
    int timeout = 0;
    uintptr_t socket = ConnectToServer(peer.host().c_str(), peer.port(), &timeout, nullptr);
    ASSERT_TRUE(peer.accept());
    EventLog log;
    ASSERT_EQ(RunClient(socket, &log, &EventLog::callback, 2), 1);
    EXPECT_EQ(RunClient(socket, &log, &EventLog::callback, 2), 0); // one reader per socket
    ASSERT_TRUE(log.waitForEvent(0));
    ASSERT_TRUE(peer.sendFrame(1, 0, "four"));
    ASSERT_TRUE(log.waitForEvent(104));
    EXPECT_EQ(StopClient(socket), 0);
    ASSERT_TRUE(log.waitForEvent(3));
    EXPECT_TRUE(peer.seesEndOfStream());
}

TEST(ClientExports, RunClientRefusesMissingArguments)
{
    EventLog log;
    EXPECT_EQ(RunClient(0, &log, &EventLog::callback, 2), 0);
    EXPECT_EQ(RunClient(5, &log, nullptr, 2), 0);
    EXPECT_EQ(StopClient(0), SOCKET_ERROR);
}

class FileDataTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string pattern = (fs::temp_directory_path() / "conduit-files-XXXXXX").string();
        m_dir = mkdtemp(pattern.data());
    }
    void TearDown() override { fs::remove_all(m_dir); }
    fs::path write(const std::string &name, const std::string &content)
    {
        std::ofstream(m_dir / name, std::ios::binary) << content;
        return m_dir / name;
    }
    fs::path m_dir;
};

TEST_F(FileDataTest, ReadsWholeFilesAndRefusesWhatCannotBeSent)
{
    std::string big(3 * 1024 * 1024 + 5, 'z');
    fs::path huge = write("huge", "");
    fs::resize_file(huge, 0x80000001ull); // sparse; its count would not fit an int
    struct Case {
        const char *name;
        fs::path path;
        std::string content; // empty: NULL expected
        int out;
    } cases[] = {
        {"small", write("small", "hello"), "hello", 5},
        {"large", write("large", big), big, static_cast<int>(big.size())},
        {"empty", write("empty", ""), "", 0},
        {"missing", m_dir / "missing", "", 0},
        {"directory", m_dir, "", EISDIR},
        {"too large", huge, "", EFBIG},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        int out = -1;
        void *data = GetFileData(c.path.c_str(), &out);
        EXPECT_EQ(out, c.out);
        if (c.content.empty()) {
            EXPECT_EQ(data, nullptr);
        } else {
            ASSERT_NE(data, nullptr);
            EXPECT_EQ(std::string(static_cast<char *>(data), static_cast<size_t>(out)), c.content);
        }
        std::free(data);
    }
}

} // namespace
