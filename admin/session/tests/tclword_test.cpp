// The quoting helper: every value reads back unchanged in a real Tcl
// interpreter, values that were always sent between braces still are, and
// plain words placed where a command has no braces go exactly as they are.
#include "admin/session/tclword.h"

#include <gtest/gtest.h>
#include <tcl.h>

#include <memory>
#include <string>

namespace {

struct InterpDeleter {
    void operator()(Tcl_Interp *interp) const { Tcl_DeleteInterp(interp); }
};

// What the server's interpreter reads from "list <word>".
QByteArray readBack(const QByteArray &word)
{
    std::unique_ptr<Tcl_Interp, InterpDeleter> interp(Tcl_CreateInterp());
    // A word that tried to run code would leave this set.
    Tcl_Eval(interp.get(), "proc evil {} {set ::ran 1}");
    const QByteArray script = "set ::value " + word;
    if (Tcl_EvalEx(interp.get(), script.constData(), script.size(), 0) != TCL_OK)
        return "<error: " + QByteArray(Tcl_GetStringResult(interp.get())) + ">";
    if (Tcl_GetVar(interp.get(), "ran", TCL_GLOBAL_ONLY) != nullptr)
        return "<code ran>";
    Tcl_Obj *value = Tcl_GetVar2Ex(interp.get(), "value", nullptr, TCL_GLOBAL_ONLY);
    int length = 0;
    const char *bytes = Tcl_GetStringFromObj(value, &length);
    // Tcl keeps NUL as C0 80 inside; give it back as the byte it stands for.
    return QByteArray(bytes, length).replace(QByteArray("\xC0\x80", 2), QByteArray(1, '\0'));
}

class BraceSafeValues : public testing::TestWithParam<const char *> {};

TEST_P(BraceSafeValues, AreSentByteForByteBetweenBraces)
{
    const QByteArray value(GetParam());
    EXPECT_EQ(TclWord(value), '{' + value + '}');
    EXPECT_EQ(readBack(TclWord(value)), value);
}

INSTANTIATE_TEST_SUITE_P(Words, BraceSafeValues,
                         testing::Values("", "joe", "John Smith", "a$b[evil]", "x{y}z", "semi;colon",
                                         "\"quoted\"", "back\\slash", "a\\{b", "tab\there", "line\nbreak",
                                         "#hash"),
                         [](const auto &info) { return "Value" + std::to_string(info.index); });

class QuotedValues : public testing::TestWithParam<QByteArray> {};

TEST_P(QuotedValues, ReadBackUnchangedAndRunNothing)
{
    EXPECT_FALSE(IsSafeBetweenBraces(GetParam()));
    EXPECT_EQ(readBack(TclWord(GetParam())), GetParam());
}

INSTANTIATE_TEST_SUITE_P(Words, QuotedValues,
                         testing::Values(QByteArray("a}b"), QByteArray("}[evil]{"), QByteArray("{[evil]"),
                                         QByteArray("ends\\"), QByteArray("x\\}y"), QByteArray("a\\\nb"),
                                         QByteArray("}"), QByteArray("{{}"), QByteArray("nul\0in[evil]}", 13),
                                         QByteArray("\0", 1), QByteArray("#x}", 3)),
                         [](const auto &info) { return "Value" + std::to_string(info.index); });

class PlainWords : public testing::TestWithParam<const char *> {};

TEST_P(PlainWords, GoBareWhereTheFormatHasNoBraces)
{
    const QByteArray value(GetParam());
    EXPECT_EQ(TclBareWord(value), value);
    EXPECT_EQ(readBack(TclBareWord(value)), value);
}

INSTANTIATE_TEST_SUITE_P(Words, PlainWords,
                         testing::Values("joe", "Cardomel", "frame-secret", "a_b.c-d:e", "2147483647", "-1",
                                         "&Comment", "~Lock_Name1", "Nf_Pager_Disable", "12a"),
                         [](const auto &info) { return "Value" + std::to_string(info.index); });

class WordsNeedingQuotes : public testing::TestWithParam<QByteArray> {};

TEST_P(WordsNeedingQuotes, AreQuotedWhereTheFormatHasNoBracesAndReadBackUnchanged)
{
    const QByteArray word = TclBareWord(GetParam());
    EXPECT_NE(word, GetParam());
    EXPECT_EQ(readBack(word), GetParam());
    // Inside a braced list item too, as the login batch sends its first command.
    EXPECT_EQ(readBack("[lindex [list {x " + word + "\r\n}] 0 1]"), GetParam());
}

INSTANTIATE_TEST_SUITE_P(Words, WordsNeedingQuotes,
                         testing::Values(QByteArray(""), QByteArray("John Smith"), QByteArray("a$b[evil]"),
                                         QByteArray("x{y"), QByteArray("a}b"), QByteArray("}[evil]{"),
                                         QByteArray("semi;colon"), QByteArray("\"quoted\""),
                                         QByteArray("back\\slash"), QByteArray("ends\\"),
                                         QByteArray("tab\there"), QByteArray("#hash"),
                                         QByteArray("nul\0in[evil]}", 13)),
                         [](const auto &info) { return "Value" + std::to_string(info.index); });

TEST(TclWordTest, QStringValuesTravelAsUtf8)
{
    EXPECT_EQ(TclWord(QStringLiteral("Zoë")), QStringLiteral("{Zoë}"));
    EXPECT_EQ(readBack(TclWord(QStringLiteral("Zoë}")).toUtf8()), QStringLiteral("Zoë}").toUtf8());
    EXPECT_EQ(TclBareWord(QStringLiteral("Zoë")), QStringLiteral("Zoë"));
    EXPECT_EQ(readBack(TclBareWord(QStringLiteral("Zoë Smith")).toUtf8()), QStringLiteral("Zoë Smith").toUtf8());
}

} // namespace
