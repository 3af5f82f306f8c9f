// The base64 coders. Decoding is strict about the shape of each 4-character
// group: "=" may only stand as its last one or two characters, and a padded
// group yields exactly its real bytes, so nothing is ever written and then
// taken back, and writers that cannot move back (pipes) still get the right
// text. Padded groups may appear mid-stream: an encoder fed by short reads
// pads every short line.
#include "code64codec.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace {

constexpr char alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
constexpr uint8_t padValue = 64;
constexpr uint8_t badValue = 0xFF;
constexpr char defaultSeparator[] = "\r\n";

constexpr std::array<uint8_t, 256> makeDecodeTable()
{
    std::array<uint8_t, 256> table{};
    table.fill(badValue);
    for (uint8_t k = 0; k < 64; ++k)
        table[static_cast<uint8_t>(alphabet[k])] = k;
    table['='] = padValue;
    return table;
}

constexpr std::array<uint8_t, 256> decodeTable = makeDecodeTable();

// Decodes a group holding "=" or a foreign character; -1 unless it is a
// correctly padded last group of the form "xx==" or "xxx=".
ptrdiff_t decodeSpecialGroup(const uint8_t v[4], uint8_t *out)
{
    for (int k = 0; k < 4; ++k)
        if (v[k] == badValue)
            return -1;
    if (v[0] == padValue || v[1] == padValue)
        return -1;
    uint32_t value = (uint32_t(v[0]) << 18) | (uint32_t(v[1]) << 12);
    if (v[2] == padValue) {
        if (v[3] != padValue)
            return -1;
        out[0] = uint8_t(value >> 16);
        return 1;
    }
    if (v[3] != padValue)
        return -1;
    value |= uint32_t(v[2]) << 6;
    out[0] = uint8_t(value >> 16);
    out[1] = uint8_t(value >> 8);
    return 2;
}

} // namespace

size_t Code64Codec::encodeGroups(const uint8_t *in, size_t count, char *out)
{
    char *start = out;
    size_t whole = count - count % 3;
    for (size_t k = 0; k < whole; k += 3) {
        uint32_t value = (uint32_t(in[k]) << 16) | (uint32_t(in[k + 1]) << 8) | in[k + 2];
        out[0] = alphabet[value >> 18];
        out[1] = alphabet[(value >> 12) & 63];
        out[2] = alphabet[(value >> 6) & 63];
        out[3] = alphabet[value & 63];
        out += 4;
    }
    size_t rest = count - whole;
    if (rest != 0) {
        uint32_t value = uint32_t(in[whole]) << 16;
        if (rest == 2)
            value |= uint32_t(in[whole + 1]) << 8;
        out[0] = alphabet[value >> 18];
        out[1] = alphabet[(value >> 12) & 63];
        out[2] = rest == 2 ? alphabet[(value >> 6) & 63] : '=';
        out[3] = '=';
        out += 4;
    }
    return size_t(out - start);
}

ptrdiff_t Code64Codec::decodeGroups(const char *in, size_t count, uint8_t *out)
{
    if (count % 4 != 0)
        return -1;
    uint8_t *start = out;
    for (size_t k = 0; k < count; k += 4) {
        const uint8_t v[4] = {decodeTable[uint8_t(in[k])], decodeTable[uint8_t(in[k + 1])],
                              decodeTable[uint8_t(in[k + 2])], decodeTable[uint8_t(in[k + 3])]};
        // Valid values are below 64; "=" (64) and foreign characters (255)
        // both have one of the top two bits set.
        if (((v[0] | v[1] | v[2] | v[3]) & 0xC0) != 0) {
            ptrdiff_t written = decodeSpecialGroup(v, out);
            if (written < 0)
                return -1;
            out += written;
            continue;
        }
        uint32_t value = (uint32_t(v[0]) << 18) | (uint32_t(v[1]) << 12) | (uint32_t(v[2]) << 6) | v[3];
        out[0] = uint8_t(value >> 16);
        out[1] = uint8_t(value >> 8);
        out[2] = uint8_t(value);
        out += 3;
    }
    return out - start;
}

int Code64Codec::encodeStream(Code64Reader reader, Code64Writer writer, const char *separator, void *context)
{
    if (separator == nullptr || *separator == '\0')
        separator = defaultSeparator;
    const int separatorLength = int(std::strlen(separator));
    uint8_t line[LineBytes];
    char text[LineChars];
    for (;;) {
        int n = reader(line, LineBytes, context);
        if (n <= 0)
            break;
        n = std::min(n, LineBytes); // a reader that claims more than asked is not believed
        writer(text, int(encodeGroups(line, size_t(n), text)), context);
        writer(separator, separatorLength, context);
    }
    writer(nullptr, 0, context);
    reader(nullptr, 0, context);
    return 0;
}

int Code64Codec::decodeStream(Code64Reader reader, Code64Writer writer, void *context)
{
    char block[LineChars];
    uint8_t bytes[LineBytes];
    for (;;) {
        int n = reader(block, LineChars, context);
        if (n <= 0)
            break;
        if (n > LineChars || n % 4 != 0)
            return -1;
        ptrdiff_t written = decodeGroups(block, size_t(n), bytes);
        if (written < 0)
            return -1;
        if (written > 0)
            writer(bytes, int(written), context);
    }
    writer(nullptr, 0, context);
    reader(nullptr, 0, context);
    return 0;
}
