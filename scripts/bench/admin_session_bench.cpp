// The session's cost on the wire, against a small fast peer written here
// (not the Tcl simulator, whose own time would swamp the figures):
// - one command's round trip through Execute, beside a plain blocking socket
//   client doing the same framed exchange (the bound: 1.5 times);
// - eight threads sending 10 000 commands each through one session, every
//   one answered, with the throughput.
// Conduit is reached as the programs reach it: registered in a private
// registry store and loaded through the stand-in COM.
#include "admin/session/zeltsession.h"
#include "platform/com/unknwn.h"

#include <benchmark/benchmark.h>

#include <QTemporaryDir>

#include <arpa/inet.h>
#include <dlfcn.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace {

bool readExactly(int socket, char *buffer, size_t length)
{
    size_t done = 0;
    while (done < length) {
        const ssize_t n = ::recv(socket, buffer + done, length - done, 0);
        if (n <= 0)
            return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

bool writeAll(int socket, const char *data, size_t length)
{
    size_t done = 0;
    while (done < length) {
        const ssize_t n = ::send(socket, data + done, length - done, MSG_NOSIGNAL);
        if (n <= 0)
            return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

std::string frame(uint32_t extra, const std::string &payload)
{
    std::string bytes(12, '\0');
    bytes[1] = 1;
    const uint32_t length = static_cast<uint32_t>(payload.size());
    std::memcpy(&bytes[4], &length, 4); // little-endian host
    std::memcpy(&bytes[8], &extra, 4);
    return bytes + payload;
}

// Reads one frame; false when the link ended.
bool readFrame(int socket, uint32_t &extra, std::string &payload)
{
    char header[12];
    if (!readExactly(socket, header, sizeof header))
        return false;
    uint32_t length = 0;
    std::memcpy(&length, header + 4, 4);
    std::memcpy(&extra, header + 8, 4);
    payload.resize(length);
    return readExactly(socket, payload.data(), length);
}

void noDelay(int socket)
{
    const int yes = 1;
    setsockopt(socket, IPPROTO_TCP, TCP_NODELAY, &yes, sizeof yes);
}

// Greets, takes any login, then answers every command with itself.
class FastPeer {
public:
    FastPeer()
    {
        m_listener = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        while (m_port % 2 == 0) { // odd port: the 12-byte header framing
            ::close(m_listener);
            m_listener = ::socket(AF_INET, SOCK_STREAM, 0);
            address.sin_port = 0;
            if (::bind(m_listener, reinterpret_cast<sockaddr *>(&address), sizeof address) != 0)
                throw std::runtime_error("bind");
            socklen_t size = sizeof address;
            getsockname(m_listener, reinterpret_cast<sockaddr *>(&address), &size);
            m_port = ntohs(address.sin_port);
        }
        ::listen(m_listener, 16);
        m_acceptor = std::thread([this] {
            for (;;) {
                const int link = ::accept(m_listener, nullptr, nullptr);
                if (link < 0)
                    return;
                noDelay(link);
                std::thread(serve, link).detach();
            }
        });
    }
    int port() const { return m_port; }

private:
    static void serve(int link)
    {
        uint32_t extra = 0;
        std::string payload;
        const std::string greeting = frame(0, "VREADY a b UTC");
        if (!writeAll(link, greeting.data(), greeting.size()) || !readFrame(link, extra, payload)) {
            ::close(link);
            return;
        }
        const std::string confirmation = frame(0, "VCONNECTED");
        writeAll(link, confirmation.data(), confirmation.size());
        while (readFrame(link, extra, payload)) {
            const std::string reply = frame(extra, payload);
            if (!writeAll(link, reply.data(), reply.size()))
                break;
        }
        ::close(link);
    }

    int m_listener = -1;
    int m_port = 0;
    std::thread m_acceptor;
};

struct Environment {
    Environment()
    {
        setenv("XDG_CONFIG_HOME", folder.path().toLocal8Bit().constData(), 1);
        setenv("TMPDIR", folder.path().toLocal8Bit().constData(), 1);
        void *library = dlopen(CONDUIT_LIBRARY_PATH, RTLD_NOW | RTLD_LOCAL);
        auto registerServer =
            library ? reinterpret_cast<HRESULT (*)()>(dlsym(library, "DllRegisterServer")) : nullptr;
        if (!registerServer || registerServer() != S_OK)
            throw std::runtime_error("Conduit could not be registered");
        CSessionSettings settings;
        settings.port = peer.port();
        session = std::make_unique<CZELTSession>(settings);
        session->Connect(CLoginCredentials{"127.0.0.1", "bench", "bench"});
    }
    QTemporaryDir folder;
    FastPeer peer;
    std::unique_ptr<CZELTSession> session;
};

Environment &environment()
{
    static Environment *shared = new Environment; // lives until the process ends
    return *shared;
}

void PlainSocketRoundTrip(benchmark::State &state)
{
    const int link = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(static_cast<uint16_t>(environment().peer.port()));
    if (::connect(link, reinterpret_cast<sockaddr *>(&address), sizeof address) != 0) {
        state.SkipWithError("connect");
        return;
    }
    noDelay(link);
    uint32_t extra = 0;
    std::string payload;
    readFrame(link, extra, payload); // greeting
    const std::string login = frame(0, "LOGIN {bench} 0123456789ABCDEF0123456789ABCDEF");
    writeAll(link, login.data(), login.size());
    readFrame(link, extra, payload); // confirmation
    uint32_t transaction = 0;
    for (auto _ : state) {
        const std::string command = frame(++transaction, "Echo 1");
        writeAll(link, command.data(), command.size());
        readFrame(link, extra, payload);
        benchmark::DoNotOptimize(payload);
    }
    ::close(link);
}
BENCHMARK(PlainSocketRoundTrip)->Unit(benchmark::kMicrosecond);

void SessionExecuteRoundTrip(benchmark::State &state)
{
    CZELTSession &session = *environment().session;
    for (auto _ : state) {
        QString reply = session.Execute("Echo 1");
        benchmark::DoNotOptimize(reply);
    }
}
BENCHMARK(SessionExecuteRoundTrip)->Unit(benchmark::kMicrosecond);

void SessionEightThreadsTenThousandEach(benchmark::State &state)
{
    constexpr int kThreads = 8;
    constexpr int kCommands = 10000;
    CZELTSession &session = *environment().session;
    int64_t answered = 0;
    for (auto _ : state) {
        std::atomic<int64_t> right{0};
        std::vector<std::thread> threads;
        for (int t = 0; t < kThreads; ++t)
            threads.emplace_back([&, t] {
                for (int i = 0; i < kCommands; ++i) {
                    const QString tag = QString::number(t * kCommands + i);
                    if (session.Execute("Echo " + tag) == tag)
                        ++right;
                }
            });
        for (std::thread &thread : threads)
            thread.join();
        answered += right.load();
        if (right.load() != kThreads * kCommands)
            state.SkipWithError("not every command was answered with its own reply");
    }
    state.SetItemsProcessed(answered);
    state.counters["answered"] = static_cast<double>(answered);
}
BENCHMARK(SessionEightThreadsTenThousandEach)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
