// The braced GUID text form: printing, and parsing that accepts exactly it.
#include "platform/com/guid.h"

#include <gtest/gtest.h>

namespace {

constexpr GUID kConduitClass = {0x596899B8, 0x343C, 0x495C, {0xA8, 0xB7, 0xC2, 0x16, 0x08, 0xF7, 0x1C, 0xAB}};

TEST(GuidTest, PrintsTheBracedUpperCaseRegistryForm)
{
    EXPECT_EQ(GuidToString(kConduitClass), "{596899B8-343C-495C-A8B7-C21608F71CAB}");
    EXPECT_EQ(GuidToString(IID_IUnknown), "{00000000-0000-0000-C000-000000000046}");
}

TEST(GuidTest, ParsesEitherCaseBackToTheSameBytes)
{
    for (const char *text :
         {"{596899B8-343C-495C-A8B7-C21608F71CAB}", "{596899b8-343c-495c-a8b7-c21608f71cab}"}) {
        GUID parsed{};
        ASSERT_TRUE(GuidFromString(text, &parsed)) << text;
        EXPECT_TRUE(parsed == kConduitClass) << text;
    }
}

TEST(GuidTest, RoundTripsEveryByte)
{
    const GUID guid = {0xFEDCBA98, 0x0102, 0xF0E0, {0x00, 0xFF, 0x10, 0x9A, 0xBC, 0xDE, 0xF1, 0x23}};
    GUID parsed{};
    ASSERT_TRUE(GuidFromString(GuidToString(guid), &parsed));
    EXPECT_TRUE(parsed == guid);
}

class MalformedGuidTest : public testing::TestWithParam<const char *> {};

TEST_P(MalformedGuidTest, IsRefusedAndLeavesTheOutputUntouched)
{
    GUID parsed = kConduitClass;
    EXPECT_FALSE(GuidFromString(GetParam(), &parsed));
    EXPECT_TRUE(parsed == kConduitClass);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, MalformedGuidTest,
    testing::Values("", "596899B8-343C-495C-A8B7-C21608F71CAB", "{596899B8-343C-495C-A8B7-C21608F71CAB",
                    "{596899B8-343C-495C-A8B7-C21608F71CA}", "{596899B8-343C-495C-A8B7-C21608F71CABB}",
                    "{596899B8343C-495C-A8B7-C21608F71CAB0}", "{596899B8-343C-495C-A8B7-C21608F71CAG}",
                    "{596899B8-343C-495C-A8B7-C21608F71C B}", "(596899B8-343C-495C-A8B7-C21608F71CAB)",
                    "{+96899B8-343C-495C-A8B7-C21608F71CAB}"));

} // namespace
