// The session's stand-in replies for answers that never came: their texts
// are what windows have always been shown, and a caller tells each of them
// from the server's own errors.
#include "admin/session/unansweredreply.h"

#include <gtest/gtest.h>

namespace {

using UnansweredReply::Cause;

struct Case {
    Cause cause;
    const char *word;
    const char *reply;
};

const Case kCases[] = {
    {Cause::Disconnected, "GetUA", "!ERROR Server disconnected while processing  \"GetUA\" command."},
    {Cause::Disconnected, "", "!ERROR Server disconnected while processing  command."},
    {Cause::NeverResponded, "set", "!ERROR Server never responded while processing  \"set\" command."},
    {Cause::Cancelled, "GetTime",
     "!ERROR Waiting cancelled while the server was processing  \"GetTime\" command."},
};

TEST(UnansweredReply, EachCauseReadsAsBeforeAndIsToldApartFromTheServersErrors)
{
    for (const Case &c : kCases) {
        const QString reply = UnansweredReply::For(c.cause, c.word);
        EXPECT_EQ(reply.toStdString(), c.reply);
        EXPECT_FALSE(UnansweredReply::ReasonOf(reply).isEmpty()) << c.reply;
    }
    for (const char *answer : {"!ERROR no such variable", "!ERROR Server disconnected", "0", ""})
        EXPECT_TRUE(UnansweredReply::ReasonOf(QString::fromLatin1(answer)).isEmpty()) << answer;
}

} // namespace
