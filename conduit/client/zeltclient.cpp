// See zeltclient.h. Every method answers S_OK or CONDUIT_E_FAIL; failures
// leave their reason in the calling thread's Winsock error.
#include "zeltclient.h"

#include "conduit/com/module.h"
#include "conduit/exports.h"
#include "conduit/link/fileframereceiver.h"
#include "conduit/link/linktable.h"
#include "conduit/link/receiveloop.h"
#include "conduit/link/tempfilelist.h"
#include "conduit/link/zeltmessageheader.h"

#include "platform/winsock/winsock.h"

#include <algorithm>
#include <cassert>
#include <cstdlib>
#include <memory>
#include <netdb.h>
#include <netinet/in.h>
#include <unistd.h>

namespace {

// File bytes go in pieces so the sink sees progress on a long transfer.
constexpr size_t kFileChunk = 256 * 1024;

struct FreeDeleter {
    void operator()(void *p) const { std::free(p); }
};

// The sink's field block shows the link's list of received files; the link
// owns it and deletes it when it ends. A callback result that ends the link
// therefore needs nothing more from the sink, which may be gone by then.
void showReceivedFiles(CZELTSessionSink *sink, CLink &link)
{
    CTempFileList(sink->m_tempFiles, sink->m_tempFileCapacity, sink->m_tempFileCount)
        .showSameAs(link.receivedFiles());
}

void showNoReceivedFiles(CZELTSessionSink *sink)
{
    sink->m_tempFiles = nullptr;
    sink->m_tempFileCapacity = 0;
    sink->m_tempFileCount = 0;
}

} // namespace

bool LocalHostAddress(uint32_t *address)
{
    char name[256] = {};
    if (gethostname(name, sizeof name - 1) != 0)
        return false;
    addrinfo hints{};
    hints.ai_family = AF_INET;
    addrinfo *found = nullptr;
    if (getaddrinfo(name, nullptr, &hints, &found) != 0)
        return false;
    *address = reinterpret_cast<sockaddr_in *>(found->ai_addr)->sin_addr.s_addr;
    freeaddrinfo(found);
    return true;
}

HRESULT CZeltClient::QueryInterface(const IID *iid, void **out)
{
    if (!out)
        return E_POINTER;
    *out = nullptr;
    if (!iid || !(*iid == IID_IUnknown || *iid == IID_IZeltClient))
        return E_NOINTERFACE;
    *out = static_cast<IZeltClient *>(this);
    AddRef();
    return S_OK;
}

ULONG CZeltClient::AddRef()
{
    ConduitModule::objectReferenced();
    return ++m_refCount;
}

ULONG CZeltClient::Release()
{
    ConduitModule::objectReleased();
    ULONG left = --m_refCount;
    if (left == 0)
        delete this;
    return left;
}

HRESULT CZeltClient::Connect(const char *host, int port, int timeoutMs, CZELTSessionSink *sink)
{
    // One object, one link: a second Connect would orphan the first.
    if (!sink || m_sink)
        return CONDUIT_E_FAIL;
    sink->m_protocol = port % 2 != 0 ? 2 : 1;
    int timeoutOrError = timeoutMs;
    uintptr_t socket = ConnectToServer(host, port, &timeoutOrError, &sink->m_serverAddress);
    sink->m_socket = socket;
    if (socket == 0)
        return CONDUIT_E_FAIL;
    // Ready before the receive thread starts: a sink may answer from its
    // first callback on, before this call has returned.
    m_sink = sink;
    m_link = CLinkTable::instance().find(socket);
    if (!RunClient(socket, sink, &CZeltClient::ReceiveCallback, static_cast<int>(sink->m_protocol))) {
        StopClient(socket); // nobody else would ever close it
        m_link.reset();
        m_sink = nullptr;
        return CONDUIT_E_FAIL;
    }
    return S_OK;
}

HRESULT CZeltClient::GetLocalAddress(uint32_t *address)
{
    if (address)
        LocalHostAddress(address);
    return S_OK;
}

HRESULT CZeltClient::GetServerAddress(uint32_t *address)
{
    if (!m_sink || !address)
        return CONDUIT_E_FAIL;
    *address = m_sink->m_serverAddress;
    return S_OK;
}

HRESULT CZeltClient::Send(const void *data, uint32_t length, int type, uint32_t extra, uint32_t *sent)
{
    if (sent)
        *sent = 0;
    if (!m_link || (!data && length > 0))
        return CONDUIT_E_FAIL;
    uint8_t header[ZeltMessageHeader::kSize];
    size_t headerSize = ZeltMessageHeader::kLengthOnlySize;
    if (m_sink->m_protocol == 2) {
        ZeltMessageHeader frame;
        frame.type = static_cast<uint8_t>(type);
        frame.length = length;
        frame.extra = extra;
        frame.encode(header);
        headerSize = ZeltMessageHeader::kSize;
    } else {
        putLittleEndian32(header, length);
    }
    return m_link->sendFrame(header, headerSize, data, length, sent) ? S_OK : CONDUIT_E_FAIL;
}

HRESULT CZeltClient::SendFile(const char *path, uint32_t senderValue, uint32_t extra)
{
    if (!m_link || m_sink->m_protocol != 2)
        return CONDUIT_E_FAIL;
    int size = 0;
    std::unique_ptr<uint8_t, FreeDeleter> bytes(static_cast<uint8_t *>(GetFileData(path, &size)));
    if (!bytes)
        return CONDUIT_E_FAIL;
    const auto total = static_cast<uint32_t>(size);
    ZeltMessageHeader frame;
    frame.type = ZELT_TYPE_FILE;
    frame.length = total + static_cast<uint32_t>(ZeltFileHeader::kPrefixSize); // size <= INT32_MAX: no wrap
    frame.extra = extra;
    uint8_t header[ZeltFileHeader::kSize];
    frame.encode(header);
    putLittleEndian32(header + ZeltMessageHeader::kSize, senderValue);
    putLittleEndian32(header + ZeltMessageHeader::kSize + 4, total);

    // The whole frame under the send lock: an answer of the receive thread
    // must not land inside it. OnSendProgress runs under it too, so the sink
    // must not send on this link from there.
    auto sending = m_link->lockSending();
    if (!m_link->sendAllLocked(header, sizeof header))
        return CONDUIT_E_FAIL;
    m_sink->OnSendProgress(total, 0);
    size_t done = 0;
    while (done < total) {
        size_t piece = std::min(kFileChunk, total - done);
        if (!m_link->sendAllLocked(bytes.get() + done, piece))
            return CONDUIT_E_FAIL;
        done += piece;
        m_sink->OnSendProgress(total, static_cast<uint32_t>(done));
    }
    return S_OK;
}

HRESULT CZeltClient::Disconnect()
{
    if (!m_link)
        return CONDUIT_E_FAIL;
    m_link->stop(); // the receive thread sees the end, closes and reports event 3
    return S_OK;
}

HRESULT CZeltClient::GetLastError(int *error)
{
    if (error)
        *error = WSAGetLastError();
    return S_OK;
}

int CZeltClient::ReceiveCallback(uintptr_t dataOrEvent, uint32_t length, void *context, uint32_t typeOrError,
                                 uint32_t extra)
{
    auto *sink = static_cast<CZELTSessionSink *>(context);
    sink->m_lastType = typeOrError;
    sink->m_lastExtra = extra;
    if (dataOrEvent == ZELT_EVENT_STARTED || dataOrEvent > ZELT_EVENT_LAST) {
        // The link is in the table for as long as frames come.
        std::shared_ptr<CLink> link = CLinkTable::instance().find(sink->m_socket);
        assert(link);
        if (dataOrEvent == ZELT_EVENT_STARTED) {
            link->receivedFiles().create();
            showReceivedFiles(sink, *link);
            return sink->OnConnected();
        }
        return deliverFrame(sink, *link, reinterpret_cast<const uint8_t *>(dataOrEvent), length, typeOrError,
                            extra);
    }
    switch (dataOrEvent) {
    case ZELT_EVENT_IDLE_TIMEOUT:
        return sink->OnTimeout(ZELT_TIMEOUT_BEFORE_FRAME);
    case ZELT_EVENT_FRAME_TIMEOUT:
        return sink->OnTimeout(ZELT_TIMEOUT_INSIDE_FRAME);
    default:
        // An end event: closing the link deleted the files and the list.
        showNoReceivedFiles(sink);
        return sink->OnDisconnected();
    }
}

int CZeltClient::deliverFrame(CZELTSessionSink *sink, CLink &link, const uint8_t *payload, uint32_t length,
                              uint32_t type, uint32_t extra)
{
    switch (type) {
    case ZELT_TYPE_VALUE:
        // The sink reads a 32-bit value: a shorter payload is not one.
        if (length < sizeof(uint32_t))
            return 0;
        return sink->OnValueMessage(payload);
    case ZELT_TYPE_TEXT:
        sink->OnStringMessage(reinterpret_cast<const char *>(payload), extra);
        return 0;
    case ZELT_TYPE_FILE: {
        CTempFileList list = link.receivedFiles();
        CFileFrameReceiver::receive(payload, length, list, &link, 0,
                                    [sink, &link](const char *temp, uint32_t sender, char *buffer, int size) {
                                        showReceivedFiles(sink, link);
                                        sink->OnFileReceived(temp, sender, buffer, size);
                                    });
        showReceivedFiles(sink, link);
        return 0;
    }
    default:
        return sink->OnMessage(payload, length, type, extra);
    }
}
