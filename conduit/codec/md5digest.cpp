// MD5 as RFC 1321 defines it, written for speed: whole blocks are hashed
// straight from the caller's memory and only a trailing part block is
// buffered. The round functions use the usual algebraic shortcuts
// (d ^ (b & (c ^ d)) for F) that compilers turn into three instructions.
#include "md5digest.h"

#include <bit>
#include <cstring>

namespace {

inline uint32_t loadLittleEndian(const uint8_t *p)
{
    uint32_t v;
    std::memcpy(&v, p, 4);
    if constexpr (std::endian::native == std::endian::big)
        v = __builtin_bswap32(v);
    return v;
}

inline void storeLittleEndian(uint8_t *p, uint32_t v)
{
    if constexpr (std::endian::native == std::endian::big)
        v = __builtin_bswap32(v);
    std::memcpy(p, &v, 4);
}

inline uint32_t f(uint32_t b, uint32_t c, uint32_t d)
{
    return d ^ (b & (c ^ d));
}
inline uint32_t g(uint32_t b, uint32_t c, uint32_t d)
{
    return c ^ (d & (b ^ c));
}
inline uint32_t h(uint32_t b, uint32_t c, uint32_t d)
{
    return b ^ c ^ d;
}
inline uint32_t i(uint32_t b, uint32_t c, uint32_t d)
{
    return c ^ (b | ~d);
}

template <uint32_t (*Round)(uint32_t, uint32_t, uint32_t), int Shift>
inline void step(uint32_t &a, uint32_t b, uint32_t c, uint32_t d, uint32_t x, uint32_t t)
{
    a = b + std::rotl(a + Round(b, c, d) + x + t, Shift);
}

} // namespace

void Md5Digest::reset()
{
    m_state[0] = 0x67452301;
    m_state[1] = 0xEFCDAB89;
    m_state[2] = 0x98BADCFE;
    m_state[3] = 0x10325476;
    m_byteCount = 0;
}

void Md5Digest::wipe()
{
    // volatile keeps the compiler from dropping the clearing of a dying object.
    volatile uint8_t *p = reinterpret_cast<volatile uint8_t *>(this);
    for (size_t k = 0; k < sizeof(*this); ++k)
        p[k] = 0;
}

void Md5Digest::update(const void *data, size_t length)
{
    const auto *in = static_cast<const uint8_t *>(data);
    size_t used = m_byteCount % 64;
    m_byteCount += length;
    if (used != 0) {
        size_t take = 64 - used;
        if (length < take) {
            std::memcpy(m_buffer + used, in, length);
            return;
        }
        std::memcpy(m_buffer + used, in, take);
        transform(m_buffer);
        in += take;
        length -= take;
    }
    for (; length >= 64; in += 64, length -= 64)
        transform(in);
    if (length != 0)
        std::memcpy(m_buffer, in, length);
}

Md5Digest::Digest Md5Digest::finish()
{
    uint64_t bitCount = m_byteCount * 8;
    uint8_t padding[72] = {0x80};
    size_t used = m_byteCount % 64;
    size_t padLength = (used < 56 ? 56 : 120) - used;
    uint8_t lengthBytes[8];
    storeLittleEndian(lengthBytes, static_cast<uint32_t>(bitCount));
    storeLittleEndian(lengthBytes + 4, static_cast<uint32_t>(bitCount >> 32));
    update(padding, padLength);
    update(lengthBytes, 8);

    Digest digest;
    for (int k = 0; k < 4; ++k)
        storeLittleEndian(digest.data() + 4 * k, m_state[k]);
    wipe();
    reset();
    return digest;
}

void Md5Digest::toHex(const Digest &digest, char *out33)
{
    static const char hexDigits[] = "0123456789ABCDEF";
    for (size_t k = 0; k < digest.size(); ++k) {
        out33[2 * k] = hexDigits[digest[k] >> 4];
        out33[2 * k + 1] = hexDigits[digest[k] & 15];
    }
    out33[32] = '\0';
}

Md5Digest::Digest Md5Digest::of(const void *data, size_t length)
{
    Md5Digest md5;
    md5.update(data, length);
    return md5.finish();
}

void Md5Digest::transform(const uint8_t *block)
{
    uint32_t x[16];
    for (int k = 0; k < 16; ++k)
        x[k] = loadLittleEndian(block + 4 * k);
    uint32_t a = m_state[0], b = m_state[1], c = m_state[2], d = m_state[3];

    step<f, 7>(a, b, c, d, x[0], 0xd76aa478);
    step<f, 12>(d, a, b, c, x[1], 0xe8c7b756);
    step<f, 17>(c, d, a, b, x[2], 0x242070db);
    step<f, 22>(b, c, d, a, x[3], 0xc1bdceee);
    step<f, 7>(a, b, c, d, x[4], 0xf57c0faf);
    step<f, 12>(d, a, b, c, x[5], 0x4787c62a);
    step<f, 17>(c, d, a, b, x[6], 0xa8304613);
    step<f, 22>(b, c, d, a, x[7], 0xfd469501);
    step<f, 7>(a, b, c, d, x[8], 0x698098d8);
    step<f, 12>(d, a, b, c, x[9], 0x8b44f7af);
    step<f, 17>(c, d, a, b, x[10], 0xffff5bb1);
    step<f, 22>(b, c, d, a, x[11], 0x895cd7be);
    step<f, 7>(a, b, c, d, x[12], 0x6b901122);
    step<f, 12>(d, a, b, c, x[13], 0xfd987193);
    step<f, 17>(c, d, a, b, x[14], 0xa679438e);
    step<f, 22>(b, c, d, a, x[15], 0x49b40821);

    step<g, 5>(a, b, c, d, x[1], 0xf61e2562);
    step<g, 9>(d, a, b, c, x[6], 0xc040b340);
    step<g, 14>(c, d, a, b, x[11], 0x265e5a51);
    step<g, 20>(b, c, d, a, x[0], 0xe9b6c7aa);
    step<g, 5>(a, b, c, d, x[5], 0xd62f105d);
    step<g, 9>(d, a, b, c, x[10], 0x02441453);
    step<g, 14>(c, d, a, b, x[15], 0xd8a1e681);
    step<g, 20>(b, c, d, a, x[4], 0xe7d3fbc8);
    step<g, 5>(a, b, c, d, x[9], 0x21e1cde6);
    step<g, 9>(d, a, b, c, x[14], 0xc33707d6);
    step<g, 14>(c, d, a, b, x[3], 0xf4d50d87);
    step<g, 20>(b, c, d, a, x[8], 0x455a14ed);
    step<g, 5>(a, b, c, d, x[13], 0xa9e3e905);
    step<g, 9>(d, a, b, c, x[2], 0xfcefa3f8);
    step<g, 14>(c, d, a, b, x[7], 0x676f02d9);
    step<g, 20>(b, c, d, a, x[12], 0x8d2a4c8a);

    step<h, 4>(a, b, c, d, x[5], 0xfffa3942);
    step<h, 11>(d, a, b, c, x[8], 0x8771f681);
    step<h, 16>(c, d, a, b, x[11], 0x6d9d6122);
    step<h, 23>(b, c, d, a, x[14], 0xfde5380c);
    step<h, 4>(a, b, c, d, x[1], 0xa4beea44);
    step<h, 11>(d, a, b, c, x[4], 0x4bdecfa9);
    step<h, 16>(c, d, a, b, x[7], 0xf6bb4b60);
    step<h, 23>(b, c, d, a, x[10], 0xbebfbc70);
    step<h, 4>(a, b, c, d, x[13], 0x289b7ec6);
    step<h, 11>(d, a, b, c, x[0], 0xeaa127fa);
    step<h, 16>(c, d, a, b, x[3], 0xd4ef3085);
    step<h, 23>(b, c, d, a, x[6], 0x04881d05);
    step<h, 4>(a, b, c, d, x[9], 0xd9d4d039);
    step<h, 11>(d, a, b, c, x[12], 0xe6db99e5);
    step<h, 16>(c, d, a, b, x[15], 0x1fa27cf8);
    step<h, 23>(b, c, d, a, x[2], 0xc4ac5665);

    step<i, 6>(a, b, c, d, x[0], 0xf4292244);
    step<i, 10>(d, a, b, c, x[7], 0x432aff97);
    step<i, 15>(c, d, a, b, x[14], 0xab9423a7);
    step<i, 21>(b, c, d, a, x[5], 0xfc93a039);
    step<i, 6>(a, b, c, d, x[12], 0x655b59c3);
    step<i, 10>(d, a, b, c, x[3], 0x8f0ccc92);
    step<i, 15>(c, d, a, b, x[10], 0xffeff47d);
    step<i, 21>(b, c, d, a, x[1], 0x85845dd1);
    step<i, 6>(a, b, c, d, x[8], 0x6fa87e4f);
    step<i, 10>(d, a, b, c, x[15], 0xfe2ce6e0);
    step<i, 15>(c, d, a, b, x[6], 0xa3014314);
    step<i, 21>(b, c, d, a, x[13], 0x4e0811a1);
    step<i, 6>(a, b, c, d, x[4], 0xf7537e82);
    step<i, 10>(d, a, b, c, x[11], 0xbd3af235);
    step<i, 15>(c, d, a, b, x[2], 0x2ad7d2bb);
    step<i, 21>(b, c, d, a, x[9], 0xeb86d391);

    m_state[0] += a;
    m_state[1] += b;
    m_state[2] += c;
    m_state[3] += d;
}
