// The value trackers: conversions between the record's text and the
// control's value, Use COS / Revert, and that a field nobody touched goes
// back with exactly the text it came with.
#include "admin/useragents/pageboolvalue.h"
#include "admin/useragents/pagenumbervalue.h"
#include "admin/useragents/pagetextvalue.h"

#include <gtest/gtest.h>

namespace {

TEST(PageBoolValue, ReadsOnAndOffTexts)
{
    struct Case {
        const char *text;
        bool inverted;
        bool on;
    } const cases[] = {
        {"1", false, true}, {"0", false, false}, {"", false, false}, {"yes", false, false},
        {"0", true, true},  {"1", true, false},  {"", true, true},   {"yes", true, false},
    };
    for (const Case &c : cases) {
        CPageBoolValue value;
        if (c.inverted)
            value.SetInverted();
        value.PutText(QString::fromUtf8(c.text));
        EXPECT_EQ(value.GetValue(), c.on) << c.text << (c.inverted ? " inverted" : "");
    }
}

TEST(PageBoolValue, UntouchedFieldKeepsItsTextAndAChangeWritesTheOnOrOffText)
{
    CPageBoolValue value;
    value.PutText(QString());
    EXPECT_EQ(value.GetText(), QString()) << "an absent property does not become \"0\"";
    value.SetValue(true);
    EXPECT_EQ(value.GetText(), QStringLiteral("1"));
    value.SetValue(false);
    EXPECT_EQ(value.GetText(), QString()) << "back to the value read: back to its text";

    CPageBoolValue inverted;
    inverted.SetInverted();
    inverted.PutText(QString());
    inverted.GetValueRef() = false;
    EXPECT_EQ(inverted.GetText(), QStringLiteral("1"));
    inverted.Reset();
    EXPECT_EQ(inverted.GetText(), QStringLiteral("1")) << "reset is off, written as off";
}

TEST(PageNumberValue, ReadsLikeAStreamAndKeepsTheTextOfAnUntouchedField)
{
    struct Case {
        const char *text;
        std::int32_t value;
    } const cases[] = {
        {"45500", 45500}, {"-1", -1}, {"  12", 12}, {"12abc", 12}, {"abc", 0}, {"", 0}, {"99999999999", 0},
    };
    for (const Case &c : cases) {
        CPageIntValue value;
        value.PutText(QString::fromUtf8(c.text));
        EXPECT_EQ(value.GetValue(), c.value) << c.text;
        EXPECT_EQ(value.GetText(), QString::fromUtf8(c.text)) << "sent back as received";
    }
    CPageUIntValue rings;
    rings.PutText(QStringLiteral("-1"));
    EXPECT_EQ(rings.GetValue(), 0u) << "no wrap into a huge unsigned number";
    EXPECT_EQ(rings.GetText(), QStringLiteral("-1"));
    rings.SetValue(4);
    EXPECT_EQ(rings.GetText(), QStringLiteral("4"));

    CPageNumValue length;
    length.PutText(QStringLiteral("007"));
    length.SetValue(7);
    EXPECT_EQ(length.GetText(), QStringLiteral("007")) << "the same number is no change";
    length.SetValue(8);
    EXPECT_EQ(length.GetText(), QStringLiteral("8"));
}

TEST(PageValue, UseInheritedKeepsTheOwnTextAndRevertBringsItBack)
{
    CPageTextValue name(QStringLiteral("own"));
    name.own = true;
    name.UseInherited(QStringLiteral("from COS"));
    EXPECT_TRUE(name.showsInherited);
    EXPECT_EQ(name.GetText(), QStringLiteral("from COS"));
    EXPECT_EQ(name.stored, QStringLiteral("own"));
    name.Revert();
    EXPECT_FALSE(name.showsInherited);
    EXPECT_EQ(name.GetText(), QStringLiteral("own"));

    CPageIntValue rings;
    rings.PutText(QStringLiteral("3"));
    rings.UseInherited(QStringLiteral("5"));
    EXPECT_EQ(rings.GetValue(), 5);
    rings.Revert();
    EXPECT_EQ(rings.GetText(), QStringLiteral("3"));
}

TEST(PageValue, CopyTakesFlagsStoredTextAndValue)
{
    CPageTextValue source(QStringLiteral("x"));
    source.own = source.locked = source.lockOwn = true;
    source.stored = QStringLiteral("kept");
    source.SetDisabled(true);
    source.SetInheritanceOff(true);
    CPageTextValue copy;
    copy = source;
    EXPECT_TRUE(copy.own && copy.locked && copy.lockOwn && copy.disabled && copy.inheritanceOff);
    EXPECT_FALSE(copy.showsInherited);
    EXPECT_EQ(copy.stored, QStringLiteral("kept"));
    EXPECT_EQ(copy.GetText(), QStringLiteral("x"));
}

} // namespace
