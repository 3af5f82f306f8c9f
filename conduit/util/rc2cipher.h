// Rc2Cipher: RC2 in CBC mode with PKCS#5 padding and a zero initialisation
// vector, the buffer cipher of the utility object. A key text becomes a
// 40-bit key: the first 5 bytes of its MD5 digest, 40 effective key bits.
// No salt and no vector, so one key and one input always give one cipher
// text; the 40-bit key is what the stored data and its callers rely on, not
// a strength anyone should count on.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

class Rc2Cipher {
public:
    static constexpr size_t BlockSize = 8;
    static constexpr size_t MaxPlainLength = 1000;
    // The cipher text of the longest plain text accepted.
    static constexpr size_t MaxCipherLength = MaxPlainLength / BlockSize * BlockSize + BlockSize;

    // Padding always adds 1 to 8 bytes.
    static constexpr size_t cipherLength(size_t plainLength)
    {
        return plainLength / BlockSize * BlockSize + BlockSize;
    }

    static Rc2Cipher fromKeyText(const void *key, size_t keyLength);
    Rc2Cipher(const uint8_t *key, size_t keyLength, unsigned effectiveBits);
    ~Rc2Cipher();
    Rc2Cipher(const Rc2Cipher &) = delete;
    Rc2Cipher &operator=(const Rc2Cipher &) = delete;
    Rc2Cipher(Rc2Cipher &&other) noexcept;

    // Nothing when the cipher is unavailable or the input is out of bounds
    // (empty or longer cipher text, lengths off the block size, bad padding).
    std::optional<std::vector<uint8_t>> encrypt(const uint8_t *plain, size_t length) const;
    std::optional<std::vector<uint8_t>> decrypt(const uint8_t *cipher, size_t length) const;

private:
    std::optional<std::vector<uint8_t>> run(bool encrypting, const uint8_t *in, size_t length) const;

    std::vector<uint8_t> m_key;
    unsigned m_effectiveBits;
};
