// The cipher: RC2 itself against the RFC 2268 vectors, then EncryptData,
// DecryptData and the text forms through the utility object.
#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "conduit/util/conduitutil.h"
#include "conduit/util/rc2cipher.h"

namespace {

std::vector<uint8_t> fromHex(const std::string &hex)
{
    std::vector<uint8_t> bytes;
    for (size_t k = 0; k + 1 < hex.size(); k += 2)
        bytes.push_back(uint8_t(std::stoi(hex.substr(k, 2), nullptr, 16)));
    return bytes;
}

struct Rc2Vector {
    const char *key;
    unsigned effectiveBits;
    const char *plain;
    const char *cipher;
};

void PrintTo(const Rc2Vector &vector, std::ostream *out)
{
    *out << vector.key << "/" << vector.effectiveBits;
}

class Rc2KnownAnswer : public testing::TestWithParam<Rc2Vector> {};

// With a zero vector the first block of CBC is the plain block cipher.
TEST_P(Rc2KnownAnswer, GivesTheRfcCipherBlock)
{
    std::vector<uint8_t> key = fromHex(GetParam().key);
    std::vector<uint8_t> plain = fromHex(GetParam().plain);
    Rc2Cipher cipher(key.data(), key.size(), GetParam().effectiveBits);
    auto encrypted = cipher.encrypt(plain.data(), plain.size());
    ASSERT_TRUE(encrypted.has_value());
    ASSERT_EQ(encrypted->size(), 16u);
    EXPECT_EQ(std::vector<uint8_t>(encrypted->begin(), encrypted->begin() + 8), fromHex(GetParam().cipher));
    EXPECT_EQ(cipher.decrypt(encrypted->data(), encrypted->size()), plain);
}

INSTANTIATE_TEST_SUITE_P(
    Rfc2268, Rc2KnownAnswer,
    testing::Values(Rc2Vector{"0000000000000000", 63, "0000000000000000", "ebb773f993278eff"},
                    Rc2Vector{"ffffffffffffffff", 64, "ffffffffffffffff", "278b27e42e2f0d49"},
                    Rc2Vector{"3000000000000000", 64, "1000000000000001", "30649edf9be7d2c2"},
                    Rc2Vector{"88", 64, "0000000000000000", "61a8a244adacccf0"},
                    Rc2Vector{"88bca90e90875a", 64, "0000000000000000", "6ccf4308974c267f"},
                    Rc2Vector{"88bca90e90875a7f0f79c384627bafb2", 64, "0000000000000000", "1a807d272bbe5db1"},
                    Rc2Vector{"88bca90e90875a7f0f79c384627bafb2", 128, "0000000000000000",
                              "2269552ab0f85ca6"}));

class Encryption : public testing::Test {
protected:
    Encryption() { m_util->AddRef(); }
    ~Encryption() override { m_util->Release(); }

    HRESULT encrypt(const std::string &key, const std::string &plain, std::vector<uint8_t> &cipher,
                    int &success)
    {
        uint32_t size = uint32_t(cipher.size());
        HRESULT result = m_util->EncryptData(key.data(), uint32_t(key.size()), plain.data(),
                                             uint32_t(plain.size()), cipher.data(), &size, &success);
        cipher.resize(size);
        return result;
    }
    HRESULT decrypt(const std::string &key, const std::vector<uint8_t> &cipher, std::string &plain,
                    int &success)
    {
        uint32_t size = uint32_t(plain.size());
        HRESULT result = m_util->DecryptData(key.data(), uint32_t(key.size()), cipher.data(),
                                             uint32_t(cipher.size()), plain.data(), &size, &success);
        plain.resize(size);
        return result;
    }

    CConduitUtil *m_util = new CConduitUtil;
};

std::string randomBytes(size_t count, unsigned seed)
{
    std::mt19937 generator(seed);
    std::string bytes(count, '\0');
    for (char &c : bytes)
        c = char(generator());
    return bytes;
}

TEST_F(Encryption, RoundTripsEveryLengthUpToTheLimit)
{
    for (size_t length : {0, 1, 7, 8, 9, 15, 16, 17, 100, 999, 1000}) {
        std::string plain = randomBytes(length, unsigned(length));
        std::vector<uint8_t> cipher(2048);
        int success = -1;
        ASSERT_EQ(encrypt("key text", plain, cipher, success), S_OK) << length;
        EXPECT_EQ(success, 1);
        EXPECT_EQ(cipher.size(), length / 8 * 8 + 8) << length;
        std::string restored(1000, '\0');
        ASSERT_EQ(decrypt("key text", cipher, restored, success), S_OK) << length;
        EXPECT_EQ(success, 1);
        EXPECT_EQ(restored, plain) << length;
    }
}

TEST_F(Encryption, GivesTheSameCipherTextForTheSameKeyAndInput)
{
    std::vector<uint8_t> first(64), second(64), otherKey(64);
    int success;
    ASSERT_EQ(encrypt("k", "the same input", first, success), S_OK);
    ASSERT_EQ(encrypt("k", "the same input", second, success), S_OK);
    ASSERT_EQ(encrypt("K", "the same input", otherKey, success), S_OK);
    EXPECT_EQ(first, second);
    EXPECT_NE(first, otherKey);
}

TEST_F(Encryption, UsesTheFirstFiveBytesOfTheKeysMd5AsA40BitKey)
{
    // MD5("password") begins 5f 4d cc 3b 5a.
    const uint8_t derived[] = {0x5f, 0x4d, 0xcc, 0x3b, 0x5a};
    auto expected = Rc2Cipher(derived, 5, 40).encrypt(reinterpret_cast<const uint8_t *>("data"), 4);
    ASSERT_TRUE(expected.has_value());
    std::vector<uint8_t> cipher(64);
    int success;
    ASSERT_EQ(encrypt("password", "data", cipher, success), S_OK);
    EXPECT_EQ(cipher, *expected);
}

TEST_F(Encryption, AWrongKeyFailsCleanlyOrGivesOtherBytes)
{
    std::string plain = "a remembered password";
    std::vector<uint8_t> cipher(64);
    int success;
    ASSERT_EQ(encrypt("right", plain, cipher, success), S_OK);
    for (int k = 0; k < 50; ++k) {
        std::string restored(64, '\0');
        HRESULT result = decrypt("wrong" + std::to_string(k), cipher, restored, success);
        if (result == S_OK)
            EXPECT_NE(restored, plain);
        else
            EXPECT_EQ(success, 0);
    }
}

TEST_F(Encryption, FailsWithTheSizeNeededWhenTheOutputIsTooSmall)
{
    std::vector<uint8_t> cipher(15);
    int success = -1;
    EXPECT_EQ(encrypt("k", "sixteen bytes!!!", cipher, success), CONDUIT_E_FAIL);
    EXPECT_EQ(success, 0);
    EXPECT_EQ(cipher.size(), 24u);

    cipher.assign(24, 0);
    ASSERT_EQ(encrypt("k", "sixteen bytes!!!", cipher, success), S_OK);
    std::string plain(15, '\0');
    EXPECT_EQ(decrypt("k", cipher, plain, success), CONDUIT_E_FAIL);
    EXPECT_EQ(success, 0);
    EXPECT_EQ(plain.size(), 16u);
}

TEST_F(Encryption, RefusesInputOverOneThousandBytes)
{
    std::vector<uint8_t> cipher(2048);
    int success = -1;
    EXPECT_EQ(encrypt("k", std::string(1001, 'x'), cipher, success), CONDUIT_E_FAIL);
    EXPECT_EQ(success, 0);
}

TEST_F(Encryption, DecryptRefusesCipherTextsNoAcceptedInputGives)
{
    std::string plain(2048, '\0');
    int success;
    for (size_t length : {0, 7, 9, 1009, 1016}) {
        std::vector<uint8_t> cipher(length, 0x5A);
        EXPECT_EQ(decrypt("k", cipher, plain, success), CONDUIT_E_FAIL) << length;
        plain.resize(2048);
    }
}

TEST_F(Encryption, RefusesMissingArguments)
{
    uint8_t out[16];
    uint32_t size = sizeof out;
    int success = -1;
    EXPECT_EQ(m_util->EncryptData(nullptr, 3, "a", 1, out, &size, &success), CONDUIT_E_FAIL);
    EXPECT_EQ(m_util->EncryptData("k", 1, nullptr, 1, out, &size, &success), CONDUIT_E_FAIL);
    EXPECT_EQ(m_util->EncryptData("k", 1, "a", 1, out, nullptr, &success), CONDUIT_E_FAIL);
    EXPECT_EQ(m_util->DecryptData("k", 1, nullptr, 8, out, &size, &success), CONDUIT_E_FAIL);
    EXPECT_EQ(success, 0);
}

TEST_F(Encryption, WorksFromManyThreadsAtOnce)
{
    std::vector<std::thread> threads;
    std::atomic<int> failures{0};
    for (int t = 0; t < 8; ++t) {
        threads.emplace_back([this, t, &failures] {
            for (int round = 0; round < 50; ++round) {
                std::string plain = randomBytes(size_t(round * 7), unsigned(t * 1000 + round));
                std::vector<uint8_t> cipher(1008);
                std::string restored(1000, '\0');
                int success;
                if (encrypt("key" + std::to_string(t), plain, cipher, success) != S_OK ||
                    decrypt("key" + std::to_string(t), cipher, restored, success) != S_OK ||
                    restored != plain)
                    ++failures;
            }
        });
    }
    for (std::thread &thread : threads)
        thread.join();
    EXPECT_EQ(failures.load(), 0);
}

class TextForms : public Encryption {
protected:
    HRESULT toText(const char *key, const std::string &plain, std::string &text, int size, int &success)
    {
        text.assign(size_t(std::max(size, 1)), '#');
        HRESULT result = m_util->EncryptToText(key, plain.c_str(), text.data(), size, &success);
        text.resize(std::strlen(text.c_str()));
        return result;
    }
    HRESULT fromText(const char *key, const std::string &text, std::string &plain, int size, int &success)
    {
        plain.assign(size_t(std::max(size, 1)), '#');
        HRESULT result = m_util->DecryptFromText(key, text.c_str(), plain.data(), size, &success);
        plain.resize(std::strlen(plain.c_str()));
        return result;
    }
};

TEST_F(TextForms, RoundTripThroughBase64WithoutLineBreaks)
{
    for (size_t length : {0, 1, 8, 57, 500, 1000}) {
        std::string plain(length, 'p');
        std::string text, restored;
        int success = -1;
        ASSERT_EQ(toText("key", plain, text, 2048, success), S_OK) << length;
        EXPECT_EQ(success, 1);
        EXPECT_EQ(text.size(), (length / 8 * 8 + 8 + 2) / 3 * 4) << length;
        EXPECT_EQ(text.find_first_of("\r\n"), std::string::npos);
        ASSERT_EQ(fromText("key", text, restored, int(length) + 1, success), S_OK) << length;
        EXPECT_EQ(success, 1);
        EXPECT_EQ(restored, plain);
    }
}

TEST_F(TextForms, RefuseATextThatDoesNotFit)
{
    std::string text, plain;
    int success = -1;
    ASSERT_EQ(toText("key", "abc", text, 13, success), S_OK); // 8 cipher bytes: 12 characters
    EXPECT_EQ(toText("key", "abc", text, 12, success), CONDUIT_E_FAIL);
    EXPECT_EQ(success, 0);
    EXPECT_EQ(text, "");
    ASSERT_EQ(toText("key", "abc", text, 13, success), S_OK);
    EXPECT_EQ(fromText("key", text, plain, 3, success), CONDUIT_E_FAIL); // no room for the NUL
    EXPECT_EQ(success, 0);
    EXPECT_EQ(plain, "");
}

TEST_F(TextForms, RefuseMalformedOrOverlongTexts)
{
    std::string text, plain;
    int success = -1;
    ASSERT_EQ(toText("key", "abc", text, 64, success), S_OK);
    for (const std::string &bad : {text.substr(1), text + "====", std::string("!!!!!!!!!!!!"),
                                   std::string(""), std::string(4000, 'A')}) {
        EXPECT_EQ(fromText("key", bad, plain, 64, success), CONDUIT_E_FAIL) << bad.substr(0, 20);
        EXPECT_EQ(success, 0);
    }
    EXPECT_EQ(toText("key", std::string(1001, 'x'), text, 4096, success), CONDUIT_E_FAIL);
}

} // namespace
