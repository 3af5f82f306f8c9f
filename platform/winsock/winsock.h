// Winsock's error numbers over POSIX sockets. The error of the last failed
// socket call is kept per thread, as WSAGetLastError reports it, so that the
// numbers the callers test (10060 time-out, 10061 refused, ...) survive on
// Linux.
#pragma once

#include <cstdint>

using SOCKET = uintptr_t;
constexpr SOCKET INVALID_SOCKET = ~SOCKET(0);
constexpr int SOCKET_ERROR = -1;

enum : int {
    WSAEINTR = 10004,
    WSAEBADF = 10009,
    WSAEACCES = 10013,
    WSAEFAULT = 10014,
    WSAEINVAL = 10022,
    WSAEMFILE = 10024,
    WSAEWOULDBLOCK = 10035,
    WSAEINPROGRESS = 10036,
    WSAENOTSOCK = 10038,
    WSAEMSGSIZE = 10040,
    WSAEADDRINUSE = 10048,
    WSAEADDRNOTAVAIL = 10049,
    WSAENETDOWN = 10050,
    WSAENETUNREACH = 10051,
    WSAECONNABORTED = 10053,
    WSAECONNRESET = 10054,
    WSAENOBUFS = 10055,
    WSAENOTCONN = 10057,
    WSAESHUTDOWN = 10058,
    WSAETIMEDOUT = 10060,
    WSAECONNREFUSED = 10061,
    WSAEHOSTUNREACH = 10065,
    WSAHOST_NOT_FOUND = 11001,
    WSATRY_AGAIN = 11002,
    WSANO_RECOVERY = 11003,
    WSANO_DATA = 11004,
};

int WSAGetLastError();
void WSASetLastError(int error);

// The Winsock number for a POSIX errno value (0 stays 0; an unknown value
// keeps its number so nothing is lost).
int WsaErrorFromErrno(int posixError);
// The Winsock number for a getaddrinfo() result.
int WsaErrorFromAddrInfo(int gaiError);
// Sets the calling thread's error from errno and returns it.
int WsaSetLastErrorFromErrno();
