// The utility interface: digests, base64 over streams, handles and files, a
// seeded letter scrambler, and buffer encryption with a text form.
#pragma once

#include <cstdint>

#include "conduit/code64stream.h"
#include "conduit/ids.h"

struct IConduitUtil : IUnknown {
    virtual HRESULT MD5String(const void *data, uint32_t length, char *out33) = 0;
    virtual HRESULT MD5File(const char *path, char *out33) = 0;
    virtual HRESULT Code64EncodeStream(CCode64Stream *stream, void *cookie) = 0;
    virtual HRESULT Code64DecodeStream(CCode64Stream *stream, void *cookie) = 0;
    virtual HRESULT Code64EncodeHandle(intptr_t in, uint32_t limit, intptr_t out) = 0;
    virtual HRESULT Code64EncodeFile(const char *inPath, const char *outPath) = 0;
    virtual HRESULT Code64DecodeHandle(intptr_t in, uint32_t limit, intptr_t out) = 0;
    virtual HRESULT Code64DecodeFile(const char *inPath, const char *outPath) = 0;
    virtual HRESULT ScrambleText(const char *seed, const char *in, char *out, int size, int direction) = 0;
    virtual HRESULT EncryptData(const void *key, uint32_t keyLength, const void *in, uint32_t inLength,
                                void *out, uint32_t *outSize, int *success) = 0;
    virtual HRESULT EncryptToText(const char *key, const char *in, char *out, int size, int *success) = 0;
    virtual HRESULT DecryptData(const void *key, uint32_t keyLength, const void *in, uint32_t inLength,
                                void *out, uint32_t *outSize, int *success) = 0;
    virtual HRESULT DecryptFromText(const char *key, const char *text, char *out, int size, int *success) = 0;

protected:
    ~IConduitUtil() = default;
};
