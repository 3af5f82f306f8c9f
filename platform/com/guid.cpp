// Printing and strict parsing of the braced GUID form; see guid.h.
#include "guid.h"

#include <cstdio>

namespace {

constexpr size_t kBracedLength = 38;
// Offsets of the 16 bytes' first digits in "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}",
// in the order Data1 (big-endian as written), Data2, Data3, Data4[0..7].
constexpr size_t kByteOffsets[16] = {1, 3, 5, 7, 10, 12, 15, 17, 20, 22, 25, 27, 29, 31, 33, 35};
constexpr size_t kHyphenOffsets[4] = {9, 14, 19, 24};

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

} // namespace

std::string GuidToString(const GUID &guid)
{
    char text[kBracedLength + 1];
    std::snprintf(text, sizeof text, "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
                  static_cast<unsigned>(guid.Data1), guid.Data2, guid.Data3, guid.Data4[0], guid.Data4[1],
                  guid.Data4[2], guid.Data4[3], guid.Data4[4], guid.Data4[5], guid.Data4[6], guid.Data4[7]);
    return std::string(text, kBracedLength);
}

bool GuidFromString(std::string_view text, GUID *out)
{
    if (!out || text.size() != kBracedLength || text.front() != '{' || text.back() != '}')
        return false;
    for (size_t offset : kHyphenOffsets) {
        if (text[offset] != '-')
            return false;
    }
    uint8_t bytes[16];
    for (size_t i = 0; i < 16; ++i) {
        const int high = hexValue(text[kByteOffsets[i]]);
        const int low = hexValue(text[kByteOffsets[i] + 1]);
        if (high < 0 || low < 0)
            return false;
        bytes[i] = static_cast<uint8_t>(high << 4 | low);
    }
    GUID guid;
    guid.Data1 = uint32_t(bytes[0]) << 24 | uint32_t(bytes[1]) << 16 | uint32_t(bytes[2]) << 8 | bytes[3];
    guid.Data2 = static_cast<uint16_t>(bytes[4] << 8 | bytes[5]);
    guid.Data3 = static_cast<uint16_t>(bytes[6] << 8 | bytes[7]);
    for (int i = 0; i < 8; ++i)
        guid.Data4[i] = bytes[8 + i];
    *out = guid;
    return true;
}
