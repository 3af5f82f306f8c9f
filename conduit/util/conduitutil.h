// CConduitUtil: the utility object the class factory makes for
// IID_IConduitUtil. It holds nothing but its reference count; every
// operation works on what it is given, so any thread may call it.
#pragma once

#include <atomic>

#include "conduit/iconduitutil.h"

class CConduitUtil final : public IConduitUtil {
public:
    // Starts with no reference: whoever makes it takes the first one
    // through QueryInterface or AddRef.
    CConduitUtil() = default;
    CConduitUtil(const CConduitUtil &) = delete;
    CConduitUtil &operator=(const CConduitUtil &) = delete;

    HRESULT QueryInterface(const IID *iid, void **out) override;
    ULONG AddRef() override;
    ULONG Release() override;

    HRESULT MD5String(const void *data, uint32_t length, char *out33) override;
    HRESULT MD5File(const char *path, char *out33) override;
    HRESULT Code64EncodeStream(CCode64Stream *stream, void *cookie) override;
    HRESULT Code64DecodeStream(CCode64Stream *stream, void *cookie) override;
    HRESULT Code64EncodeHandle(intptr_t in, uint32_t limit, intptr_t out) override;
    HRESULT Code64EncodeFile(const char *inPath, const char *outPath) override;
    HRESULT Code64DecodeHandle(intptr_t in, uint32_t limit, intptr_t out) override;
    HRESULT Code64DecodeFile(const char *inPath, const char *outPath) override;
    HRESULT ScrambleText(const char *seed, const char *in, char *out, int size, int direction) override;
    HRESULT EncryptData(const void *key, uint32_t keyLength, const void *in, uint32_t inLength, void *out,
                        uint32_t *outSize, int *success) override;
    HRESULT EncryptToText(const char *key, const char *in, char *out, int size, int *success) override;
    HRESULT DecryptData(const void *key, uint32_t keyLength, const void *in, uint32_t inLength, void *out,
                        uint32_t *outSize, int *success) override;
    HRESULT DecryptFromText(const char *key, const char *text, char *out, int size, int *success) override;

private:
    ~CConduitUtil() = default; // only Release deletes

    HRESULT runOverHandles(bool encoding, intptr_t in, uint32_t limit, intptr_t out, int mode);
    HRESULT runOverFiles(bool encoding, const char *inPath, const char *outPath, int mode);

    std::atomic<ULONG> m_references{0};
};
