// The utility object's operations. Base64 over streams, handles and files
// runs the codec of conduit/codec through CFileStream; failures of the coder
// and of the file I/O under it are reported, never turned into success.
// The cipher operations refuse what does not fit instead of cutting it: an
// output too small fails and says the size it needs.
#include "conduitutil.h"

#include <climits>
#include <cstring>
#include <fcntl.h>
#include <openssl/crypto.h>
#include <string>
#include <unistd.h>

#include "conduit/codec/code64codec.h"
#include "conduit/com/module.h"
#include "conduit/exports.h"
#include "conduit/util/filestream.h"
#include "conduit/util/letterscrambler.h"
#include "conduit/util/rc2cipher.h"

namespace {

// The biggest cipher text the text forms take apart: the text of 2048 bytes.
constexpr size_t textFormBytes = 2048;
constexpr size_t maxTextFormLength = Code64Codec::encodedLength(textFormBytes);

struct StreamAdapter {
    CCode64Stream *stream;
    void *cookie;

    static int read(void *buffer, int maximum, void *context)
    {
        auto *self = static_cast<StreamAdapter *>(context);
        return self->stream->Read(buffer, maximum, self->cookie);
    }
    static void write(const void *buffer, int count, void *context)
    {
        auto *self = static_cast<StreamAdapter *>(context);
        self->stream->Write(buffer, count, self->cookie);
    }
};

class Descriptor {
public:
    explicit Descriptor(int fd) : m_fd(fd) {}
    ~Descriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Descriptor(const Descriptor &) = delete;
    Descriptor &operator=(const Descriptor &) = delete;
    int get() const { return m_fd; }

private:
    int m_fd;
};

bool isDescriptor(intptr_t handle)
{
    return handle >= 0 && handle <= INT_MAX;
}

void setFlag(int *flag, int value)
{
    if (flag != nullptr)
        *flag = value;
}

void clearText(char *out, int size)
{
    if (out != nullptr && size > 0)
        out[0] = '\0';
}

} // namespace

HRESULT CConduitUtil::QueryInterface(const IID *iid, void **out)
{
    if (out == nullptr)
        return E_POINTER;
    *out = nullptr;
    if (iid == nullptr || !(*iid == IID_IUnknown || *iid == IID_IConduitUtil))
        return E_NOINTERFACE;
    *out = static_cast<IConduitUtil *>(this);
    AddRef();
    return S_OK;
}

ULONG CConduitUtil::AddRef()
{
    ConduitModule::objectReferenced();
    return ++m_references;
}

ULONG CConduitUtil::Release()
{
    ULONG left = --m_references;
    ConduitModule::objectReleased();
    if (left == 0)
        delete this;
    return left;
}

HRESULT CConduitUtil::MD5String(const void *data, uint32_t length, char *out33)
{
    return ::MD5String(data, length, out33) != nullptr ? S_OK : CONDUIT_E_FAIL;
}

HRESULT CConduitUtil::MD5File(const char *path, char *out33)
{
    return ::MD5File(path, out33) != nullptr ? S_OK : CONDUIT_E_FAIL;
}

HRESULT CConduitUtil::Code64EncodeStream(CCode64Stream *stream, void *cookie)
{
    if (stream == nullptr)
        return CONDUIT_E_FAIL;
    StreamAdapter adapter{stream, cookie};
    int result = Code64Codec::encodeStream(StreamAdapter::read, StreamAdapter::write, nullptr, &adapter);
    return result == 0 ? S_OK : CONDUIT_E_FAIL;
}

HRESULT CConduitUtil::Code64DecodeStream(CCode64Stream *stream, void *cookie)
{
    if (stream == nullptr)
        return CONDUIT_E_FAIL;
    StreamAdapter adapter{stream, cookie};
    int result = Code64Codec::decodeStream(StreamAdapter::read, StreamAdapter::write, &adapter);
    return result == 0 ? S_OK : CONDUIT_E_FAIL;
}

HRESULT CConduitUtil::runOverHandles(bool encoding, intptr_t in, uint32_t limit, intptr_t out, int mode)
{
    if (!isDescriptor(in) || !isDescriptor(out))
        return CONDUIT_E_FAIL;
    CFileStream stream(mode, int(in), int(out), limit);
    HRESULT result = encoding ? Code64EncodeStream(&stream, nullptr) : Code64DecodeStream(&stream, nullptr);
    return SUCCEEDED(result) && !stream.failed() ? S_OK : CONDUIT_E_FAIL;
}

HRESULT CConduitUtil::runOverFiles(bool encoding, const char *inPath, const char *outPath, int mode)
{
    if (inPath == nullptr || outPath == nullptr)
        return CONDUIT_E_FAIL;
    Descriptor in(::open(inPath, O_RDONLY | O_CLOEXEC));
    if (in.get() < 0)
        return CONDUIT_E_FAIL;
    // Kept if present: the end of file is set where the text ends.
    Descriptor out(::open(outPath, O_WRONLY | O_CREAT | O_CLOEXEC, 0666));
    if (out.get() < 0)
        return CONDUIT_E_FAIL;
    HRESULT result = runOverHandles(encoding, in.get(), 0, out.get(), mode);
    off_t end = lseek(out.get(), 0, SEEK_CUR);
    if (end < 0 || ftruncate(out.get(), end) != 0)
        return CONDUIT_E_FAIL;
    return result;
}

HRESULT CConduitUtil::Code64EncodeHandle(intptr_t in, uint32_t limit, intptr_t out)
{
    return runOverHandles(true, in, limit, out, CFileStream::ReadLimited);
}

HRESULT CConduitUtil::Code64EncodeFile(const char *inPath, const char *outPath)
{
    return runOverFiles(true, inPath, outPath, CFileStream::ReadAll);
}

HRESULT CConduitUtil::Code64DecodeHandle(intptr_t in, uint32_t limit, intptr_t out)
{
    return runOverHandles(false, in, limit, out, CFileStream::ReadLimitedSkippingLineBreaks);
}

HRESULT CConduitUtil::Code64DecodeFile(const char *inPath, const char *outPath)
{
    return runOverFiles(false, inPath, outPath, CFileStream::ReadAllSkippingLineBreaks);
}

HRESULT CConduitUtil::ScrambleText(const char *seed, const char *in, char *out, int size, int direction)
{
    if (in == nullptr || out == nullptr || size <= 0)
        return CONDUIT_E_FAIL;
    clearText(out, size);
    std::string_view input(in);
    LetterScrambler scrambler(seed);
    std::string result;
    if (direction != 0) {
        result = scrambler.scramble(input);
    } else {
        std::optional<std::string> bytes = scrambler.unscramble(input);
        if (!bytes)
            return CONDUIT_E_FAIL;
        result = std::move(*bytes);
    }
    if (result.size() >= size_t(size))
        return CONDUIT_E_FAIL;
    std::memcpy(out, result.data(), result.size());
    out[result.size()] = '\0';
    return S_OK;
}

HRESULT CConduitUtil::EncryptData(const void *key, uint32_t keyLength, const void *in, uint32_t inLength,
                                  void *out, uint32_t *outSize, int *success)
{
    setFlag(success, 0);
    if (outSize == nullptr || (key == nullptr && keyLength != 0) || (in == nullptr && inLength != 0) ||
        inLength > Rc2Cipher::MaxPlainLength)
        return CONDUIT_E_FAIL;
    size_t needed = Rc2Cipher::cipherLength(inLength);
    if (*outSize < needed || out == nullptr) {
        *outSize = uint32_t(needed);
        return CONDUIT_E_FAIL;
    }
    auto cipher = Rc2Cipher::fromKeyText(key, keyLength).encrypt(static_cast<const uint8_t *>(in), inLength);
    if (!cipher)
        return CONDUIT_E_FAIL;
    std::memcpy(out, cipher->data(), cipher->size());
    *outSize = uint32_t(cipher->size());
    setFlag(success, 1);
    return S_OK;
}

HRESULT CConduitUtil::DecryptData(const void *key, uint32_t keyLength, const void *in, uint32_t inLength,
                                  void *out, uint32_t *outSize, int *success)
{
    setFlag(success, 0);
    if (outSize == nullptr || (key == nullptr && keyLength != 0))
        return CONDUIT_E_FAIL;
    auto plain = Rc2Cipher::fromKeyText(key, keyLength).decrypt(static_cast<const uint8_t *>(in), inLength);
    if (!plain)
        return CONDUIT_E_FAIL;
    bool fits = out != nullptr && *outSize >= plain->size();
    if (fits)
        std::memcpy(out, plain->data(), plain->size());
    *outSize = uint32_t(plain->size());
    OPENSSL_cleanse(plain->data(), plain->size());
    if (!fits)
        return CONDUIT_E_FAIL;
    setFlag(success, 1);
    return S_OK;
}

HRESULT CConduitUtil::EncryptToText(const char *key, const char *in, char *out, int size, int *success)
{
    setFlag(success, 0);
    clearText(out, size);
    if (key == nullptr || in == nullptr || out == nullptr || size <= 0)
        return CONDUIT_E_FAIL;
    uint8_t cipher[textFormBytes];
    uint32_t cipherLength = sizeof cipher;
    int encrypted = 0;
    if (FAILED(EncryptData(key, uint32_t(std::strlen(key)), in, uint32_t(std::strlen(in)), cipher,
                           &cipherLength, &encrypted)))
        return CONDUIT_E_FAIL;
    if (Code64Codec::encodedLength(cipherLength) >= size_t(size))
        return CONDUIT_E_FAIL;
    out[Code64Codec::encodeGroups(cipher, cipherLength, out)] = '\0';
    setFlag(success, 1);
    return S_OK;
}

HRESULT CConduitUtil::DecryptFromText(const char *key, const char *text, char *out, int size, int *success)
{
    setFlag(success, 0);
    clearText(out, size);
    if (key == nullptr || text == nullptr || out == nullptr || size <= 0)
        return CONDUIT_E_FAIL;
    size_t textLength = strnlen(text, maxTextFormLength + 1);
    if (textLength > maxTextFormLength)
        return CONDUIT_E_FAIL;
    uint8_t cipher[textFormBytes];
    ptrdiff_t cipherLength = Code64Codec::decodeGroups(text, textLength, cipher);
    if (cipherLength <= 0)
        return CONDUIT_E_FAIL;
    uint32_t plainLength = uint32_t(size - 1); // room for the NUL
    int decrypted = 0;
    if (FAILED(DecryptData(key, uint32_t(std::strlen(key)), cipher, uint32_t(cipherLength), out, &plainLength,
                           &decrypted))) {
        clearText(out, size);
        return CONDUIT_E_FAIL;
    }
    out[plainLength] = '\0';
    setFlag(success, 1);
    return S_OK;
}
