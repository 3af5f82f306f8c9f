// The plain listener functions: start a framed or a text-line listener,
// stop accepting, change the time-out, free the listener.
#include "conduit/exports.h"

#include "listener.h"

#include "platform/winsock/winsock.h"

extern "C" {

int StartZELTServer(int port, ZeltServerCallback cb, void **listener, int timeoutMs, int connectionLimit,
                    int inputLimit, void *context)
{
    if (!listener || !cb)
        return WSAEFAULT;
    ConduitListenerRecord *record = nullptr;
    int result = CListener::start(CListener::Kind::Framed, port, reinterpret_cast<void *>(cb), timeoutMs,
                                  connectionLimit, inputLimit, context, &record);
    *listener = record;
    return result;
}

int StartServer(int port, LineServerCallback cb, void **listener, int timeoutMs, int connectionLimit,
                int inputLimit, void *context)
{
    if (!listener || !cb)
        return WSAEFAULT;
    ConduitListenerRecord *record = nullptr;
    int result = CListener::start(CListener::Kind::Lines, port, reinterpret_cast<void *>(cb), timeoutMs,
                                  connectionLimit, inputLimit, context, &record);
    *listener = record;
    return result;
}

int StopServer(void *listener)
{
    CListener *found = CListener::fromRecord(listener);
    if (!found) {
        WSASetLastError(WSAENOTSOCK);
        return SOCKET_ERROR;
    }
    return found->stopAccepting();
}

void *SetTimeout(void *listener, int ms)
{
    CListener *found = CListener::fromRecord(listener);
    if (found)
        found->setTimeout(ms);
    return listener;
}

void FreeServer(void *listener)
{
    if (CListener *found = CListener::fromRecord(listener))
        found->free();
}

} // extern "C"
