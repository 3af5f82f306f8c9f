// RC2 comes from OpenSSL's legacy provider, loaded into a library context of
// our own so that nothing else in the process gets the legacy algorithms by
// accident. The context and the fetched cipher are made once and live until
// the library is unloaded; when the provider is missing every operation
// fails cleanly.
#include "rc2cipher.h"

#include <memory>
#include <openssl/core_names.h>
#include <openssl/crypto.h>
#include <openssl/evp.h>
#include <openssl/params.h>
#include <openssl/provider.h>

#include "conduit/codec/md5digest.h"

namespace {

constexpr size_t derivedKeyLength = 5; // 40 bits
constexpr unsigned derivedKeyBits = 40;

class LegacyCipherLibrary {
public:
    LegacyCipherLibrary()
    {
        m_context = OSSL_LIB_CTX_new();
        if (m_context == nullptr)
            return;
        m_legacy = OSSL_PROVIDER_load(m_context, "legacy");
        m_default = OSSL_PROVIDER_load(m_context, "default");
        if (m_legacy != nullptr && m_default != nullptr)
            m_rc2 = EVP_CIPHER_fetch(m_context, "RC2-CBC", nullptr);
    }
    ~LegacyCipherLibrary()
    {
        EVP_CIPHER_free(m_rc2);
        if (m_default != nullptr)
            OSSL_PROVIDER_unload(m_default);
        if (m_legacy != nullptr)
            OSSL_PROVIDER_unload(m_legacy);
        OSSL_LIB_CTX_free(m_context);
    }
    LegacyCipherLibrary(const LegacyCipherLibrary &) = delete;
    LegacyCipherLibrary &operator=(const LegacyCipherLibrary &) = delete;

    const EVP_CIPHER *rc2() const { return m_rc2; }

    static const LegacyCipherLibrary &instance()
    {
        static const LegacyCipherLibrary library;
        return library;
    }

private:
    OSSL_LIB_CTX *m_context = nullptr;
    OSSL_PROVIDER *m_legacy = nullptr;
    OSSL_PROVIDER *m_default = nullptr;
    EVP_CIPHER *m_rc2 = nullptr;
};

struct ContextFree {
    void operator()(EVP_CIPHER_CTX *context) const { EVP_CIPHER_CTX_free(context); }
};

} // namespace

Rc2Cipher Rc2Cipher::fromKeyText(const void *key, size_t keyLength)
{
    Md5Digest::Digest digest = Md5Digest::of(key, keyLength);
    Rc2Cipher cipher(digest.data(), derivedKeyLength, derivedKeyBits);
    OPENSSL_cleanse(digest.data(), digest.size());
    return cipher;
}

Rc2Cipher::Rc2Cipher(const uint8_t *key, size_t keyLength, unsigned effectiveBits)
    : m_key(key, key + keyLength), m_effectiveBits(effectiveBits)
{
}

Rc2Cipher::Rc2Cipher(Rc2Cipher &&other) noexcept
    : m_key(std::move(other.m_key)), m_effectiveBits(other.m_effectiveBits)
{
}

Rc2Cipher::~Rc2Cipher()
{
    OPENSSL_cleanse(m_key.data(), m_key.size());
}

std::optional<std::vector<uint8_t>> Rc2Cipher::encrypt(const uint8_t *plain, size_t length) const
{
    if (length > MaxPlainLength || (plain == nullptr && length != 0))
        return std::nullopt;
    return run(true, plain, length);
}

std::optional<std::vector<uint8_t>> Rc2Cipher::decrypt(const uint8_t *cipher, size_t length) const
{
    if (cipher == nullptr || length == 0 || length > MaxCipherLength || length % BlockSize != 0)
        return std::nullopt;
    return run(false, cipher, length);
}

std::optional<std::vector<uint8_t>> Rc2Cipher::run(bool encrypting, const uint8_t *in, size_t length) const
{
    const EVP_CIPHER *rc2 = LegacyCipherLibrary::instance().rc2();
    std::unique_ptr<EVP_CIPHER_CTX, ContextFree> context(EVP_CIPHER_CTX_new());
    if (rc2 == nullptr || context == nullptr || m_key.empty())
        return std::nullopt;

    // Key length and effective bits must be in place before the key schedule
    // is made, so the key goes in with a second initialisation.
    size_t keyBits = m_effectiveBits;
    OSSL_PARAM params[] = {OSSL_PARAM_construct_size_t(OSSL_CIPHER_PARAM_RC2_KEYBITS, &keyBits),
                           OSSL_PARAM_construct_end()};
    const uint8_t zeroVector[BlockSize] = {};
    if (EVP_CipherInit_ex2(context.get(), rc2, nullptr, nullptr, encrypting, nullptr) != 1 ||
        EVP_CIPHER_CTX_set_key_length(context.get(), int(m_key.size())) != 1 ||
        EVP_CIPHER_CTX_set_params(context.get(), params) != 1 ||
        EVP_CipherInit_ex2(context.get(), nullptr, m_key.data(), zeroVector, encrypting, nullptr) != 1)
        return std::nullopt;

    std::vector<uint8_t> out(length + BlockSize);
    int written = 0;
    int finalWritten = 0;
    bool done = EVP_CipherUpdate(context.get(), out.data(), &written, in, int(length)) == 1 &&
                EVP_CipherFinal_ex(context.get(), out.data() + written, &finalWritten) == 1;
    if (!done) {
        OPENSSL_cleanse(out.data(), out.size());
        return std::nullopt;
    }
    out.resize(size_t(written + finalWritten));
    return out;
}
