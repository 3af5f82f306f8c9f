// The plain functions Conduit exports with C linkage, for callers that use
// the link without COM. Errors are returned, never thrown.
#pragma once

#include <cstdint>

#include "platform/com/unknwn.h"

// Everything declared here is exported from libConduit.so.
#pragma GCC visibility push(default)
extern "C" {

// dataOrEvent is a payload pointer, or an event number from 0 to 15.
typedef int (*ConduitCallback)(uintptr_t dataOrEvent, uint32_t length, void *context, uint32_t typeOrError,
                               uint32_t extra);

uintptr_t ConnectToServer(const char *host, int port, int *timeoutInErrorOut, uint32_t *serverAddress);
int RunClient(uintptr_t socket, void *context, ConduitCallback cb, int protocol);
int ClientSend(uintptr_t socket, const void *data, uint32_t length, int type, uint32_t extra);
int StopClient(uintptr_t socket);
void *GetFileData(const char *path, int *out); // release with free()

char *MD5String(const void *data, uint32_t length, char *out33);
char *MD5File(const char *path, char *out33); // NULL when the file can't be opened

typedef int (*Code64Reader)(void *buffer, int maximum, void *context);
typedef void (*Code64Writer)(const void *buffer, int count, void *context);
int Code64Encode(Code64Reader reader, Code64Writer writer, const char *separator, void *context);
int Code64Decode(Code64Reader reader, Code64Writer writer, void *context);
int Code64FileEncode(const char *in, const char *out, const char *prefix, const char *suffix,
                     const char *separator);
int Code64FileDecode(const char *in, const char *out, uint32_t unused);

typedef int (*ZeltServerCallback)(uintptr_t dataOrEvent, uint32_t length, uint32_t typeOrError,
                                  uint32_t extra, uint32_t threadId, void *connection);
typedef int (*LineServerCallback)(uintptr_t lineOrEvent, uint32_t length, char **reply, uint32_t *replyLength,
                                  uint32_t threadId, void *connection, void *event, void *semaphore);

// 0, 1 (accept thread not started) or the Winsock error (10048 port in use).
int StartZELTServer(int port, ZeltServerCallback cb, void **listener, int timeoutMs, int connectionLimit,
                    int inputLimit, void *context);
int StartServer(int port, LineServerCallback cb, void **listener, int timeoutMs, int connectionLimit,
                int inputLimit, void *context);
int StopServer(void *listener);
void *SetTimeout(void *listener, int ms);
void FreeServer(void *listener);

HRESULT DllGetClassObject(const CLSID *clsid, const IID *iid, void **out);
HRESULT DllCanUnloadNow(void);
HRESULT DllRegisterServer(void);
HRESULT DllUnregisterServer(void);
}
#pragma GCC visibility pop
