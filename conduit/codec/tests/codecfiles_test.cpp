// The file forms of the base64 codec: what they write, what they return, and
// how they fail.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "conduit/codec/tests/scratchdir.h"
#include "conduit/exports.h"

namespace {

std::string randomBytes(size_t count, unsigned seed)
{
    std::mt19937 generator(seed);
    std::string bytes(count, '\0');
    for (char &c : bytes)
        c = char(generator());
    return bytes;
}

class Code64Files : public testing::Test {
protected:
    ScratchDir m_dir;
};

TEST_F(Code64Files, EncodeWritesPrefixTextAndSuffixAndReturnsTheTextLength)
{
    std::string in = m_dir.write("in", "foobar!");
    std::string out = m_dir.file("out");
    EXPECT_EQ(Code64FileEncode(in.c_str(), out.c_str(), "<<", ">>", nullptr), 14);
    EXPECT_EQ(ScratchDir::read(out), "<<Zm9vYmFyIQ==\r\n>>");
    EXPECT_EQ(Code64FileEncode(in.c_str(), out.c_str(), "", nullptr, "/"), 13);
    EXPECT_EQ(ScratchDir::read(out), "Zm9vYmFyIQ==/");
}

TEST_F(Code64Files, EncodeKeepsASeparatorLongerThanTwiceTheInput)
{
    std::string in = m_dir.write("in", "f");
    std::string out = m_dir.file("out");
    std::string separator(300, '-');
    EXPECT_EQ(Code64FileEncode(in.c_str(), out.c_str(), nullptr, nullptr, separator.c_str()), 304);
    EXPECT_EQ(ScratchDir::read(out), "Zg==" + separator);
}

TEST_F(Code64Files, EncodeReturnsZeroForMissingEmptyOrUnwritableFiles)
{
    std::string empty = m_dir.write("empty", "");
    std::string in = m_dir.write("in", "abc");
    std::string out = m_dir.file("out");
    EXPECT_EQ(Code64FileEncode(m_dir.file("missing").c_str(), out.c_str(), nullptr, nullptr, nullptr), 0);
    EXPECT_EQ(Code64FileEncode(empty.c_str(), out.c_str(), nullptr, nullptr, nullptr), 0);
    EXPECT_EQ(Code64FileEncode(in.c_str(), m_dir.file("no/such/folder").c_str(), nullptr, nullptr, nullptr),
              0);
    EXPECT_EQ(Code64FileEncode(nullptr, out.c_str(), nullptr, nullptr, nullptr), 0);
}

TEST_F(Code64Files, DecodeRestoresWhatEncodeWrote)
{
    for (size_t length : {1, 2, 3, 56, 57, 58, 114, 1000, 70000}) {
        std::string bytes = randomBytes(length, unsigned(length));
        std::string in = m_dir.write("in", bytes);
        std::string encoded = m_dir.file("encoded");
        std::string out = m_dir.file("out");
        ASSERT_GT(Code64FileEncode(in.c_str(), encoded.c_str(), nullptr, nullptr, nullptr), 0);
        EXPECT_EQ(Code64FileDecode(encoded.c_str(), out.c_str(), 0), int(length));
        EXPECT_EQ(ScratchDir::read(out), bytes) << "length " << length;
    }
}

TEST_F(Code64Files, DecodeTakesALastLineWithoutLineBreak)
{
    std::string in = m_dir.write("in", "Zm9v");
    std::string out = m_dir.file("out");
    EXPECT_EQ(Code64FileDecode(in.c_str(), out.c_str(), 0), 3);
    EXPECT_EQ(ScratchDir::read(out), "foo");
}

struct DecodeCase {
    std::string content;
    int result;
    const char *why;
};

void PrintTo(const DecodeCase &decodeCase, std::ostream *out)
{
    *out << decodeCase.why;
}

class Code64FileDecodeResults : public testing::TestWithParam<DecodeCase> {};

TEST_P(Code64FileDecodeResults, ReturnsItsCodeAndWritesNothingOnFailure)
{
    ScratchDir dir;
    std::string in = dir.write("in", GetParam().content);
    std::string out = dir.file("out");
    EXPECT_EQ(Code64FileDecode(in.c_str(), out.c_str(), 0), GetParam().result) << GetParam().why;
    if (GetParam().result < 0) {
        EXPECT_FALSE(std::filesystem::exists(out)) << GetParam().why;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, Code64FileDecodeResults,
    testing::Values(DecodeCase{"", 0, "empty input"}, DecodeCase{"\r\n", -1234, "nothing but a line break"},
                    DecodeCase{"Zm9*\r\n", -1, "foreign character"},
                    DecodeCase{"Zg=A\r\n", -1, "misplaced pad"},
                    DecodeCase{"Zm9vYmFy\r\nZm9v\r\n", -1, "lines shorter than 76 characters"},
                    DecodeCase{"Zm9\r\n", -1, "truncated group"}));

TEST_F(Code64Files, DecodeReturnsZeroForAMissingInputAndMinus1717ForAnUnwritableOutput)
{
    std::string in = m_dir.write("in", "Zm9v\r\n");
    EXPECT_EQ(Code64FileDecode(m_dir.file("missing").c_str(), m_dir.file("out").c_str(), 0), 0);
    EXPECT_EQ(Code64FileDecode(in.c_str(), m_dir.file("no/such/folder").c_str(), 0), -1717);
}

} // namespace
