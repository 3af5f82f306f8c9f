// ScrambleText through the utility object and the scrambler under it: known
// answers worked out from the generator formula, round trips, the letter
// set, refused input and room checks.
#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <string>

#include "conduit/util/conduitutil.h"
#include "conduit/util/letterscrambler.h"

namespace {

class ScrambleText : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(m_util->QueryInterface(&IID_IConduitUtil, reinterpret_cast<void **>(&m_iface)), S_OK);
    }
    void TearDown() override { m_iface->Release(); }

    HRESULT run(const char *seed, const std::string &in, std::string &out, int size, int direction)
    {
        std::string buffer(size_t(std::max(size, 1)), '#');
        HRESULT result = m_iface->ScrambleText(seed, in.c_str(), buffer.data(), size, direction);
        out = buffer.c_str();
        return result;
    }

    CConduitUtil *m_util = new CConduitUtil;
    IConduitUtil *m_iface = nullptr;
};

struct KnownScramble {
    const char *seed;
    std::string bytes;
    const char *letters;
};

void PrintTo(const KnownScramble &known, std::ostream *out)
{
    *out << "seed " << known.seed;
}

class ScrambleKnownAnswer : public testing::TestWithParam<KnownScramble> {};

TEST_P(ScrambleKnownAnswer, FollowsTheGeneratorFormula)
{
    LetterScrambler scrambler(GetParam().seed);
    EXPECT_EQ(scrambler.scramble(GetParam().bytes), GetParam().letters);
    EXPECT_EQ(scrambler.unscramble(GetParam().letters), GetParam().bytes);
}

INSTANTIATE_TEST_SUITE_P(Table, ScrambleKnownAnswer,
                         testing::Values(KnownScramble{"12345", "Hi!", "XTGCXH"},
                                         KnownScramble{"0", std::string("\0\xff", 2), "PMJS"},
                                         KnownScramble{"not a number", std::string("\0\xff", 2), "PMJS"},
                                         KnownScramble{"-7", "abc", "QULAQK"},
                                         KnownScramble{"  -7xyz", "abc", "QULAQK"}));

TEST(LetterScrambler, ReadsTheSeedAsA32BitDecimalNumberHeldAtItsLimits)
{
    EXPECT_EQ(LetterScrambler::seedValue("42"), 42u);
    EXPECT_EQ(LetterScrambler::seedValue("-1"), 0xFFFFFFFFu);
    EXPECT_EQ(LetterScrambler::seedValue("99999999999"), 0x7FFFFFFFu);
    EXPECT_EQ(LetterScrambler::seedValue("-99999999999"), 0x80000000u);
    EXPECT_EQ(LetterScrambler::seedValue(""), 0u);
    EXPECT_EQ(LetterScrambler::seedValue(nullptr), 0u);
}

TEST(LetterScrambler, UsesSixteenLettersAndRoundTripsEveryByteValue)
{
    std::string every;
    for (int c = 1; c < 256; ++c)
        every += char(c);
    for (const char *seed : {"0", "1", "777", "2147483647"}) {
        LetterScrambler scrambler(seed);
        std::string letters = scrambler.scramble(every);
        EXPECT_EQ(std::set<char>(letters.begin(), letters.end()).size(), 16u) << "seed " << seed;
        EXPECT_EQ(scrambler.unscramble(letters), every) << "seed " << seed;
    }
}

TEST(LetterScrambler, DoesNotDependOnTheProgramsRandomGenerator)
{
    std::srand(1);
    std::string first = LetterScrambler("5").scramble("same");
    std::srand(99);
    (void)std::rand();
    EXPECT_EQ(LetterScrambler("5").scramble("same"), first);
}

TEST_F(ScrambleText, RoundTripsWithTheSameSeed)
{
    std::string scrambled, restored;
    ASSERT_EQ(run("31337", "secret text", scrambled, 64, 1), S_OK);
    EXPECT_EQ(scrambled.size(), 22u);
    ASSERT_EQ(run("31337", scrambled, restored, 64, 0), S_OK);
    EXPECT_EQ(restored, "secret text");
}

TEST_F(ScrambleText, GivesAnEmptyTextForAnEmptyInput)
{
    std::string out;
    EXPECT_EQ(run("1", "", out, 1, 1), S_OK);
    EXPECT_EQ(out, "");
    EXPECT_EQ(run("1", "", out, 1, 0), S_OK);
    EXPECT_EQ(out, "");
}

TEST_F(ScrambleText, NeedsRoomForTheResultAndItsNul)
{
    std::string out;
    EXPECT_EQ(run("1", "abc", out, 7, 1), S_OK);
    EXPECT_EQ(run("1", "abc", out, 6, 1), CONDUIT_E_FAIL);
    EXPECT_EQ(out, "");
    std::string scrambled = LetterScrambler("1").scramble("abc");
    EXPECT_EQ(run("1", scrambled, out, 4, 0), S_OK);
    EXPECT_EQ(run("1", scrambled, out, 3, 0), CONDUIT_E_FAIL);
    EXPECT_EQ(run("1", "abc", out, 0, 1), CONDUIT_E_FAIL);
}

TEST_F(ScrambleText, RefusesOddOrForeignInputToTheUnscrambler)
{
    std::string every;
    for (int c = 0; c < 256; ++c)
        every += char(c);
    std::string used = LetterScrambler("8").scramble(every);
    char outside = 'A';
    while (used.find(outside) != std::string::npos)
        ++outside;
    std::string letters = LetterScrambler("8").scramble("abcd");
    std::string out;
    EXPECT_EQ(run("8", letters.substr(1), out, 64, 0), CONDUIT_E_FAIL);
    EXPECT_EQ(run("8", letters + outside + letters[0], out, 64, 0), CONDUIT_E_FAIL);
    EXPECT_EQ(run("8", letters + letters[0] + "a", out, 64, 0), CONDUIT_E_FAIL);
    EXPECT_EQ(run("8", "!!", out, 64, 0), CONDUIT_E_FAIL);
    EXPECT_EQ(out, "");
}

TEST_F(ScrambleText, RefusesMissingArguments)
{
    char out[8];
    EXPECT_EQ(m_iface->ScrambleText("1", nullptr, out, 8, 1), CONDUIT_E_FAIL);
    EXPECT_EQ(m_iface->ScrambleText("1", "a", nullptr, 8, 1), CONDUIT_E_FAIL);
    EXPECT_EQ(m_iface->ScrambleText(nullptr, "a", out, 8, 1), S_OK); // no seed reads as seed 0
}

} // namespace
