// The digest against RFC 1321's own suite, against OpenSSL's MD5 around
// every block boundary and for split feeding, and over files.
#include <gtest/gtest.h>
#include <openssl/evp.h>

#include <random>
#include <string>

#include "conduit/codec/md5digest.h"
#include "conduit/codec/tests/scratchdir.h"
#include "conduit/exports.h"

namespace {

std::string md5String(const std::string &data)
{
    char out[33];
    EXPECT_EQ(MD5String(data.data(), uint32_t(data.size()), out), out);
    return out;
}

std::string opensslMd5(const std::string &data)
{
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int length = 0;
    EXPECT_EQ(EVP_Digest(data.data(), data.size(), digest, &length, EVP_md5(), nullptr), 1);
    Md5Digest::Digest d{};
    std::copy(digest, digest + 16, d.begin());
    char hex[33];
    Md5Digest::toHex(d, hex);
    return hex;
}

std::string randomBytes(size_t count, unsigned seed)
{
    std::mt19937 generator(seed);
    std::string bytes(count, '\0');
    for (char &c : bytes)
        c = char(generator());
    return bytes;
}

struct KnownDigest {
    const char *input;
    const char *digest;
};

void PrintTo(const KnownDigest &known, std::ostream *out)
{
    *out << '"' << known.input << '"';
}

class Md5KnownAnswer : public testing::TestWithParam<KnownDigest> {};

TEST_P(Md5KnownAnswer, GivesTheRfcDigestInUpperCaseHex)
{
    EXPECT_EQ(md5String(GetParam().input), GetParam().digest);
}

INSTANTIATE_TEST_SUITE_P(
    Rfc1321Suite, Md5KnownAnswer,
    testing::Values(KnownDigest{"", "D41D8CD98F00B204E9800998ECF8427E"},
                    KnownDigest{"a", "0CC175B9C0F1B6A831C399E269772661"},
                    KnownDigest{"abc", "900150983CD24FB0D6963F7D28E17F72"},
                    KnownDigest{"message digest", "F96B697D7CB7938D525A2F31AAF161D0"},
                    KnownDigest{"abcdefghijklmnopqrstuvwxyz", "C3FCD3D76192E4007DFB496CCA67E13B"},
                    KnownDigest{"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789",
                                "D174AB98D277D9F5A5611C2C9F419D9F"},
                    KnownDigest{
                        "12345678901234567890123456789012345678901234567890123456789012345678901234567890",
                        "57EDF4A22BE3C955AC49DA2E2107B67A"}));

TEST(Md5Digest, MatchesOpensslAroundEveryBlockBoundary)
{
    for (size_t length :
         {0, 1, 55, 56, 57, 63, 64, 65, 119, 120, 121, 127, 128, 129, 1000, 4095, 4096, 65537}) {
        std::string data = randomBytes(length, unsigned(length));
        EXPECT_EQ(md5String(data), opensslMd5(data)) << "length " << length;
    }
}

TEST(Md5Digest, GivesTheSameDigestHoweverTheInputIsSplit)
{
    std::string data = randomBytes(1000, 7);
    std::string whole = md5String(data);
    std::mt19937 generator(11);
    for (int round = 0; round < 50; ++round) {
        Md5Digest md5;
        size_t at = 0;
        while (at < data.size()) {
            size_t chunk = std::min<size_t>(generator() % 130, data.size() - at);
            md5.update(data.data() + at, chunk);
            at += chunk;
        }
        char hex[33];
        Md5Digest::toHex(md5.finish(), hex);
        EXPECT_EQ(hex, whole);
    }
}

TEST(Md5Digest, StartsAfreshAfterFinishing)
{
    Md5Digest md5;
    md5.update("abc", 3);
    md5.finish();
    md5.update("a", 1);
    char hex[33];
    Md5Digest::toHex(md5.finish(), hex);
    EXPECT_STREQ(hex, "0CC175B9C0F1B6A831C399E269772661");
}

TEST(Md5String, RefusesMissingOutputOrMissingData)
{
    char out[33];
    EXPECT_EQ(MD5String("abc", 3, nullptr), nullptr);
    EXPECT_EQ(MD5String(nullptr, 3, out), nullptr);
    EXPECT_EQ(MD5String(nullptr, 0, out), out);
    EXPECT_STREQ(out, "D41D8CD98F00B204E9800998ECF8427E");
}

TEST(Md5File, GivesTheDigestOfTheFileBytes)
{
    ScratchDir dir;
    for (size_t length : {size_t(0), size_t(3), size_t(65535), size_t(65536), size_t(200001)}) {
        std::string data = randomBytes(length, unsigned(length + 1));
        std::string path = dir.write("file" + std::to_string(length), data);
        char out[33];
        ASSERT_EQ(MD5File(path.c_str(), out), out) << "length " << length;
        EXPECT_EQ(std::string(out), opensslMd5(data)) << "length " << length;
    }
}

TEST(Md5File, GivesNullForFilesThatCannotBeRead)
{
    ScratchDir dir;
    char out[33] = "untouched";
    EXPECT_EQ(MD5File(dir.file("missing").c_str(), out), nullptr);
    EXPECT_EQ(MD5File(dir.file("").c_str(), out), nullptr); // the folder itself
    EXPECT_EQ(MD5File(nullptr, out), nullptr);
    EXPECT_STREQ(out, "untouched");
}

} // namespace
