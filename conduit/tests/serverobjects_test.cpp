// The listener objects made on the class factory, with a handler factory
// of the test's: one handler per connection, frames and lines reaching it,
// replies, files, deferred answers, and stopping.
#include "conduit/exports.h"
#include "conduit/imessageserver.h"
#include "conduit/izeltserver.h"
#include "loopbackpeer.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <random>
#include <sys/socket.h>
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

// A log shared by the factory and its handlers.
struct Log {
    std::mutex mutex;
    std::condition_variable changed;
    std::vector<std::string> entries;
    void add(std::string entry)
    {
        std::lock_guard lock(mutex);
        entries.push_back(std::move(entry));
        changed.notify_all();
    }
    bool waitFor(const std::string &entry)
    {
        std::unique_lock lock(mutex);
        return changed.wait_for(lock, std::chrono::seconds(30), [&] {
            return std::find(entries.begin(), entries.end(), entry) != entries.end();
        });
    }
};

class TestHandler final : public CZeltConnectionHandler {
public:
    TestHandler(Log &log, std::function<int(TestHandler &, const std::string &)> onData)
        : m_log(log), m_onData(std::move(onData))
    {
    }
    int AddRef() override { return 2; }
    int Release() override
    {
        m_log.add("released");
        delete this;
        return 0;
    }
    int OnOpened(uint32_t threadId) override
    {
        m_log.add(threadId ? "opened" : "opened without thread id");
        return 0;
    }
    int OnClosing(uint32_t) override
    {
        m_log.add("closing");
        return 0;
    }
    int OnData(const void *data, uint32_t length, uint32_t typeOrThreadId) override
    {
        std::string text(static_cast<const char *>(data), length);
        m_log.add("data " + text + " " + std::to_string(typeOrThreadId > 1000 ? 0 : typeOrThreadId));
        return m_onData(*this, text);
    }
    int OnFileReceived(const char *tempName, uint32_t sender, char *, int) override
    {
        std::ifstream in(tempName, std::ios::binary);
        std::string content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        m_log.add("file " + content + " " + std::to_string(sender));
        return 0;
    }
    int OnTextFrame(const char *text, uint32_t) override
    {
        m_log.add(std::string("text ") + text);
        return 0;
    }
    int OnValueFrame(const void *payload) override
    {
        uint32_t value;
        std::memcpy(&value, payload, 4);
        m_log.add("value " + std::to_string(value));
        return 0;
    }
    int OnTimeout(int kind) override
    {
        m_log.add("timeout " + std::to_string(kind));
        return 1;
    }

private:
    ~TestHandler() = default;
    Log &m_log;
    std::function<int(TestHandler &, const std::string &)> m_onData;
};

class TestHandlerFactory final : public CConnectionHandlerFactory {
public:
    explicit TestHandlerFactory(Log &log) : m_log(log) {}
    CConnectionHandler *CreateHandler() override
    {
        auto *handler = new TestHandler(m_log, onData);
        std::lock_guard lock(m_mutex);
        m_handlers.push_back(handler);
        return handler;
    }
    TestHandler *handler(size_t i)
    {
        std::lock_guard lock(m_mutex);
        return i < m_handlers.size() ? m_handlers[i] : nullptr;
    }
    std::function<int(TestHandler &, const std::string &)> onData = [](TestHandler &, const std::string &) {
        return 0;
    };

private:
    Log &m_log;
    std::mutex m_mutex;
    std::vector<TestHandler *> m_handlers;
};

template <class Interface> Interface *makeObject(const IID &iid)
{
    IClassFactory *factory = nullptr;
    EXPECT_EQ(DllGetClassObject(&CLSID_Conduit, &IID_IClassFactory, reinterpret_cast<void **>(&factory)),
              S_OK);
    Interface *object = nullptr;
    EXPECT_EQ(factory->CreateInstance(nullptr, &iid, reinterpret_cast<void **>(&object)), S_OK);
    factory->Release();
    return object;
}

template <class Server> int startOnFreePort(Server *server, void *factory, int timeoutMs, int limit)
{
    std::mt19937 draw(std::random_device{}());
    for (int attempt = 0; attempt < 100; ++attempt) {
        int port = std::uniform_int_distribution<int>(20000, 60000)(draw);
        if (server->Start(port, timeoutMs, factory, limit) == S_OK)
            return port;
    }
    return 0;
}

class ServerObjects : public ::testing::Test {
protected:
    void SetUp() override
    {
        setenv("VERBANTA_CONDUIT_LISTEN_ADDRESS", LoopbackPeer::processAddress().c_str(), 1);
        std::string pattern = (fs::temp_directory_path() / "conduit-server-XXXXXX").string();
        m_temp = mkdtemp(pattern.data());
        if (const char *old = std::getenv("TMPDIR"))
            m_oldTemp = old;
        setenv("TMPDIR", m_temp.c_str(), 1);
    }
    void TearDown() override
    {
        if (m_oldTemp.empty())
            unsetenv("TMPDIR");
        else
            setenv("TMPDIR", m_oldTemp.c_str(), 1);
        fs::remove_all(m_temp);
    }

    Log m_log;
    TestHandlerFactory m_factory{m_log};
    fs::path m_temp;
    std::string m_oldTemp;
};

TEST_F(ServerObjects, FramedServerGivesEachConnectionAHandlerAndRepliesWithTheRequestsExtra)
{
    IZeltServer *server = makeObject<IZeltServer>(IID_IZeltServer);
    int port = startOnFreePort(server, &m_factory, 0, 0);
    ASSERT_NE(port, 0);
    EXPECT_NE(m_factory.m_listener, nullptr);
    auto client = LoopbackPeer::connectTo(port);
    ASSERT_TRUE(m_log.waitFor("opened"));
    TestHandler *handler = m_factory.handler(0);
    EXPECT_EQ(handler->m_listener, m_factory.m_listener);
    EXPECT_NE(handler->m_socket, 0u);
    uint32_t peer = 0;
    EXPECT_EQ(server->GetPeerAddress(handler, &peer), S_OK);
    EXPECT_EQ(peer, handler->m_peerAddress);

    ASSERT_TRUE(client->sendFrame(1, 4242, "request"));
    ASSERT_TRUE(m_log.waitFor("data request 1"));
    uint32_t sent = 0;
    ASSERT_EQ(server->Send(handler, "reply", 5, 2, &sent), S_OK);
    EXPECT_EQ(sent, 5u);
    LoopbackPeer::Frame reply = client->receiveFrame();
    EXPECT_EQ(reply.type, 2);
    EXPECT_EQ(reply.extra, 4242u);
    EXPECT_EQ(reply.payload, "reply");

    ASSERT_TRUE(client->sendFrame(4, 0, std::string("note\0", 5)));
    ASSERT_TRUE(client->sendFrame(127, 0, le32(31)));
    ASSERT_TRUE(client->sendFrame(3, 5, le32(66) + le32(4) + "blob"));
    ASSERT_TRUE(m_log.waitFor("text note"));
    ASSERT_TRUE(m_log.waitFor("value 31"));
    ASSERT_TRUE(m_log.waitFor("file blob 66"));
    LoopbackPeer::Frame answer = client->receiveFrame();
    EXPECT_EQ(answer.type, 4);
    EXPECT_EQ(answer.extra, 5u); // the connection's last extra
    EXPECT_EQ(answer.payload.rfind(m_temp.string() + "/UP_", 0), 0u);

    int notAHandler = 0;
    EXPECT_EQ(server->GetPeerAddress(&notAHandler, &peer), CONDUIT_E_FAIL);
    EXPECT_EQ(server->Send(&notAHandler, "x", 1, 1, nullptr), CONDUIT_E_FAIL);
    EXPECT_EQ(server->Stop(-1), S_OK);
    EXPECT_TRUE(m_log.waitFor("released"));
    EXPECT_TRUE(client->seesEndOfStream());
    EXPECT_EQ(std::distance(fs::directory_iterator(m_temp), fs::directory_iterator()), 0); // "UP_" file gone
    EXPECT_EQ(server->Stop(-1), CONDUIT_E_FAIL);
    server->Release();
}

TEST_F(ServerObjects, FramedServerSendsToAllAndSendsFiles)
{
    IZeltServer *server = makeObject<IZeltServer>(IID_IZeltServer);
    int port = startOnFreePort(server, &m_factory, 0, 0);
    ASSERT_NE(port, 0);
    auto first = LoopbackPeer::connectTo(port);
    auto second = LoopbackPeer::connectTo(port);
    {
        std::unique_lock lock(m_log.mutex);
        m_log.changed.wait_for(lock, std::chrono::seconds(30), [&] {
            return std::count(m_log.entries.begin(), m_log.entries.end(), "opened") == 2;
        });
    }
    uint32_t sent = 0;
    ASSERT_EQ(server->SendToAll("all", 3, 6, &sent), S_OK);
    EXPECT_EQ(sent, 6u);
    for (auto *client : {first.get(), second.get()}) {
        LoopbackPeer::Frame frame = client->receiveFrame();
        EXPECT_EQ(frame.payload, "all");
        EXPECT_EQ(frame.type, 6);
        EXPECT_EQ(frame.extra, 0u);
    }
    fs::path file = m_temp / "out.bin";
    std::ofstream(file, std::ios::binary) << "filebytes";
    ASSERT_EQ(server->SendFile(m_factory.handler(0), file.c_str(), 9), S_OK);
    EXPECT_EQ(server->SendFile(m_factory.handler(0), (m_temp / "missing").c_str(), 9), CONDUIT_E_FAIL);
    // Whichever client got the first handler gets the file.
    std::vector<uint8_t> header;
    for (auto *client : {first.get(), second.get()}) {
        timeval brief{0, 200000};
        setsockopt(client->connection(), SOL_SOCKET, SO_RCVTIMEO, &brief, sizeof brief);
        std::vector<uint8_t> got = client->receiveBytes(20 + 9);
        if (!got.empty())
            header = got;
    }
    ASSERT_EQ(header.size(), 29u);
    EXPECT_EQ(std::string(header.begin(), header.end()),
              std::string("\0\x03\0\0", 4) + le32(17) + le32(0) + le32(9) + le32(9) + "filebytes");
    EXPECT_EQ(server->Stop(-1), S_OK);
    server->Release();
}

TEST_F(ServerObjects, MessageServerAnswersLinesNowOrLater)
{
    std::vector<std::thread> answerers;
    m_factory.onData = [&](TestHandler &handler, const std::string &line) {
        if (line == "now") {
            EXPECT_EQ(handler.m_reply->Complete("now!\r\n", 6), 1);
            return 0;
        }
        if (line == "later") {
            CDeferredReply *reply = handler.m_reply;
            reply->AddRef();
            answerers.emplace_back([reply] {
                std::this_thread::sleep_for(std::chrono::milliseconds(30));
                EXPECT_EQ(reply->Complete("later!\r\n", 8), 1);
                reply->Release();
            });
            return 30000;
        }
        if (line == "never") {
            CDeferredReply *reply = handler.m_reply;
            reply->AddRef();
            answerers.emplace_back([reply] {
                std::this_thread::sleep_for(std::chrono::milliseconds(500));
                EXPECT_EQ(reply->Complete("too late\r\n", 10), 0); // dropped, and no harm done
                reply->Release();
            });
            return 100;
        }
        return 0;
    };
    IMessageServer *server = makeObject<IMessageServer>(IID_IMessageServer);
    int port = startOnFreePort(server, &m_factory, 60000, 0);
    ASSERT_NE(port, 0);
    auto client = LoopbackPeer::connectTo(port);
    ASSERT_TRUE(client->sendBytes("now\r\nlater\r\n", 12));
    EXPECT_EQ(client->receiveLine(), "now!\r\n");
    EXPECT_EQ(client->receiveLine(), "later!\r\n");
    ASSERT_TRUE(m_log.waitFor("opened"));
    uint32_t sent = 0;
    EXPECT_EQ(server->Send(m_factory.handler(0), "raw\r\n", 5, &sent), S_OK);
    EXPECT_EQ(sent, 5u);
    EXPECT_EQ(client->receiveLine(), "raw\r\n");
    ASSERT_TRUE(client->sendBytes("never\r\n", 7));
    ASSERT_TRUE(m_log.waitFor("released")); // the wait ran out: the connection ended
    EXPECT_TRUE(client->seesEndOfStream());
    for (auto &answerer : answerers)
        answerer.join();
    EXPECT_EQ(server->Stop(1000), S_OK);
    server->Release();
    EXPECT_EQ(DllCanUnloadNow(), S_OK);
}

TEST_F(ServerObjects, MethodsBeforeStartFailAndReleasingARunningServerStopsIt)
{
    IMessageServer *lines = makeObject<IMessageServer>(IID_IMessageServer);
    uint32_t address = 0;
    EXPECT_EQ(lines->Stop(0), CONDUIT_E_FAIL);
    EXPECT_EQ(lines->Send(&address, "x", 1, nullptr), CONDUIT_E_FAIL);
    EXPECT_EQ(lines->GetPeerAddress(&address, &address), CONDUIT_E_FAIL);
    EXPECT_EQ(lines->Start(1, 0, nullptr, 0), CONDUIT_E_FAIL); // no factory
    IZeltServer *framed = makeObject<IZeltServer>(IID_IZeltServer);
    EXPECT_EQ(framed->SendFile(&address, "/etc/hostname", 1), CONDUIT_E_FAIL);
    uint32_t sent = 7;
    EXPECT_EQ(framed->SendToAll("x", 1, 1, &sent), S_OK); // nobody to send to
    EXPECT_EQ(sent, 0u);
    int port = startOnFreePort(framed, &m_factory, 0, 0);
    ASSERT_NE(port, 0);
    auto client = LoopbackPeer::connectTo(port);
    ASSERT_TRUE(m_log.waitFor("opened"));
    EXPECT_EQ(framed->Start(port, 0, &m_factory, 0), CONDUIT_E_FAIL); // started already
    framed->Release();
    EXPECT_TRUE(m_log.waitFor("released"));
    EXPECT_TRUE(client->seesEndOfStream());
    lines->Release();
}

} // namespace
