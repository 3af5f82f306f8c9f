// The remembered password's cipher: RC4 itself against published vectors,
// the key derivation against known cipher texts, and the password's round
// trip.
#include "admin/app/passwordcipher.h"

#include <gtest/gtest.h>

namespace {

struct Rc4Vector {
    const char *key;
    const char *plain;
    const char *cipherHex;
};

class Rc4Vectors : public testing::TestWithParam<Rc4Vector> {};

TEST_P(Rc4Vectors, MatchThePublishedCipherText)
{
    const Rc4Vector &v = GetParam();
    EXPECT_EQ(Rc4Cipher(v.key, v.plain).toHex(), QByteArray(v.cipherHex));
}

INSTANTIATE_TEST_SUITE_P(Published, Rc4Vectors,
                         testing::Values(Rc4Vector{"Key", "Plaintext", "bbf316e8d940af0ad3"},
                                         Rc4Vector{"Wiki", "pedia", "1021bf0420"},
                                         Rc4Vector{"Secret", "Attack at dawn",
                                                   "45a01f645fc35b383552544b9bf5"}));

// A round trip passes under any key; these bytes hold only under RC4 keyed
// with all 16 bytes of MD5("Hq3#k8e%") (ba02f272a3379e42246b5c7ca98fbfbb),
// worked out apart from this code.
TEST(RememberedPasswordCipher, StoresTheBytesOfRc4UnderTheMd5OfThePassPhrase)
{
    EXPECT_EQ(CipherRememberedPassword("abcde").toHex(), QByteArray("2669fe4a52"));
    EXPECT_EQ(CipherRememberedPassword("Cardomel").toHex(), QByteArray("046aef4a5805a2ee"));
    EXPECT_EQ(CipherRememberedPassword(QByteArray::fromHex("046aef4a5805a2ee")), QByteArray("Cardomel"));
}

TEST(RememberedPasswordCipher, KeepsTheLengthAndRoundTrips)
{
    for (const QByteArray &password :
         {QByteArray("abcde"), QByteArray("a$b[c]{"), QByteArray(64, 'x'), QByteArray("p\xc3\xa4ss")}) {
        const QByteArray stored = CipherRememberedPassword(password);
        EXPECT_EQ(stored.size(), password.size());
        EXPECT_NE(stored, password);
        EXPECT_EQ(CipherRememberedPassword(stored), password);
    }
}

} // namespace
