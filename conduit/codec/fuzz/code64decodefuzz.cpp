// libFuzzer target for the base64 decoder. The first input byte picks how
// many characters the reader hands out per read, so blocks of every length
// reach the decoder; the rest is the text. Checked: no fault, no output
// beyond three bytes per four characters, and every block the decoder takes
// whole re-encodes to text that decodes to the same bytes.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "conduit/codec/code64codec.h"
#include "conduit/exports.h"

namespace {

struct Pipe {
    const uint8_t *data;
    size_t size;
    size_t chunk;
    size_t position;
    std::string output;

    static int read(void *buffer, int maximum, void *context)
    {
        auto *self = static_cast<Pipe *>(context);
        if (buffer == nullptr)
            return 0;
        size_t n = std::min({self->size - self->position, size_t(maximum), self->chunk});
        std::copy(self->data + self->position, self->data + self->position + n,
                  static_cast<uint8_t *>(buffer));
        self->position += n;
        return int(n);
    }
    static void write(const void *buffer, int count, void *context)
    {
        auto *self = static_cast<Pipe *>(context);
        if (count < 0)
            std::abort(); // the decoder never takes back
        if (count > 0)
            self->output.append(static_cast<const char *>(buffer), size_t(count));
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    Pipe pipe{data + 1, size - 1, size_t(data[0] % 80) + 1, 0, {}};
    int result = Code64Decode(Pipe::read, Pipe::write, &pipe);
    if (result != 0 && result != -1)
        std::abort();
    if (pipe.output.size() > pipe.position / 4 * 3)
        std::abort();

    if (result == 0 && !pipe.output.empty()) {
        std::string text(Code64Codec::encodedLength(pipe.output.size()), '\0');
        Code64Codec::encodeGroups(reinterpret_cast<const uint8_t *>(pipe.output.data()), pipe.output.size(),
                                  text.data());
        std::string again(pipe.output.size(), '\0');
        ptrdiff_t n =
            Code64Codec::decodeGroups(text.data(), text.size(), reinterpret_cast<uint8_t *>(again.data()));
        if (n != ptrdiff_t(again.size()) || again != pipe.output)
            std::abort();
    }
    return 0;
}
