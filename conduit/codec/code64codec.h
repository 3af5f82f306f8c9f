// Base64 (RFC 2045 alphabet and padding) for the exported codec functions and
// the utility object. The group coders work on memory; the stream coders run
// them a line at a time between a caller's reader and writer, so one code
// path serves memory, streams, handles and files.
#pragma once

#include <cstddef>
#include <cstdint>

#include "conduit/exports.h"

class Code64Codec {
public:
    static constexpr int LineBytes = 57; // one 76-character line
    static constexpr int LineChars = 76;

    static constexpr size_t encodedLength(size_t byteCount) { return (byteCount + 2) / 3 * 4; }

    // Writes encodedLength(count) characters (no NUL) and returns that count.
    static size_t encodeGroups(const uint8_t *in, size_t count, char *out);
    // count must be a multiple of 4. A group may end in one or two "=" and
    // then yields two or one bytes; anything else malformed gives -1 (out
    // then holds the bytes of the groups before the bad one).
    static ptrdiff_t decodeGroups(const char *in, size_t count, uint8_t *out);

    // One line per read: encoded characters, then the separator (CR LF when
    // none or empty). Always 0.
    static int encodeStream(Code64Reader reader, Code64Writer writer, const char *separator, void *context);
    // One block of up to 76 characters per read; -1 for a malformed block,
    // whose preceding blocks stay written.
    static int decodeStream(Code64Reader reader, Code64Writer writer, void *context);
};
