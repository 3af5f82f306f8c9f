// The two frame headers of the link, encoded and decoded byte by byte so the
// little-endian wire order holds whatever the host. Protocol 2 frames start
// with the 12-byte header; protocol 1 frames with a bare 32-bit length. A
// file frame is a type-3 frame whose payload starts with the sender value and
// the file size.
#pragma once

#include "conduit/zeltsessionsink.h"

#include <cstddef>
#include <cstdint>

struct ZeltMessageHeader {
    static constexpr size_t kSize = 12;
    static constexpr size_t kLengthOnlySize = 4;
    // The longest payload a link takes, and why: see zeltsessionsink.h.
    static constexpr uint32_t kMaxPayloadLength = kConduitLongestPayload;

    uint8_t marker = 0; // anything else marks a corrupt stream
    uint8_t type = 0;
    uint32_t length = 0;
    uint32_t extra = 0;

    void encode(uint8_t out[kSize]) const;
    static ZeltMessageHeader decode(const uint8_t in[kSize]);
};

// Frame types the link itself gives a meaning to.
enum : uint8_t {
    ZELT_TYPE_FILE = 3,
    ZELT_TYPE_TEXT = 4,
    ZELT_TYPE_VALUE = 127,
};

// The payload that starts a file frame; the file's bytes follow it.
struct ZeltFileHeader {
    static constexpr size_t kPrefixSize = 8;
    static constexpr size_t kSize = ZeltMessageHeader::kSize + kPrefixSize;
};

// Refusal codes carried by a type-127 answer to a file frame.
enum : uint32_t { ZELT_FILE_NO_TEMP_FOLDER = 0, ZELT_FILE_SIZE_MISMATCH = 1 };

void putLittleEndian32(uint8_t *out, uint32_t value);
uint32_t getLittleEndian32(const uint8_t *in);
