// Fuzzes the receive loop: the input is what a peer sends on a link,
// read through a socket pair by the same loop and client callback a real
// link uses (framing, hostile lengths, file frames into "UP_" files, text
// and value frames). The first byte picks the framing: odd for the 12-byte
// header, even for the bare length. The socket enters the link table and
// gets its reader there, as a connected client's does, since the callback
// finds the link through the table; the loop then runs in place.
#include "conduit/client/zeltclient.h"
#include "conduit/link/linktable.h"
#include "conduit/link/receiveloop.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// Takes whatever comes and renames nothing, so received files stay listed
// until the link ends and are deleted then.
class QuietSink final : public CZELTSessionSink {
public:
    int OnConnected() override { return 0; }
    int OnDisconnected() override { return 0; }
    int OnMessage(const void *data, uint32_t length, uint32_t, uint32_t) override
    {
        // Touch every byte and the terminating NUL the loop promises.
        const auto *bytes = static_cast<const uint8_t *>(data);
        volatile uint8_t sum = 0;
        for (uint32_t i = 0; i <= length; ++i)
            sum = sum + bytes[i];
        return 0;
    }
    int OnFileReceived(const char *, uint32_t, char *, int) override { return 0; }
    int OnStringMessage(const char *text, uint32_t) override { return std::strlen(text) > 0xFFFFFFFF; }
    int OnValueMessage(const void *payload) override
    {
        uint32_t value;
        std::memcpy(&value, payload, sizeof value);
        return 0;
    }
    int OnTimeout(int) override { return 1; }
    int OnSendProgress(uint32_t, uint32_t) override { return 0; }
};

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    static std::string folder = [] {
        char pattern[] = "/tmp/conduit-fuzz-XXXXXX";
        return std::string(mkdtemp(pattern));
    }();
    setenv("TMPDIR", folder.c_str(), 1);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // The whole input must fit the socket buffer, since it is written
    // before the loop reads.
    if (size < 1 || size > 65536)
        return 0;
    int ends[2];
    if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends) != 0)
        return 0;
    int bufferSize = 1 << 20;
    setsockopt(ends[1], SOL_SOCKET, SO_SNDBUF, &bufferSize, sizeof bufferSize);
    const int protocol = data[0] % 2 ? 2 : 1;
    size_t written = 0;
    while (written < size - 1) {
        ssize_t n = ::write(ends[1], data + 1 + written, size - 1 - written);
        if (n <= 0)
            break;
        written += static_cast<size_t>(n);
    }
    ::close(ends[1]);
    CLinkTable &table = CLinkTable::instance();
    table.add(ends[0]);
    std::shared_ptr<CLink> link = table.attachReader(static_cast<uintptr_t>(ends[0]));
    if (!link)
        std::abort(); // a fresh socket has no reader yet
    QuietSink sink;
    sink.m_protocol = static_cast<uint32_t>(protocol);
    sink.m_socket = static_cast<uintptr_t>(ends[0]);
    // Ends the link: out of the table, files deleted, socket closed.
    CReceiveLoop(std::move(link), &sink, &CZeltClient::ReceiveCallback, protocol).run();
    if (table.find(static_cast<uintptr_t>(ends[0])))
        std::abort();
    return 0;
}
