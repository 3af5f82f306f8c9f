// The editor document's command filter and list, through a scripted channel:
// what reaches the server for the generic list query and for a restricted
// box, the list queries of the mailbox and class-of-service editors, and how
// the editor's own list is read from the server's reply.
#include "admin/useragents/admindoc.h"
#include "admin/useragents/cosdoc.h"
#include "admin/useragents/tests/qtprinters.h"
#include "admin/useragents/tests/scriptedchannel.h"
#include "platform/msgbox/messageboxscript.h"

#include <gtest/gtest.h>

namespace {

CAdminDoc::Account anyBox()
{
    return CAdminDoc::Account{[](long) { return true; }, false};
}

struct FilterCase {
    const char *name;
    QList<long> list;
    const char *command;
    const char *sent;
};

class DocumentFilter : public testing::TestWithParam<FilterCase> {};

TEST_P(DocumentFilter, SendsTheTranslatedCommand)
{
    const FilterCase &c = GetParam();
    ScriptedChannel channel;
    CAdminDoc document(anyBox());
    document.SetSessionChannel(&channel);
    document.SetUAList(c.list);
    document.Execute(QString::fromUtf8(c.command));
    EXPECT_EQ(channel.sent(), QStringList{QString::fromUtf8(c.sent)});
}

const FilterCase kFilterCases[] = {
    {"AllUABecomesTheListQuery", {101, 102}, "AllUA", "MultipleUA {101 102 }"},
    {"AllUAPassesWithoutAList", {}, "AllUA", "AllUA"},
    {"RestrictedBoxOutsideTheListIsNoBox", {101, 102}, "RestrictedUA 103", "GetUA -1"},
    {"RestrictedBoxOfTheList", {101, 102}, "RestrictedUA 102", "GetUA 102"},
    {"RestrictedBoxWithoutAList", {}, "RestrictedUA 103", "GetUA 103"},
    {"RestrictedNumberOutOfRangeIsNoBox", {}, "RestrictedUA 99999999999", "GetUA -1"},
    {"OtherCommandsPassUnchanged", {101}, "GetUA 101 &Ext", "GetUA 101 &Ext"},
};

INSTANTIATE_TEST_SUITE_P(Commands, DocumentFilter, testing::ValuesIn(kFilterCases),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(AdminDoc, ListQueriesNameTheEditorsBoxesOrAll)
{
    CAdminDoc mailboxes(anyBox());
    EXPECT_EQ(mailboxes.GetParmsCommand(), "ParmsForUAType {MB} {} {All}\n");
    EXPECT_EQ(mailboxes.GetListParmsCommand(), "ParmsForUAType {MB} {} {All}\n");
    EXPECT_EQ(mailboxes.GetCurrentUANumber(), -1);
    mailboxes.SetUAList({101, 102});
    EXPECT_EQ(mailboxes.GetParmsCommand(), "ParmsForUAType {MB} {} {101 102}\n");
    EXPECT_EQ(mailboxes.GetUAListText(), "101 102");
    EXPECT_EQ(mailboxes.GetCurrentUANumber(), 101);

    CCOSDoc classes(anyBox());
    EXPECT_TRUE(classes.IsOwned());
    EXPECT_EQ(classes.GetParmsCommand(), "ParmsForUAType {MB} {} {AllCOS}\n");
    EXPECT_EQ(classes.GetListParmsCommand(), "ParmsForUAType {MB} {} {All}\n");
    // A class-of-service editor without a list works on the default box.
    EXPECT_EQ(classes.GetCurrentUANumber(), 997);
}

TEST(AdminDoc, OwnListKeepsAllowedBoxesBelowTheClassTopsInAscendingOrder)
{
    ScriptedChannel channel;
    channel.queue("2000 101 junk 1073741825 1073741824 99999999999 4000 -5");
    CAdminDoc document(CAdminDoc::Account{[](long number) { return number != 4000; }, false});
    document.SetSessionChannel(&channel);
    ASSERT_TRUE(document.LoadOwnUAList());
    EXPECT_EQ(channel.sent(), QStringList{"GetUAList4Property COS {MB} notowned NOASR"});
    // Negative numbers sort last, as the server's unsigned order has them.
    EXPECT_EQ(document.UANumbers(), (QList<long>{101, 2000, 1073741824, -5}));
    EXPECT_TRUE(document.IsUAAllowed(2000));
    EXPECT_FALSE(document.IsUAAllowed(4000));
    EXPECT_TRUE(document.RemoveUANumber(2000));
    EXPECT_FALSE(document.RemoveUANumber(2000));
    EXPECT_FALSE(document.IsUAAllowed(2000));

    CCOSDoc classes(anyBox());
    classes.SetSessionChannel(&channel);
    channel.queue("10 20");
    ASSERT_TRUE(classes.LoadOwnUAList());
    EXPECT_EQ(channel.sent().last(), "GetUAList4Property COS {MB} owned NOASR");
}

TEST(AdminDoc, RefusedListIsShownAndKeepsTheOldList)
{
    MessageBoxScript boxes;
    ScriptedChannel channel;
    CAdminDoc document(anyBox());
    document.SetSessionChannel(&channel);
    document.SetUAList({101});
    channel.queue("!ERROR no list");
    boxes.answer(IDOK);
    EXPECT_FALSE(document.LoadOwnUAList());
    EXPECT_EQ(boxes.texts(), QStringList{"!ERROR no list"});
    EXPECT_EQ(document.UANumbers(), QList<long>{101});
}

TEST(AdminDoc, AccountThatMayAdministerEveryBoxIsAllowedAnyBox)
{
    CAdminDoc document(CAdminDoc::Account{[](long) { return true; }, true});
    EXPECT_TRUE(document.IsUAAllowed(4711));
}

} // namespace
