// The digest and base64 functions libConduit.so exports with C linkage, for
// callers that use the link without COM. The file forms read the whole input
// into memory and write the whole output at once; their buffers grow with
// the text, so a long separator, prefix or suffix is never cut off.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <initializer_list>
#include <limits>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "conduit/codec/code64codec.h"
#include "conduit/codec/md5digest.h"
#include "conduit/exports.h"

namespace {

constexpr int nothingDecoded = -1234;
constexpr int outputNotWritten = -1717;

struct FileCloser {
    void operator()(std::FILE *file) const { std::fclose(file); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

// The whole file, or nothing when it is missing, unreadable or empty.
std::optional<std::vector<uint8_t>> readWholeFile(const char *path)
{
    if (path == nullptr)
        return std::nullopt;
    FilePtr file(std::fopen(path, "rb"));
    if (!file)
        return std::nullopt;
    std::vector<uint8_t> data;
    uint8_t chunk[65536];
    size_t got;
    while ((got = std::fread(chunk, 1, sizeof chunk, file.get())) > 0)
        data.insert(data.end(), chunk, chunk + got);
    if (std::ferror(file.get()) || data.empty())
        return std::nullopt;
    return data;
}

bool writeWholeFile(const char *path, std::initializer_list<std::string_view> chunks)
{
    if (path == nullptr)
        return false;
    std::FILE *file = std::fopen(path, "wb");
    if (file == nullptr)
        return false;
    bool written = true;
    for (std::string_view chunk : chunks)
        written = written && std::fwrite(chunk.data(), 1, chunk.size(), file) == chunk.size();
    return std::fclose(file) == 0 && written;
}

// The reader and writer of the file forms share one context: input bytes
// read from memory, output text or bytes appended to a string.
struct MemoryPipe {
    const uint8_t *data;
    size_t size;
    // The decoder's reader skips a CR LF at its position before each read
    // and never delivers a CR LF that ends the input, so lines of exactly 76
    // characters come one per read.
    bool skipLineBreaks;
    size_t position = 0;
    std::string output;

    bool lineBreakAt(size_t at) const { return at + 1 < size && data[at] == '\r' && data[at + 1] == '\n'; }

    static int read(void *buffer, int maximum, void *context)
    {
        auto *self = static_cast<MemoryPipe *>(context);
        if (buffer == nullptr || maximum <= 0)
            return 0;
        size_t end = self->size;
        if (self->skipLineBreaks) {
            if (end >= 2 && self->lineBreakAt(end - 2))
                end -= 2;
            if (self->lineBreakAt(self->position))
                self->position += 2;
        }
        if (self->position >= end)
            return 0;
        size_t count = std::min(end - self->position, size_t(maximum));
        std::memcpy(buffer, self->data + self->position, count);
        self->position += count;
        return int(count);
    }

    // Appends; a negative count takes back, never before the start.
    static void write(const void *buffer, int count, void *context)
    {
        auto *self = static_cast<MemoryPipe *>(context);
        if (count > 0) {
            self->output.append(static_cast<const char *>(buffer), size_t(count));
        } else if (count < 0) {
            size_t back = std::min(self->output.size(), size_t(-int64_t(count)));
            self->output.resize(self->output.size() - back);
        }
    }
};

bool isGiven(const char *text)
{
    return text != nullptr && *text != '\0';
}

} // namespace

extern "C" {

char *MD5String(const void *data, uint32_t length, char *out33)
{
    if (out33 == nullptr || (data == nullptr && length != 0))
        return nullptr;
    Md5Digest::toHex(Md5Digest::of(data, length), out33);
    return out33;
}

char *MD5File(const char *path, char *out33)
{
    if (path == nullptr || out33 == nullptr)
        return nullptr;
    FilePtr file(std::fopen(path, "rb"));
    if (!file)
        return nullptr;
    Md5Digest md5;
    std::vector<uint8_t> chunk(65536);
    size_t got;
    while ((got = std::fread(chunk.data(), 1, chunk.size(), file.get())) > 0)
        md5.update(chunk.data(), got);
    // A read that fails halfway (a directory, an I/O error) has no digest.
    if (std::ferror(file.get()))
        return nullptr;
    Md5Digest::toHex(md5.finish(), out33);
    return out33;
}

int Code64Encode(Code64Reader reader, Code64Writer writer, const char *separator, void *context)
{
    if (reader == nullptr || writer == nullptr)
        return -1;
    return Code64Codec::encodeStream(reader, writer, separator, context);
}

int Code64Decode(Code64Reader reader, Code64Writer writer, void *context)
{
    if (reader == nullptr || writer == nullptr)
        return -1;
    return Code64Codec::decodeStream(reader, writer, context);
}

int Code64FileEncode(const char *in, const char *out, const char *prefix, const char *suffix,
                     const char *separator)
{
    std::optional<std::vector<uint8_t>> input = readWholeFile(in);
    if (!input)
        return 0;
    MemoryPipe pipe{input->data(), input->size(), false, 0, {}};
    Code64Codec::encodeStream(MemoryPipe::read, MemoryPipe::write, separator, &pipe);
    const std::string &text = pipe.output;
    if (text.empty() || text.size() > size_t(std::numeric_limits<int>::max()))
        return 0;
    if (!writeWholeFile(out, {isGiven(prefix) ? prefix : "", text, isGiven(suffix) ? suffix : ""}))
        return 0;
    return int(text.size());
}

int Code64FileDecode(const char *in, const char *out, uint32_t /*unused*/)
{
    std::optional<std::vector<uint8_t>> input = readWholeFile(in);
    if (!input)
        return 0;
    MemoryPipe pipe{input->data(), input->size(), true, 0, {}};
    int result = Code64Codec::decodeStream(MemoryPipe::read, MemoryPipe::write, &pipe);
    const std::string &bytes = pipe.output;
    if (result < 0)
        return result;
    if (bytes.empty())
        return nothingDecoded;
    if (bytes.size() > size_t(std::numeric_limits<int>::max()) || !writeWholeFile(out, {bytes}))
        return outputNotWritten;
    return int(bytes.size());
}

} // extern "C"
