// Costs of the link against a plain blocking-socket client doing the same
// framed exchange with the same peer: a 100-byte request/reply round trip
// (the client object may cost at most 1.5x the plain client) and 1 GB sent
// in 1 MB frames (at least 0.8x the plain client's throughput). The peer is
// a thread of this program on a loopback address of its own.
#include "conduit/exports.h"
#include "conduit/izeltclient.h"

#include <benchmark/benchmark.h>

#include <arpa/inet.h>
#include <condition_variable>
#include <cstring>
#include <memory>
#include <mutex>
#include <netinet/in.h>
#include <random>
#include <string>
#include <sys/socket.h>
#include <sys/uio.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

constexpr uint8_t kEcho = 1;    // the peer sends the frame back
constexpr uint8_t kDiscard = 2; // the peer only reads it
constexpr uint8_t kConfirm = 5; // the peer answers once all before it was read
constexpr size_t kBulkFrame = 1 << 20;
constexpr size_t kBulkFrames = 1024; // 1 GB

std::string benchAddress()
{
    return "127.77." + std::to_string((getpid() >> 8) & 255) + "." + std::to_string(1 + getpid() % 254);
}

bool readAll(int fd, void *out, size_t length)
{
    auto *bytes = static_cast<uint8_t *>(out);
    while (length > 0) {
        ssize_t n = ::recv(fd, bytes, length, 0);
        if (n <= 0)
            return false;
        bytes += n;
        length -= static_cast<size_t>(n);
    }
    return true;
}

void encodeHeader(uint8_t *header, uint8_t type, uint32_t length, uint32_t extra)
{
    std::memset(header, 0, 12);
    header[1] = type;
    std::memcpy(header + 4, &length, 4);
    std::memcpy(header + 8, &extra, 4);
}

bool writeFrame(int fd, uint8_t type, const void *payload, uint32_t length, uint32_t extra)
{
    uint8_t header[12];
    encodeHeader(header, type, length, extra);
    iovec parts[2] = {{header, sizeof header}, {const_cast<void *>(payload), length}};
    size_t left = sizeof header + length;
    msghdr message{};
    message.msg_iov = parts;
    message.msg_iovlen = 2;
    while (left > 0) {
        ssize_t n = ::sendmsg(fd, &message, MSG_NOSIGNAL);
        if (n <= 0)
            return false;
        left -= static_cast<size_t>(n);
        size_t taken = static_cast<size_t>(n);
        while (taken > 0 && message.msg_iovlen > 0) {
            size_t step = std::min(taken, message.msg_iov->iov_len);
            message.msg_iov->iov_base = static_cast<uint8_t *>(message.msg_iov->iov_base) + step;
            message.msg_iov->iov_len -= step;
            taken -= step;
            if (message.msg_iov->iov_len == 0) {
                ++message.msg_iov;
                --message.msg_iovlen;
            }
        }
    }
    return true;
}

// Serves one connection at a time: echoes, discards or confirms frames.
class Peer {
public:
    Peer()
    {
        m_listener = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        inet_pton(AF_INET, benchAddress().c_str(), &address.sin_addr);
        std::mt19937 draw(std::random_device{}());
        do {
            m_port = std::uniform_int_distribution<int>(10000, 30000)(draw) * 2 + 1; // odd: 12-byte headers
            address.sin_port = htons(static_cast<uint16_t>(m_port));
        } while (::bind(m_listener, reinterpret_cast<sockaddr *>(&address), sizeof address) != 0);
        ::listen(m_listener, 4);
        m_thread = std::thread([this] { serve(); });
    }
    ~Peer()
    {
        ::shutdown(m_listener, SHUT_RDWR);
        m_thread.join();
        ::close(m_listener);
    }
    int port() const { return m_port; }

private:
    void serve()
    {
        std::vector<uint8_t> payload(kBulkFrame);
        for (;;) {
            int fd = ::accept(m_listener, nullptr, nullptr);
            if (fd < 0)
                return;
            uint8_t header[12];
            while (readAll(fd, header, sizeof header)) {
                uint32_t length, extra;
                std::memcpy(&length, header + 4, 4);
                std::memcpy(&extra, header + 8, 4);
                if (length > payload.size())
                    payload.resize(length);
                if (!readAll(fd, payload.data(), length))
                    break;
                if (header[1] == kEcho || header[1] == kConfirm)
                    writeFrame(fd, header[1], payload.data(), length, extra);
            }
            ::close(fd);
        }
    }

    int m_listener;
    int m_port = 0;
    std::thread m_thread;
};

Peer &peer()
{
    static Peer shared;
    return shared;
}

int plainConnect()
{
    int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<uint16_t>(peer().port()));
    inet_pton(AF_INET, benchAddress().c_str(), &address.sin_addr);
    ::connect(fd, reinterpret_cast<sockaddr *>(&address), sizeof address);
    return fd;
}

// Reads one reply frame the plain way: header, then payload.
bool plainReceive(int fd, std::vector<uint8_t> &payload)
{
    uint8_t header[12];
    if (!readAll(fd, header, sizeof header))
        return false;
    uint32_t length;
    std::memcpy(&length, header + 4, 4);
    payload.resize(length);
    return readAll(fd, payload.data(), length);
}

// A sink that lets the benchmark thread wait for the next reply. The
// receive thread hands each reply over, so the waiter costs a second
// wake-up that the plain client (woken by the kernel) does not pay.
class WaitingSink final : public CZELTSessionSink {
public:
    int OnConnected() override { return 0; }
    int OnDisconnected() override
    {
        notify();
        return 0;
    }
    int OnMessage(const void *, uint32_t, uint32_t, uint32_t) override
    {
        notify();
        return 0;
    }
    int OnFileReceived(const char *, uint32_t, char *, int) override { return 0; }
    int OnStringMessage(const char *, uint32_t) override { return 0; }
    int OnValueMessage(const void *) override { return 0; }
    int OnTimeout(int) override { return 0; }
    int OnSendProgress(uint32_t, uint32_t) override { return 0; }

    void waitForReply()
    {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [this] { return m_replies > 0; });
        --m_replies;
    }

private:
    void notify()
    {
        std::lock_guard lock(m_mutex);
        ++m_replies;
        m_changed.notify_one();
    }

    std::mutex m_mutex;
    std::condition_variable m_changed;
    int m_replies = 0;
};

IZeltClient *makeClient()
{
    IClassFactory *factory = nullptr;
    DllGetClassObject(&CLSID_Conduit, &IID_IClassFactory, reinterpret_cast<void **>(&factory));
    IZeltClient *client = nullptr;
    factory->CreateInstance(nullptr, &IID_IZeltClient, reinterpret_cast<void **>(&client));
    factory->Release();
    return client;
}

void BM_RoundTrip100_PlainSocket(benchmark::State &state)
{
    int fd = plainConnect();
    std::vector<uint8_t> request(100, 'q'), reply;
    for (auto _ : state) {
        writeFrame(fd, kEcho, request.data(), 100, 1);
        plainReceive(fd, reply);
    }
    ::close(fd);
}
BENCHMARK(BM_RoundTrip100_PlainSocket)->UseRealTime();

void BM_RoundTrip100_ClientObject(benchmark::State &state)
{
    IZeltClient *client = makeClient();
    WaitingSink sink;
    client->Connect(benchAddress().c_str(), peer().port(), 0, &sink);
    std::vector<uint8_t> request(100, 'q');
    for (auto _ : state) {
        client->Send(request.data(), 100, kEcho, 1, nullptr);
        sink.waitForReply();
    }
    client->Disconnect();
    sink.waitForReply(); // OnDisconnected
    client->Release();
}
BENCHMARK(BM_RoundTrip100_ClientObject)->UseRealTime();

void BM_Send1GB_PlainSocket(benchmark::State &state)
{
    int fd = plainConnect();
    std::vector<uint8_t> frame(kBulkFrame, 'b'), reply;
    for (auto _ : state) {
        for (size_t i = 0; i < kBulkFrames; ++i)
            writeFrame(fd, kDiscard, frame.data(), kBulkFrame, 0);
        writeFrame(fd, kConfirm, "!", 1, 0);
        plainReceive(fd, reply);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(kBulkFrame * kBulkFrames));
    ::close(fd);
}
BENCHMARK(BM_Send1GB_PlainSocket)->UseRealTime()->Unit(benchmark::kMillisecond)->MinTime(3);

void BM_Send1GB_ClientObject(benchmark::State &state)
{
    IZeltClient *client = makeClient();
    WaitingSink sink;
    client->Connect(benchAddress().c_str(), peer().port(), 0, &sink);
    std::vector<uint8_t> frame(kBulkFrame, 'b');
    for (auto _ : state) {
        for (size_t i = 0; i < kBulkFrames; ++i)
            client->Send(frame.data(), kBulkFrame, kDiscard, 0, nullptr);
        client->Send("!", 1, kConfirm, 0, nullptr);
        sink.waitForReply();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(kBulkFrame * kBulkFrames));
    client->Disconnect();
    sink.waitForReply();
    client->Release();
}
BENCHMARK(BM_Send1GB_ClientObject)->UseRealTime()->Unit(benchmark::kMillisecond)->MinTime(3);

} // namespace

BENCHMARK_MAIN();
