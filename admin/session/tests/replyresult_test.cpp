// Matching a reply to its command word: the table of results a caller gets.
#include "admin/session/replytarget.h"

#include <gtest/gtest.h>

namespace {

struct ReplyCase {
    const char *commandWord;
    const char *reply;
    const char *result;
};

class ReplyResultTest : public testing::TestWithParam<ReplyCase> {};

TEST_P(ReplyResultTest, GivesTheCallerThisResult)
{
    EXPECT_EQ(CReplyTarget::ReplyResult(GetParam().commandWord, GetParam().reply), GetParam().result);
}

INSTANTIATE_TEST_SUITE_P(
    Words, ReplyResultTest,
    testing::Values(
        ReplyCase{"GetUA", "GetUA {101 5} COS 5", "{101 5} COS 5"}, // the word stripped
        ReplyCase{"GetUA", "GetUA", ""},                            // the word alone: empty result
        ReplyCase{"GetUA", "GetUA !ERROR no such box", "!ERROR no such box"},
        ReplyCase{"", "anything at all", "anything at all"}, // no check: unchanged
        ReplyCase{"GetUANoASR", "GetUA {101} x", "{101} x"}, // a wrapper's wrapped word
        ReplyCase{"GetUA", "GetUAList 1 2",
                  "!ERROR from server while processing 'GetUA' command: GetUAList 1 2"},
        ReplyCase{"GetUA", "GetUAx", "!ERROR from server while processing 'GetUA' command: GetUAx"},
        ReplyCase{"GetUA", "SetUA 1", "!ERROR from server while processing 'GetUA' command: SetUA 1"}));

TEST(CommandWordTest, IsTheLineUpToItsFirstBlank)
{
    EXPECT_EQ(CReplyTarget::CommandWordOf("GetUA 101 {}"), "GetUA");
    EXPECT_EQ(CReplyTarget::CommandWordOf("GetRemoteUsersList "), "GetRemoteUsersList");
    EXPECT_EQ(CReplyTarget::CommandWordOf("OSShutdown"), "OSShutdown");
    EXPECT_EQ(CReplyTarget::CommandWordOf(" lead"), " lead");
}

} // namespace
