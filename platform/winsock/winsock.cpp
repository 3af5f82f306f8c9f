// Per-thread Winsock error numbers; see winsock.h.
#include "winsock.h"

#include <cerrno>
#include <netdb.h>

namespace {
thread_local int t_lastError = 0;
}

int WSAGetLastError() { return t_lastError; }

void WSASetLastError(int error) { t_lastError = error; }

int WsaErrorFromErrno(int posixError)
{
    switch (posixError) {
    case 0: return 0;
    case EINTR: return WSAEINTR;
    case EBADF: return WSAEBADF;
    case EACCES: return WSAEACCES;
    case EFAULT: return WSAEFAULT;
    case EINVAL: return WSAEINVAL;
    case EMFILE: case ENFILE: return WSAEMFILE;
    case EAGAIN: return WSAETIMEDOUT; // what SO_RCVTIMEO/SO_SNDTIMEO expiry looks like
    case EINPROGRESS: return WSAEINPROGRESS;
    case ENOTSOCK: return WSAENOTSOCK;
    case EMSGSIZE: return WSAEMSGSIZE;
    case EADDRINUSE: return WSAEADDRINUSE;
    case EADDRNOTAVAIL: return WSAEADDRNOTAVAIL;
    case ENETDOWN: return WSAENETDOWN;
    case ENETUNREACH: return WSAENETUNREACH;
    case ECONNABORTED: return WSAECONNABORTED;
    case ECONNRESET: case EPIPE: return WSAECONNRESET;
    case ENOBUFS: case ENOMEM: return WSAENOBUFS;
    case ENOTCONN: return WSAENOTCONN;
    case ESHUTDOWN: return WSAESHUTDOWN;
    case ETIMEDOUT: return WSAETIMEDOUT;
    case ECONNREFUSED: return WSAECONNREFUSED;
    case EHOSTUNREACH: return WSAEHOSTUNREACH;
    default: return posixError;
    }
}

int WsaErrorFromAddrInfo(int gaiError)
{
    switch (gaiError) {
    case 0: return 0;
    case EAI_AGAIN: return WSATRY_AGAIN;
    case EAI_FAIL: return WSANO_RECOVERY;
    case EAI_SYSTEM: return WsaErrorFromErrno(errno);
#ifdef EAI_NODATA
    case EAI_NODATA: return WSANO_DATA;
#endif
    default: return WSAHOST_NOT_FOUND;
    }
}

int WsaSetLastErrorFromErrno()
{
    t_lastError = WsaErrorFromErrno(errno);
    return t_lastError;
}
