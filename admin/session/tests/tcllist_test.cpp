// The reply-list splitter and the error-reply test, against the real Tcl
// library's list rules.
#include "admin/session/tcllist.h"

#include <gtest/gtest.h>

namespace {

struct ErrorReplyCase {
    const char *text;
    bool isError;
};

class IsErrorReplyTest : public testing::TestWithParam<ErrorReplyCase> {};

TEST_P(IsErrorReplyTest, ErrorIsExactlyALeadingExclamationMark)
{
    EXPECT_EQ(IsErrorReply(GetParam().text), GetParam().isError);
    EXPECT_EQ(IsErrorReply(QString::fromUtf8(GetParam().text)), GetParam().isError);
}

INSTANTIATE_TEST_SUITE_P(Replies, IsErrorReplyTest,
                         testing::Values(ErrorReplyCase{"!", true},
                                         ErrorReplyCase{"!ERROR no such box", true},
                                         ErrorReplyCase{"", false}, ErrorReplyCase{" !ERROR", false},
                                         ErrorReplyCase{"101 {a b}", false}));

TEST(IsErrorReplyTest, NullTextIsNoError)
{
    EXPECT_FALSE(IsErrorReply(static_cast<const char *>(nullptr)));
}

TEST(CTclListTest, SplitsByTclRulesWithBracesRemoved)
{
    QStringList out{"stale"};
    CTclList().SplitList(QStringLiteral("&Name1 {John Smith} &Ext 101 {} \"q u\" a\\ b"), out);
    EXPECT_EQ(out, (QStringList{"&Name1", "John Smith", "&Ext", "101", "", "q u", "a b"}));
}

TEST(CTclListTest, MalformedListGivesNoElements)
{
    QStringList out{"stale"};
    CTclList().SplitList(QStringLiteral("a {b c"), out);
    EXPECT_TRUE(out.isEmpty());
    EXPECT_EQ(CTclList().Split("x \"y").size(), 0);
}

TEST(CTclListTest, EmptyListEmptiesTheArray)
{
    QStringList out{"stale"};
    CTclList().SplitList(QString(), out);
    EXPECT_TRUE(out.isEmpty());
}

TEST(CTclListTest, KeysCollapseDuplicatesAndReplaceOldContent)
{
    QSet<QString> keys{"old"};
    CTclList().SplitListToKeys(QStringLiteral("101 102 101 {a b}"), keys);
    EXPECT_EQ(keys, (QSet<QString>{"101", "102", "a b"}));
}

TEST(CTclListTest, PairsMapNamesToValuesLastOneWins)
{
    QHash<QString, QString> map{{"old", "x"}};
    EXPECT_TRUE(CTclList().SplitPairs(QStringLiteral("COS 7 &Name1 {John Smith} COS 8"), map));
    EXPECT_EQ(map.size(), 2);
    EXPECT_EQ(map.value("COS"), "8");
    EXPECT_EQ(map.value("&Name1"), "John Smith");
}

TEST(CTclListTest, OddCountIsMalformedAndLeavesTheMapEmpty)
{
    QHash<QString, QString> map{{"old", "x"}};
    EXPECT_FALSE(CTclList().SplitPairs(QStringLiteral("a 1 b"), map));
    EXPECT_TRUE(map.isEmpty());
}

TEST(CTclListTest, EmptyListIsAnEmptyPairMap)
{
    QHash<QString, QString> map{{"old", "x"}};
    EXPECT_TRUE(CTclList().SplitPairs(QString(), map));
    EXPECT_TRUE(map.isEmpty());
}

TEST(CTclListTest, KeepsUtf8Text)
{
    QStringList out;
    CTclList().SplitList(QStringLiteral("{Zoë Müller} 日本"), out);
    EXPECT_EQ(out, (QStringList{QStringLiteral("Zoë Müller"), QStringLiteral("日本")}));
}

TEST(CTclListTest, ElementsOutliveTheSplitterAndShareTheirBlock)
{
    CTclElements copy;
    {
        const CTclElements elements = CTclList().Split("one {two three}");
        copy = elements;
    }
    ASSERT_EQ(copy.size(), 2);
    EXPECT_EQ(copy.at(1), "two three");
    EXPECT_EQ(copy.toStringList(), (QStringList{"one", "two three"}));
}

} // namespace
