// RC4 over the remembered password's bytes; see passwordcipher.h. The
// stream cipher is small enough to keep here rather than reach for a
// legacy-provider cipher of the crypto library.
#include "admin/app/passwordcipher.h"

#include <QCryptographicHash>

#include <array>
#include <cstdint>
#include <utility>

namespace {

constexpr char kPassPhrase[] = "Hq3#k8e%";

class Rc4 {
public:
    explicit Rc4(const QByteArray &key)
    {
        Q_ASSERT(!key.isEmpty());
        for (int i = 0; i < 256; ++i)
            m_state[i] = uint8_t(i);
        uint8_t j = 0;
        for (int i = 0; i < 256; ++i) {
            j = uint8_t(j + m_state[i] + uint8_t(key[i % key.size()]));
            std::swap(m_state[i], m_state[j]);
        }
    }

    void apply(QByteArray &bytes)
    {
        for (char &byte : bytes) {
            m_i = uint8_t(m_i + 1);
            m_j = uint8_t(m_j + m_state[m_i]);
            std::swap(m_state[m_i], m_state[m_j]);
            byte = char(uint8_t(byte) ^ m_state[uint8_t(m_state[m_i] + m_state[m_j])]);
        }
    }

private:
    std::array<uint8_t, 256> m_state{};
    uint8_t m_i = 0;
    uint8_t m_j = 0;
};

} // namespace

QByteArray Rc4Cipher(const QByteArray &key, const QByteArray &bytes)
{
    QByteArray result = bytes;
    Rc4(key).apply(result);
    return result;
}

QByteArray CipherRememberedPassword(const QByteArray &bytes)
{
    // The pass phrase's 8 characters, without a terminator.
    const QByteArray key =
        QCryptographicHash::hash(QByteArray(kPassPhrase, sizeof kPassPhrase - 1), QCryptographicHash::Md5);
    return Rc4Cipher(key, bytes);
}
