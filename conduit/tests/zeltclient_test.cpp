// The client object against a plain loopback peer: framing on odd and even
// ports, every link event, time-outs, file frames and their "UP_" files,
// hostile frames, and methods called out of order.
#include "conduit/exports.h"
#include "conduit/izeltclient.h"
#include "loopbackpeer.h"
#include "recordingsink.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <sys/socket.h>
#include <unistd.h>

namespace fs = std::filesystem;
using Parity = LoopbackPeer::Parity;

namespace {

constexpr uint32_t kTimedOut = 10060;
constexpr uint32_t kMessageTooLong = 10040; // WSAEMSGSIZE
constexpr uint32_t kLongestPayload = 256u * 1024 * 1024;

std::string bytesOf(const std::vector<uint8_t> &bytes)
{
    return std::string(bytes.begin(), bytes.end());
}

std::string le32(uint32_t v)
{
    std::string out(4, '\0');
    for (int i = 0; i < 4; ++i)
        out[i] = static_cast<char>(v >> (8 * i));
    return out;
}

// A client made as a program makes one, through the library's class
// factory.
void MakeClient(IZeltClient *&client)
{
    IClassFactory *factory = nullptr;
    ASSERT_EQ(DllGetClassObject(&CLSID_Conduit, &IID_IClassFactory, reinterpret_cast<void **>(&factory)),
              S_OK);
    ASSERT_EQ(factory->CreateInstance(nullptr, &IID_IZeltClient, reinterpret_cast<void **>(&client)), S_OK);
    factory->Release();
}

// A private temporary folder, so "UP_" files of parallel tests never meet.
class PrivateTempDir {
public:
    PrivateTempDir()
    {
        std::string pattern = (fs::temp_directory_path() / "conduit-test-XXXXXX").string();
        m_path = mkdtemp(pattern.data());
        m_old = std::getenv("TMPDIR") ? std::getenv("TMPDIR") : "";
        setenv("TMPDIR", m_path.c_str(), 1);
    }
    ~PrivateTempDir()
    {
        if (m_old.empty())
            unsetenv("TMPDIR");
        else
            setenv("TMPDIR", m_old.c_str(), 1);
        fs::remove_all(m_path);
    }
    const fs::path &path() const { return m_path; }
    size_t upFiles() const
    {
        size_t found = 0;
        for (const auto &entry : fs::directory_iterator(m_path))
            found += entry.path().filename().string().rfind("UP_", 0) == 0;
        return found;
    }
    fs::path write(const std::string &name, const std::string &content) const
    {
        fs::path file = m_path / name;
        std::ofstream(file, std::ios::binary) << content;
        return file;
    }

private:
    fs::path m_path;
    std::string m_old;
};

class ClientTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_NO_FATAL_FAILURE(MakeClient(m_client)); }
    void TearDown() override
    {
        if (m_connected && m_sink.count("disconnected") == 0 && m_endsWithEvent) {
            m_client->Disconnect();
            m_sink.waitFor("disconnected");
        }
        m_client->Release();
    }

    // Connects to `peer` and waits for both ends to be up.
    void connect(LoopbackPeer &peer, int timeoutMs = 0)
    {
        ASSERT_EQ(m_client->Connect(peer.host().c_str(), peer.port(), timeoutMs, &m_sink), S_OK);
        ASSERT_TRUE(peer.accept());
        ASSERT_TRUE(m_sink.waitFor("connected"));
        m_connected = true;
    }

    PrivateTempDir m_temp;
    RecordingSink m_sink;
    IZeltClient *m_client = nullptr;
    bool m_connected = false;
    bool m_endsWithEvent = true; // false when a callback result ended the link silently
};

TEST_F(ClientTest, OddPortSendsTwelveByteHeaderAndEvenPortALengthOnly)
{
    struct Case {
        Parity parity;
        uint32_t protocol;
        std::string expectedHeader;
    } cases[] = {
        {Parity::Odd, 2, std::string("\0\x07\0\0", 4) + le32(5) + le32(0x01020304)},
        {Parity::Even, 1, le32(5)},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.protocol);
        LoopbackPeer peer(c.parity);
        RecordingSink sink;
        IZeltClient *client = nullptr;
        ASSERT_NO_FATAL_FAILURE(MakeClient(client));
        ASSERT_EQ(client->Connect(peer.host().c_str(), peer.port(), 0, &sink), S_OK);
        ASSERT_TRUE(peer.accept());
        EXPECT_EQ(sink.m_protocol, c.protocol);
        EXPECT_NE(sink.m_socket, 0u);
        uint32_t sent = 99;
        ASSERT_EQ(client->Send("hello", 5, 7, 0x01020304, &sent), S_OK);
        EXPECT_EQ(sent, 5u);
        EXPECT_EQ(bytesOf(peer.receiveBytes(c.expectedHeader.size() + 5)), c.expectedHeader + "hello");
        uint32_t server = 0;
        EXPECT_EQ(client->GetServerAddress(&server), S_OK);
        EXPECT_EQ(server, sink.m_serverAddress);
        EXPECT_NE(server, 0u);
        client->Disconnect();
        ASSERT_TRUE(sink.waitFor("disconnected"));
        client->Release();
    }
}

TEST_F(ClientTest, DeliversFramesWithTypeAndExtraOnOddPorts)
{
    LoopbackPeer peer(Parity::Odd);
    connect(peer);
    const std::string large(3 * 1024 * 1024 + 17, 'x');
    ASSERT_TRUE(peer.sendFrame(1, 42, "reply"));
    ASSERT_TRUE(peer.sendFrame(200, 0xFFFFFFFF, ""));
    ASSERT_TRUE(peer.sendFrame(2, 7, large));
    ASSERT_TRUE(m_sink.waitFor("message", 3));
    auto calls = m_sink.calls();
    ASSERT_EQ(calls[0].name, "connected");
    EXPECT_EQ(calls[0].lastType, 0u);
    EXPECT_EQ(calls[1].data, "reply");
    EXPECT_EQ(calls[1].type, 1u);
    EXPECT_EQ(calls[1].extra, 42u);
    EXPECT_EQ(calls[1].lastExtra, 42u);
    EXPECT_EQ(calls[2].data, "");
    EXPECT_EQ(calls[2].type, 200u);
    EXPECT_TRUE(calls[2].nulTerminated);
    EXPECT_EQ(calls[3].data, large);
    EXPECT_TRUE(calls[3].nulTerminated);
}

TEST_F(ClientTest, DeliversEveryFrameAsTypeZeroOnEvenPorts)
{
    LoopbackPeer peer(Parity::Even);
    connect(peer);
    ASSERT_TRUE(peer.sendLengthFrame("first"));
    ASSERT_TRUE(peer.sendLengthFrame(std::string("\x03\x04", 2)));
    ASSERT_TRUE(m_sink.waitFor("message", 2));
    auto calls = m_sink.calls();
    EXPECT_EQ(calls[1].data, "first");
    EXPECT_EQ(calls[1].type, 0u);
    EXPECT_EQ(calls[1].extra, 0u);
    EXPECT_EQ(calls[2].data, std::string("\x03\x04", 2));
    EXPECT_EQ(calls[2].type, 0u);
}

TEST_F(ClientTest, ReassemblesFramesSplitIntoSingleBytes)
{
    LoopbackPeer peer(Parity::Odd);
    connect(peer);
    std::string frame = std::string("\0\x09\0\0", 4) + le32(6) + le32(77) + "split!";
    frame += frame; // two frames back to back
    for (char byte : frame) {
        ASSERT_TRUE(peer.sendBytes(&byte, 1));
        usleep(200);
    }
    ASSERT_TRUE(m_sink.waitFor("message", 2));
    for (const auto &call : m_sink.calls()) {
        if (call.name == "message") {
            EXPECT_EQ(call.data, "split!");
            EXPECT_EQ(call.extra, 77u);
        }
    }
}

TEST_F(ClientTest, ReportsPeerCloseAndDisconnectAsEventThree)
{
    for (bool peerCloses : {true, false}) {
        SCOPED_TRACE(peerCloses);
        LoopbackPeer peer(Parity::Odd);
        RecordingSink sink;
        IZeltClient *client = nullptr;
        ASSERT_NO_FATAL_FAILURE(MakeClient(client));
        ASSERT_EQ(client->Connect(peer.host().c_str(), peer.port(), 0, &sink), S_OK);
        ASSERT_TRUE(peer.accept());
        ASSERT_TRUE(sink.waitFor("connected"));
        if (peerCloses) {
            peer.closeConnection();
        } else {
            EXPECT_EQ(client->Disconnect(), S_OK);
        }
        ASSERT_TRUE(sink.waitFor("disconnected"));
        if (!peerCloses) {
            EXPECT_TRUE(peer.seesEndOfStream());
        }
        EXPECT_EQ(sink.count("disconnected"), 1u);
        // The link is gone: sending fails cleanly.
        EXPECT_EQ(client->Send("x", 1, 1, 0, nullptr), CONDUIT_E_FAIL);
        client->Release();
    }
}

TEST_F(ClientTest, EndsWithEventFourOnBadMarkerShortPayloadOrHostileLength)
{
    struct Case {
        const char *name;
        std::string bytes;
    } cases[] = {
        {"bad marker", std::string("\x01\x01\0\0", 4) + le32(2) + le32(0) + "ab"},
        {"short payload", std::string("\0\x01\0\0", 4) + le32(100) + le32(0) + "only ten.."},
        {"hostile length", std::string("\0\x01\0\0", 4) + le32(0xFFFFFFFF) + le32(0) + "tiny"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        LoopbackPeer peer(Parity::Odd);
        RecordingSink sink;
        IZeltClient *client = nullptr;
        ASSERT_NO_FATAL_FAILURE(MakeClient(client));
        ASSERT_EQ(client->Connect(peer.host().c_str(), peer.port(), 0, &sink), S_OK);
        ASSERT_TRUE(peer.accept());
        ASSERT_TRUE(peer.sendBytes(c.bytes.data(), c.bytes.size()));
        peer.closeConnection(); // a bad marker ends the link before this matters
        ASSERT_TRUE(sink.waitFor("disconnected"));
        EXPECT_EQ(sink.count("message"), 0u);
        client->Release();
    }
}

// The peer keeps its end open and goes on sending: the link ends on the
// header alone, before any of the announced bytes is buffered.
TEST_F(ClientTest, RefusesAFrameLongerThanTheLongestPayloadAndSaysWhy)
{
    struct Case {
        const char *name;
        Parity parity;
        std::string header;
    } cases[] = {
        {"one byte over", Parity::Odd, std::string("\0\x01\0\0", 4) + le32(kLongestPayload + 1) + le32(9)},
        {"4 GiB", Parity::Odd, std::string("\0\x01\0\0", 4) + le32(0xFFFFFFFF) + le32(9)},
        {"4 GiB, length prefix", Parity::Even, le32(0xFFFFFFFF)},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        LoopbackPeer peer(c.parity);
        RecordingSink sink;
        IZeltClient *client = nullptr;
        ASSERT_NO_FATAL_FAILURE(MakeClient(client));
        ASSERT_EQ(client->Connect(peer.host().c_str(), peer.port(), 0, &sink), S_OK);
        ASSERT_TRUE(peer.accept());
        const std::string start = c.header + std::string(1000, 'x');
        ASSERT_TRUE(peer.sendBytes(start.data(), start.size()));
        ASSERT_TRUE(sink.waitFor("disconnected"));
        EXPECT_EQ(sink.calls().back().lastType, kMessageTooLong);
        EXPECT_EQ(sink.count("message"), 0u);
        EXPECT_TRUE(peer.seesEndOfStream());
        client->Release();
    }
}

TEST_F(ClientTest, TimeoutReturningZeroKeepsWaitingAndTheLinkStaysUsable)
{
    LoopbackPeer peer(Parity::Odd);
    m_sink.timeoutResult = [](int, int) { return 0; };
    connect(peer, 50);
    ASSERT_TRUE(m_sink.waitFor("timeout", 3));
    ASSERT_TRUE(peer.sendFrame(1, 5, "still here"));
    ASSERT_TRUE(m_sink.waitFor("message"));
    for (const auto &call : m_sink.calls()) {
        if (call.name == "timeout") {
            EXPECT_EQ(call.kind, ZELT_TIMEOUT_BEFORE_FRAME);
            EXPECT_EQ(call.lastType, kTimedOut);
        }
    }
    EXPECT_EQ(m_sink.count("disconnected"), 0u);
}

TEST_F(ClientTest, TimeoutRefusedEndsTheLinkWithEventFour)
{
    struct Case {
        const char *name;
        std::string partial;
        int kind;
    } cases[] = {
        {"idle", "", ZELT_TIMEOUT_BEFORE_FRAME},
        {"inside header", std::string("\0\x01\0", 3), ZELT_TIMEOUT_INSIDE_FRAME},
        {"inside payload", std::string("\0\x01\0\0", 4) + le32(10) + le32(0) + "abc",
         ZELT_TIMEOUT_INSIDE_FRAME},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        LoopbackPeer peer(Parity::Odd);
        RecordingSink sink;
        IZeltClient *client = nullptr;
        ASSERT_NO_FATAL_FAILURE(MakeClient(client));
        ASSERT_EQ(client->Connect(peer.host().c_str(), peer.port(), 100, &sink), S_OK);
        ASSERT_TRUE(peer.accept());
        ASSERT_TRUE(peer.sendBytes(c.partial.data(), c.partial.size()));
        ASSERT_TRUE(sink.waitFor("disconnected"));
        auto calls = sink.calls();
        ASSERT_EQ(calls.size(), 3u);
        EXPECT_EQ(calls[1].name, "timeout");
        EXPECT_EQ(calls[1].kind, c.kind);
        EXPECT_EQ(calls[2].lastType, kTimedOut);
        EXPECT_TRUE(peer.seesEndOfStream());
        client->Release();
    }
}

TEST_F(ClientTest, NonzeroMessageResultEndsTheLinkSilentlyAndDeletesReceivedFiles)
{
    LoopbackPeer peer(Parity::Odd);
    connect(peer);
    m_endsWithEvent = false;
    m_sink.messageResult = 1;
    ASSERT_TRUE(peer.sendFrame(3, 0, le32(9) + le32(4) + "data"));
    ASSERT_TRUE(m_sink.waitFor("file"));
    EXPECT_EQ(m_temp.upFiles(), 1u);
    ASSERT_TRUE(peer.sendFrame(1, 0, "stop"));
    ASSERT_TRUE(m_sink.waitFor("message"));
    LoopbackPeer::Frame answer = peer.receiveFrame(); // the file's answer
    EXPECT_EQ(answer.type, 4);
    EXPECT_TRUE(peer.seesEndOfStream());
    EXPECT_EQ(m_temp.upFiles(), 0u);
    EXPECT_EQ(m_sink.count("disconnected"), 0u);
}

// Ends the link from OnMessage and is gone before Conduit gets the result
// back: its storage already holds a fresh sink, as when a caller's object
// is freed at once and its memory reused by the next connection.
class SinkGoneAfterStopping : public RecordingSink {
public:
    explicit SinkGoneAfterStopping(std::function<void()> replaceMe) : m_replaceMe(std::move(replaceMe)) {}
    int OnMessage(const void *data, uint32_t length, uint32_t type, uint32_t extra) override
    {
        RecordingSink::OnMessage(data, length, type, extra);
        std::function<void()> replaceMe = std::move(m_replaceMe);
        replaceMe(); // destroys this object
        return 1;
    }

private:
    std::function<void()> m_replaceMe;
};

TEST_F(ClientTest, ReceivedFilesGoWithTheLinkWhenTheSinkThatStoppedItIsAlreadyGone)
{
    LoopbackPeer peer(Parity::Odd);
    std::optional<SinkGoneAfterStopping> slot;
    slot.emplace([&slot] {
        slot.reset();
        slot.emplace([] {});
    });
    ASSERT_EQ(m_client->Connect(peer.host().c_str(), peer.port(), 0, &*slot), S_OK);
    ASSERT_TRUE(peer.accept());
    ASSERT_TRUE(slot->waitFor("connected"));
    ASSERT_TRUE(peer.sendFrame(3, 0, le32(9) + le32(4) + "data"));
    ASSERT_TRUE(slot->waitFor("file"));
    EXPECT_EQ(m_temp.upFiles(), 1u);
    ASSERT_TRUE(peer.sendFrame(1, 0, "stop"));
    EXPECT_EQ(peer.receiveFrame().type, 4); // the file's answer
    EXPECT_TRUE(peer.seesEndOfStream());
    EXPECT_EQ(m_temp.upFiles(), 0u);
    EXPECT_TRUE(slot->calls().empty()); // the fresh sink was never touched
    EXPECT_EQ(slot->m_tempFiles, nullptr);
}

// Answers from OnConnected, which may run before Connect has returned.
class SinkGreetingFirst : public RecordingSink {
public:
    IZeltClient *client = nullptr;
    HRESULT sendResult = E_FAIL;
    int OnConnected() override
    {
        sendResult = client->Send("hello", 5, 1, 7, nullptr);
        return RecordingSink::OnConnected();
    }
};

TEST_F(ClientTest, SinkMaySendFromItsFirstCallbackOn)
{
    // Each round races the receive thread's first callback against the end
    // of Connect; the sink's send must work whichever comes first.
    for (int round = 0; round < 20; ++round) {
        SCOPED_TRACE(round);
        LoopbackPeer peer(Parity::Odd);
        IZeltClient *client = nullptr;
        ASSERT_NO_FATAL_FAILURE(MakeClient(client));
        SinkGreetingFirst sink;
        sink.client = client;
        ASSERT_EQ(client->Connect(peer.host().c_str(), peer.port(), 0, &sink), S_OK);
        ASSERT_TRUE(peer.accept());
        LoopbackPeer::Frame greeting = peer.receiveFrame();
        EXPECT_EQ(greeting.payload, "hello");
        EXPECT_EQ(greeting.extra, 7u);
        ASSERT_TRUE(sink.waitFor("connected"));
        EXPECT_EQ(sink.sendResult, S_OK);
        client->Disconnect();
        ASSERT_TRUE(sink.waitFor("disconnected"));
        client->Release();
    }
}

TEST_F(ClientTest, NonzeroValueResultEndsTheLinkAndShortValueFramesAreDropped)
{
    LoopbackPeer peer(Parity::Odd);
    connect(peer);
    m_endsWithEvent = false;
    m_sink.valueResult = 1;
    ASSERT_TRUE(peer.sendFrame(127, 0, "ab")); // too short to hold a value
    ASSERT_TRUE(peer.sendFrame(127, 0, le32(1234)));
    ASSERT_TRUE(m_sink.waitFor("value"));
    EXPECT_TRUE(peer.seesEndOfStream());
    auto calls = m_sink.calls();
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[1].data, "1234");
}

TEST_F(ClientTest, DeliversTextFrames)
{
    LoopbackPeer peer(Parity::Odd);
    connect(peer);
    ASSERT_TRUE(peer.sendFrame(4, 3, std::string("a text\0", 7)));
    ASSERT_TRUE(m_sink.waitFor("text"));
    EXPECT_EQ(m_sink.calls()[1].data, "a text");
    EXPECT_EQ(m_sink.calls()[1].extra, 3u);
}

TEST_F(ClientTest, KeepsReceivedFileUntilTheLinkEndsAndAnswersItsName)
{
    LoopbackPeer peer(Parity::Odd);
    connect(peer);
    ASSERT_TRUE(peer.sendFrame(3, 8, le32(0xABCD) + le32(5) + "bytes"));
    ASSERT_TRUE(m_sink.waitFor("file"));
    RecordingSink::Call file = m_sink.calls()[1];
    EXPECT_EQ(file.data, "bytes");
    EXPECT_EQ(file.type, 0xABCDu);
    EXPECT_EQ(file.kind, 261);
    EXPECT_EQ(file.tempFileCount, 1u); // listed before the sink saw it
    LoopbackPeer::Frame answer = peer.receiveFrame();
    EXPECT_EQ(answer.type, 4);
    EXPECT_EQ(answer.extra, 0u);
    EXPECT_EQ(answer.payload, m_sink.renamedFrom + std::string(1, '\0'));
    EXPECT_EQ(fs::path(m_sink.renamedFrom).parent_path(), m_temp.path());
    EXPECT_EQ(fs::path(m_sink.renamedFrom).filename().string().rfind("UP_", 0), 0u);
    EXPECT_EQ(m_temp.upFiles(), 1u);
    peer.closeConnection();
    ASSERT_TRUE(m_sink.waitFor("disconnected"));
    EXPECT_FALSE(m_sink.calls().back().fileExisted);
    EXPECT_EQ(m_temp.upFiles(), 0u);
}

TEST_F(ClientTest, DeletesTheTemporaryFileWhenTheSinkRenamesIt)
{
    LoopbackPeer peer(Parity::Odd);
    connect(peer);
    m_sink.renameReceivedFileTo = (m_temp.path() / "kept.wav").string();
    ASSERT_TRUE(peer.sendFrame(3, 0, le32(1) + le32(3) + "wav"));
    LoopbackPeer::Frame answer = peer.receiveFrame();
    EXPECT_EQ(answer.type, 4);
    EXPECT_EQ(answer.payload, m_sink.renameReceivedFileTo + std::string(1, '\0'));
    EXPECT_EQ(m_temp.upFiles(), 0u);
    EXPECT_TRUE(fs::exists(m_sink.renameReceivedFileTo));
}

TEST_F(ClientTest, AnswersAnOverfilledNameBufferWithATerminatedName)
{
    LoopbackPeer peer(Parity::Odd);
    connect(peer);
    m_sink.overfillNameBuffer = true;
    ASSERT_TRUE(peer.sendFrame(3, 0, le32(1) + le32(1) + "x"));
    LoopbackPeer::Frame answer = peer.receiveFrame();
    EXPECT_EQ(answer.type, 4);
    EXPECT_EQ(answer.payload, std::string(260, 'n') + std::string(1, '\0'));
    EXPECT_EQ(m_temp.upFiles(), 0u); // the name changed: the temporary file went
}

TEST_F(ClientTest, RefusesFileFramesWhenNoTemporaryFileCanBeMade)
{
    LoopbackPeer peer(Parity::Odd);
    connect(peer);
    setenv("TMPDIR", (m_temp.path() / "missing" / "folder").c_str(), 1);
    ASSERT_TRUE(peer.sendFrame(3, 0, le32(1) + le32(3) + "abc"));
    LoopbackPeer::Frame answer = peer.receiveFrame();
    EXPECT_EQ(answer.type, 127);
    EXPECT_EQ(answer.payload, le32(0));
    EXPECT_EQ(m_sink.count("file"), 0u);
}

TEST_F(ClientTest, ExceptionEscapingTheSinkEndsTheLinkLikeANonzeroResult)
{
    LoopbackPeer peer(Parity::Odd);
    connect(peer);
    m_endsWithEvent = false;
    ASSERT_TRUE(peer.sendFrame(3, 0, le32(9) + le32(1) + "f"));
    ASSERT_TRUE(m_sink.waitFor("file"));
    m_sink.throwFromMessage = true;
    ASSERT_TRUE(peer.sendFrame(1, 0, "boom"));
    peer.receiveFrame(); // the file's answer
    EXPECT_TRUE(peer.seesEndOfStream());
    EXPECT_EQ(m_temp.upFiles(), 0u);
    EXPECT_EQ(m_sink.count("disconnected"), 0u);
}

TEST_F(ClientTest, RefusesFileFramesWhoseSizeDoesNotMatch)
{
    struct Case {
        const char *name;
        std::string payload;
    } cases[] = {
        {"empty file (exactly 8 bytes)", le32(1) + le32(0)},
        {"size larger than sent", le32(1) + le32(10) + "abc"},
        {"size smaller than sent", le32(1) + le32(1) + "abc"},
        {"size wraps with 8 added", le32(1) + le32(0xFFFFFFFC) + "abcd"},
        {"too short for the prefix", "abc"},
    };
    LoopbackPeer peer(Parity::Odd);
    connect(peer);
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(peer.sendFrame(3, 0, c.payload));
        LoopbackPeer::Frame answer = peer.receiveFrame();
        EXPECT_EQ(answer.type, 127);
        EXPECT_EQ(answer.payload, le32(1));
    }
    EXPECT_EQ(m_sink.count("file"), 0u);
    EXPECT_EQ(m_temp.upFiles(), 0u);
}

TEST_F(ClientTest, SendsFilesAsFileFramesWithProgress)
{
    LoopbackPeer peer(Parity::Odd);
    connect(peer);
    std::string content(600 * 1024, 'f');
    fs::path file = m_temp.write("out.bin", content);
    ASSERT_EQ(m_client->SendFile(file.c_str(), 0x55, 9), S_OK);
    std::vector<uint8_t> header = peer.receiveBytes(20);
    EXPECT_EQ(bytesOf(header), std::string("\0\x03\0\0", 4) + le32(content.size() + 8) + le32(9) +
                                   le32(0x55) + le32(content.size()));
    EXPECT_EQ(bytesOf(peer.receiveBytes(content.size())), content);
    auto calls = m_sink.calls();
    ASSERT_GE(calls.size(), 3u);
    EXPECT_EQ(calls[1].name, "progress");
    EXPECT_EQ(calls[1].data, "0");
    EXPECT_EQ(calls.back().data, std::to_string(content.size()));
    EXPECT_EQ(calls.back().type, content.size());
}

TEST_F(ClientTest, RefusesToSendFilesThatCannotGoAsOneFrame)
{
    LoopbackPeer peer(Parity::Odd);
    connect(peer);
    fs::path empty = m_temp.write("empty", "");
    fs::path huge = m_temp.write("huge", "");
    fs::resize_file(huge, 0x80000000ull); // sparse: nothing is read
    for (const fs::path &path : {empty, huge, m_temp.path() / "missing"}) {
        SCOPED_TRACE(path);
        EXPECT_EQ(m_client->SendFile(path.c_str(), 1, 0), CONDUIT_E_FAIL);
    }
    EXPECT_EQ(m_sink.count("progress"), 0u);
}

TEST_F(ClientTest, RefusesSendFileOnEvenPorts)
{
    LoopbackPeer peer(Parity::Even);
    connect(peer);
    fs::path file = m_temp.write("f", "content");
    EXPECT_EQ(m_client->SendFile(file.c_str(), 1, 0), CONDUIT_E_FAIL);
}

TEST_F(ClientTest, MethodsBeforeConnectFailCleanly)
{
    uint32_t address = 0, sent = 5;
    EXPECT_EQ(m_client->Send("x", 1, 1, 0, &sent), CONDUIT_E_FAIL);
    EXPECT_EQ(sent, 0u);
    EXPECT_EQ(m_client->SendFile("/etc/hostname", 1, 0), CONDUIT_E_FAIL);
    EXPECT_EQ(m_client->Disconnect(), CONDUIT_E_FAIL);
    EXPECT_EQ(m_client->GetServerAddress(&address), CONDUIT_E_FAIL);
    int error = -1;
    EXPECT_EQ(m_client->GetLastError(&error), S_OK);
    EXPECT_EQ(m_client->GetLocalAddress(&address), S_OK);
    EXPECT_EQ(m_client->Connect("127.0.0.1", 1561, 0, nullptr), CONDUIT_E_FAIL);
}

TEST_F(ClientTest, FailedConnectLeavesSocketZeroAndTheReason)
{
    int port = unusedPort(Parity::Odd);
    EXPECT_EQ(m_client->Connect(LoopbackPeer::processAddress().c_str(), port, 0, &m_sink), CONDUIT_E_FAIL);
    EXPECT_EQ(m_sink.m_socket, 0u);
    int error = 0;
    m_client->GetLastError(&error);
    EXPECT_EQ(error, 10061);
    EXPECT_EQ(m_sink.count("connected"), 0u);
    // Still unconnected: a second attempt is allowed and works.
    LoopbackPeer peer(Parity::Odd);
    connect(peer);
}

TEST_F(ClientTest, SecondConnectOnAConnectedObjectFails)
{
    LoopbackPeer peer(Parity::Odd);
    connect(peer);
    RecordingSink other;
    EXPECT_EQ(m_client->Connect(peer.host().c_str(), peer.port(), 0, &other), CONDUIT_E_FAIL);
}

} // namespace
