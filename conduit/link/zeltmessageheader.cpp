// Byte-level encoding of the frame headers; see zeltmessageheader.h.
#include "zeltmessageheader.h"

void putLittleEndian32(uint8_t *out, uint32_t value)
{
    out[0] = static_cast<uint8_t>(value);
    out[1] = static_cast<uint8_t>(value >> 8);
    out[2] = static_cast<uint8_t>(value >> 16);
    out[3] = static_cast<uint8_t>(value >> 24);
}

uint32_t getLittleEndian32(const uint8_t *in)
{
    return uint32_t(in[0]) | uint32_t(in[1]) << 8 | uint32_t(in[2]) << 16 | uint32_t(in[3]) << 24;
}

void ZeltMessageHeader::encode(uint8_t out[kSize]) const
{
    out[0] = marker;
    out[1] = type;
    out[2] = 0; // reserved: receivers ignore it, zero keeps the stream reproducible
    out[3] = 0;
    putLittleEndian32(out + 4, length);
    putLittleEndian32(out + 8, extra);
}

ZeltMessageHeader ZeltMessageHeader::decode(const uint8_t in[kSize])
{
    ZeltMessageHeader header;
    header.marker = in[0];
    header.type = in[1];
    header.length = getLittleEndian32(in + 4);
    header.extra = getLittleEndian32(in + 8);
    return header;
}
