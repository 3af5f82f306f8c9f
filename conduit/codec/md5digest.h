// The library's own MD5 (RFC 1321): the login digest of every session and the
// key derivation of the utility object's cipher both go through it. Feed bytes
// with update(), take the 16-byte digest with finish(); the context is wiped
// by finish() so no key material outlives the call.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

class Md5Digest {
public:
    using Digest = std::array<uint8_t, 16>;

    Md5Digest() { reset(); }
    ~Md5Digest() { wipe(); }
    Md5Digest(const Md5Digest &) = delete;
    Md5Digest &operator=(const Md5Digest &) = delete;

    void update(const void *data, size_t length);
    Digest finish();

    // The digest as 32 upper-case hexadecimal digits and a NUL in out33.
    static void toHex(const Digest &digest, char *out33);
    static Digest of(const void *data, size_t length);

private:
    void reset();
    void wipe();
    void transform(const uint8_t *block);

    uint32_t m_state[4];
    uint64_t m_byteCount;
    uint8_t m_buffer[64];
};
