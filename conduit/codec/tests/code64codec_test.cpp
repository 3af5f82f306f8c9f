// Base64 through the exported reader/writer functions: known answers, line
// shape, round trips of every short length, malformed input, and what the
// reader and writer are told.
#include <gtest/gtest.h>

#include <cstring>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "conduit/codec/code64codec.h"
#include "conduit/exports.h"

namespace {

// Hands out the input a chunk at a time (at most `chunk` bytes a read) and
// collects everything written, keeping a log of the calls.
struct Pipe {
    std::string input;
    size_t chunk = 1 << 20;
    std::string separator; // when set, input is delivered one line per read
    size_t position = 0;
    std::string output;
    std::vector<int> writeCounts;
    int readerEndNotices = 0;
    int writerEndNotices = 0;

    static int read(void *buffer, int maximum, void *context)
    {
        auto *self = static_cast<Pipe *>(context);
        if (buffer == nullptr) {
            ++self->readerEndNotices;
            return 0;
        }
        if (!self->separator.empty() &&
            self->input.compare(self->position, self->separator.size(), self->separator) == 0)
            self->position += self->separator.size();
        size_t end = self->input.size();
        if (!self->separator.empty())
            end = std::min(end, self->input.find(self->separator, self->position));
        size_t count = std::min({end - self->position, size_t(maximum), self->chunk});
        self->input.copy(static_cast<char *>(buffer), count, self->position);
        self->position += count;
        return int(count);
    }

    static void write(const void *buffer, int count, void *context)
    {
        auto *self = static_cast<Pipe *>(context);
        self->writeCounts.push_back(count);
        if (count == 0)
            ++self->writerEndNotices;
        else if (count > 0)
            self->output.append(static_cast<const char *>(buffer), size_t(count));
        else
            self->output.resize(self->output.size() - std::min(self->output.size(), size_t(-count)));
    }
};

std::string encode(const std::string &bytes, const char *separator = nullptr, size_t chunk = 57)
{
    Pipe pipe;
    pipe.input = bytes;
    pipe.chunk = chunk;
    EXPECT_EQ(Code64Encode(Pipe::read, Pipe::write, separator, &pipe), 0);
    return pipe.output;
}

// The decoded bytes, or nothing when the decoder reports a malformed block.
std::optional<std::string> decode(const std::string &text, const std::string &separator = "\r\n")
{
    Pipe pipe;
    pipe.input = text;
    pipe.separator = separator;
    if (Code64Decode(Pipe::read, Pipe::write, &pipe) != 0)
        return std::nullopt;
    return pipe.output;
}

std::string randomBytes(size_t count, unsigned seed)
{
    std::mt19937 generator(seed);
    std::string bytes(count, '\0');
    for (char &c : bytes)
        c = char(generator());
    return bytes;
}

struct KnownText {
    const char *bytes;
    const char *text;
};

void PrintTo(const KnownText &known, std::ostream *out)
{
    *out << '"' << known.bytes << '"';
}

class Code64KnownAnswer : public testing::TestWithParam<KnownText> {};

TEST_P(Code64KnownAnswer, EncodesAndDecodesTheStandardVectors)
{
    std::string text = std::string(GetParam().text) + "\r\n";
    EXPECT_EQ(encode(GetParam().bytes), text);
    EXPECT_EQ(decode(text), GetParam().bytes);
}

INSTANTIATE_TEST_SUITE_P(Rfc4648Vectors, Code64KnownAnswer,
                         testing::Values(KnownText{"f", "Zg=="}, KnownText{"fo", "Zm8="},
                                         KnownText{"foo", "Zm9v"}, KnownText{"foob", "Zm9vYg=="},
                                         KnownText{"fooba", "Zm9vYmE="}, KnownText{"foobar", "Zm9vYmFy"}));

TEST(Code64Encode, Gives57BytesAsOneLineOf76Characters)
{
    std::string text = encode(std::string(57, 'x'));
    ASSERT_EQ(text.size(), 78u);
    EXPECT_EQ(text.substr(76), "\r\n");
    EXPECT_EQ(text.find('='), std::string::npos);
}

TEST(Code64Encode, Gives58BytesASecondLineOfFourCharactersEndingInTwoPads)
{
    std::string text = encode(std::string(58, 'x'));
    ASSERT_EQ(text.size(), 78u + 6u);
    EXPECT_EQ(text.substr(78), "eA==\r\n");
}

TEST(Code64Encode, EndsEveryLineWithCrLfWhenTheSeparatorIsMissingOrEmpty)
{
    std::string bytes = randomBytes(200, 1);
    EXPECT_EQ(encode(bytes, nullptr), encode(bytes, ""));
    std::string text = encode(bytes, nullptr);
    EXPECT_EQ(text.size(), 3 * (76u + 2u) + 40u + 2u); // 57 + 57 + 57 + 29 bytes
    for (size_t at = 76; at < 3 * 78; at += 78)
        EXPECT_EQ(text.substr(at, 2), "\r\n");
    EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
}

TEST(Code64Encode, WritesTheGivenSeparatorAfterEveryLine)
{
    std::string text = encode(std::string(120, 'y'), "<br/>");
    EXPECT_EQ(text, std::string(encode(std::string(57, 'y'), "<br/>")) +
                        encode(std::string(57, 'y'), "<br/>") + encode(std::string(6, 'y'), "<br/>"));
    EXPECT_EQ(text.substr(text.size() - 5), "<br/>");
}

TEST(Code64Encode, PadsEveryShortRead)
{
    EXPECT_EQ(encode("foobarf", nullptr, 4), "Zm9vYg==\r\nYXJm\r\n");
}

TEST(Code64Encode, GivesNothingButEndNoticesForEmptyInput)
{
    Pipe pipe;
    EXPECT_EQ(Code64Encode(Pipe::read, Pipe::write, nullptr, &pipe), 0);
    EXPECT_EQ(pipe.output, "");
    EXPECT_EQ(pipe.writerEndNotices, 1);
    EXPECT_EQ(pipe.readerEndNotices, 1);
}

TEST(Code64Encode, NeverBelievesAReaderThatClaimsMoreThanAsked)
{
    struct Once {
        int calls = 0;
        std::string output;
    } once;
    auto reader = [](void *buffer, int maximum, void *context) -> int {
        auto *self = static_cast<Once *>(context);
        if (buffer == nullptr || self->calls++ > 0)
            return 0;
        std::memset(buffer, 0, size_t(maximum));
        return maximum + 100;
    };
    auto writer = [](const void *buffer, int count, void *context) {
        if (count > 0)
            static_cast<Once *>(context)->output.append(static_cast<const char *>(buffer), size_t(count));
    };
    EXPECT_EQ(Code64Encode(reader, writer, nullptr, &once), 0);
    EXPECT_EQ(once.output, std::string(76, 'A') + "\r\n");
}

TEST(Code64Codec, RoundTripsEveryLengthUpTo300WithAndWithoutSeparator)
{
    for (const char *separator : {static_cast<const char *>(nullptr), "|", "\n--\n"}) {
        for (size_t length = 0; length <= 300; ++length) {
            std::string bytes = randomBytes(length, unsigned(length));
            std::string text = encode(bytes, separator);
            EXPECT_EQ(decode(text, separator ? separator : "\r\n"), bytes)
                << "length " << length << " separator " << (separator ? separator : "CR LF");
        }
    }
}

TEST(Code64Codec, RoundTripsLargeRandomData)
{
    std::string bytes = randomBytes(100000, 99);
    EXPECT_EQ(decode(encode(bytes)), bytes);
}

TEST(Code64Codec, RoundTripsShortReadsWhosePaddingLiesMidStream)
{
    std::string bytes = randomBytes(500, 5);
    for (size_t chunk : {1, 2, 4, 5, 13, 56})
        EXPECT_EQ(decode(encode(bytes, nullptr, chunk)), bytes) << "chunk " << chunk;
}

TEST(Code64Decode, CountsPaddingPerGroup)
{
    EXPECT_EQ(decode("Zg==Zg==Zm9v"), "fff"
                                      "oo");
    EXPECT_EQ(decode("Zg==\r\nZm9vYmFy"), "ffoobar");
}

TEST(Code64Decode, WritesOnlyRealBytesAndNeverTakesBack)
{
    Pipe pipe;
    pipe.input = "Zm9vYg==\r\nZm8=\r\n";
    pipe.separator = "\r\n";
    ASSERT_EQ(Code64Decode(Pipe::read, Pipe::write, &pipe), 0);
    EXPECT_EQ(pipe.output, "foobfo");
    EXPECT_EQ(pipe.writeCounts, (std::vector<int>{4, 2, 0}));
    EXPECT_EQ(pipe.readerEndNotices, 1);
}

struct Malformed {
    std::string text;
    const char *why;
};

void PrintTo(const Malformed &malformed, std::ostream *out)
{
    *out << malformed.why;
}

class Code64DecodeMalformed : public testing::TestWithParam<Malformed> {};

TEST_P(Code64DecodeMalformed, ReturnsMinusOne)
{
    Pipe pipe;
    pipe.input = GetParam().text;
    pipe.separator = "\r\n";
    EXPECT_EQ(Code64Decode(Pipe::read, Pipe::write, &pipe), -1) << GetParam().why;
}

INSTANTIATE_TEST_SUITE_P(
    Table, Code64DecodeMalformed,
    testing::Values(Malformed{"Zm9", "truncated group"}, Malformed{"Zm9vY", "one character over"},
                    Malformed{"Zm9vYm", "two characters over"}, Malformed{"Zm9*", "foreign character"},
                    Malformed{"Zm 9", "blank inside a group"}, Malformed{"Zm9\x80", "byte above 127"},
                    Malformed{std::string("Zm\0v", 4), "NUL inside"}, Malformed{"=Zm9", "pad first"},
                    Malformed{"Z=m9", "pad second"}, Malformed{"Zm=v", "pad before a letter"},
                    Malformed{"Z===", "three pads"}, Malformed{"====", "only pads"},
                    Malformed{"Zm9v\r\nZg=", "second line truncated"},
                    Malformed{"Zm9v\nZm9v", "bare line feed"}));

TEST(Code64Decode, KeepsTheBlocksBeforeAMalformedOne)
{
    Pipe pipe;
    pipe.input = "Zm9v\r\nZm9*\r\nZm9v";
    pipe.separator = "\r\n";
    EXPECT_EQ(Code64Decode(Pipe::read, Pipe::write, &pipe), -1);
    EXPECT_EQ(pipe.output, "foo");
}

TEST(Code64Codec, DecodeGroupsRefusesLengthsThatAreNotWholeGroups)
{
    uint8_t out[8];
    EXPECT_EQ(Code64Codec::decodeGroups("Zm9vY", 5, out), -1);
    EXPECT_EQ(Code64Codec::decodeGroups("", 0, out), 0);
}

} // namespace
