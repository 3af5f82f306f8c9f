// Reading the list reply: values of every shape come out exactly as the
// server sent them, whether the reply is read in place or by the Tcl
// splitter, and elements that are not records are counted, not half-read.
#include "admin/useragents/useragentarray.h"

#include "admin/session/tclword.h"

#include <gtest/gtest.h>

namespace {

// One record as the server would quote it.
QByteArray record(long number, long cos, const QString &comment, const QString &name1 = {},
                  const QString &name2 = {}, const QString &ext = {})
{
    const QStringList fields = {QStringLiteral("{%1 %2 1 -1 0}").arg(number).arg(cos),
                                QStringLiteral("{&Comment &Name1 &Name2 &Ext}"),
                                QStringLiteral("&Comment"),
                                TclWord(comment),
                                QStringLiteral("&Name1"),
                                TclWord(name1),
                                QStringLiteral("&Name2"),
                                TclWord(name2),
                                QStringLiteral("&Ext"),
                                TclWord(ext)};
    return TclWord(fields.join(QLatin1Char(' '))).toUtf8();
}

TEST(UserAgentArray, ValuesOfEveryShapeArriveAsSent)
{
    const QString values[] = {
        QStringLiteral("plain"),       QStringLiteral("a } b"),          QStringLiteral("open { only"),
        QStringLiteral("[exec rm x]"), QStringLiteral("$x and $y"),      QStringLiteral("ends in \\"),
        QStringLiteral("\"quoted\""),  QStringLiteral("Zoë Ærøskøbing"), QStringLiteral(""),
        QStringLiteral("two  blanks"), QStringLiteral("{braced}"),
    };
    for (const QString &value : values) {
        for (bool withPlainNeighbour : {false, true}) {
            QByteArray reply = record(101, 20, value, value, QStringLiteral("Lee"), value);
            if (withPlainNeighbour)
                reply = record(100, 20, QStringLiteral("x")) + ' ' + reply;
            CUserAgentArray array;
            const CUserAgentArray::FillResult result = array.FillFromReply(reply);
            ASSERT_EQ(result.malformed, 0) << reply.constData();
            ASSERT_EQ(array.GetSize(), withPlainNeighbour ? 2 : 1);
            const int i = array.GetSize() - 1;
            EXPECT_EQ(array.GetNumber(i), 101);
            EXPECT_EQ(array.GetParent(i), 20);
            EXPECT_EQ(array.GetComment(i), value) << reply.constData();
            EXPECT_EQ(array.GetExtension(i), value);
            EXPECT_EQ(array.GetName(i), value + QStringLiteral(" Lee"));
        }
    }
}

TEST(UserAgentArray, LeavesOutTopsAndRefusedBoxesButKeepsTheMailboxRoot)
{
    CUserAgentArray array([](long number) { return number != 102; });
    const QByteArray reply = record(101, 20, "a") + ' ' + record(102, 20, "b") + ' ' +
                             record(0x40000001, -1, "top") + ' ' + record(0x7fffffff, -1, "root") + ' ' +
                             record(0x40000000, -1, "at the mark");
    EXPECT_EQ(array.FillFromReply(reply).malformed, 0);
    ASSERT_EQ(array.GetSize(), 3);
    EXPECT_EQ(array.GetNumber(0), 101);
    EXPECT_EQ(array.GetNumber(1), 0x7fffffff);
    EXPECT_EQ(array.GetNumber(2), 0x40000000);
}

TEST(UserAgentArray, CountsElementsThatAreNotRecords)
{
    struct Case {
        const char *element;
    } const cases[] = {
        {"{4294967397 20 1 -1 0} {}"},   // number beyond 32 bits
        {"{101 20 1 -1} {}"},            // four header numbers
        {"{101 x 1 -1 0} {}"},           // parent not a number
        {"{101 20 1 -1 0} {} &Comment"}, // odd pairs
        {"{101 20 1 -1 0}"},             // no names
        {"{101 20 1 -1 0} {} &Comment {unbalanced"},
    };
    for (const Case &c : cases) {
        CUserAgentArray array;
        const QByteArray reply = record(7, 20, "ok") + ' ' + TclWord(QByteArray(c.element));
        const CUserAgentArray::FillResult result = array.FillFromReply(reply);
        EXPECT_EQ(result.malformed, 1) << c.element;
        EXPECT_EQ(result.firstMalformed, QString::fromUtf8(c.element));
        ASSERT_EQ(array.GetSize(), 1) << c.element;
        EXPECT_EQ(array.GetNumber(0), 7);
    }
}

TEST(UserAgentArray, UnreadableReplyGivesNothing)
{
    CUserAgentArray array;
    array.FillFromReply(record(7, 20, "ok"));
    EXPECT_EQ(array.FillFromReply("{unbalanced").malformed, 0);
    EXPECT_TRUE(array.IsEmpty());
}

} // namespace
