// The Notification and Statistical Port Groups pages in the configuration
// window: typed IDs, port lists and limits with their refusals, adding and
// removing groups, and the `jobq` and `statistical_groups` lines of the
// write-back.
#include "admin/config/dialogs/addnotifygroupdlg.h"
#include "admin/config/window/confignotifygroupsproppage.h"
#include "admin/config/window/configstatgroupsproppage.h"
#include "admin/config/window/tests/configpagestestbase.h"
#include "admin/config/window/voiceportsppg.h"

#include "admin/widgets/spreadsheetex.h"

namespace {

using Page = CConfigPortGroupsPage;

class PortGroupsPagesTest : public ConfigPagesTestBase {
protected:
    QWidget *button(Page *page, int id) { return page->GetDlgItem(id); }
};

TEST_F(PortGroupsPagesTest, TypedPortListsAndLimitsAreCheckedAndWrittenAsTclLists)
{
    openSheet(QStringLiteral("var jobq {{Q1 {1 2 3} 100} {Pager {3 3 99 2 259} 150}}"));
    auto *page = showPage<CConfigNotifyGroupsPropPage>();
    CSpreadSheetEx *grid = page->Grid();
    ASSERT_EQ(grid->rowCount(), 2);
    // What the server holds shows until the group is edited.
    EXPECT_EQ(cellText(grid, Page::PortsColumn, 2), QStringLiteral("3, 3, 99, 2, 259"));
    EXPECT_EQ(cellText(grid, Page::LimitColumn, 2), QStringLiteral("150"));

    // Refused: out of range (257 would be 1 in eight bits), a trailing
    // separator, a limit of 256 (0 in eight bits) and 0.
    m_boxes->answer({IDOK, IDOK, IDOK, IDOK});
    typeInto(grid, Page::PortsColumn, 2, QStringLiteral("1-257"));
    typeInto(grid, Page::PortsColumn, 2, QStringLiteral("1,2,"));
    typeInto(grid, Page::LimitColumn, 2, QStringLiteral("256"));
    typeInto(grid, Page::LimitColumn, 2, QStringLiteral("0"));
    EXPECT_EQ(m_boxes->texts(),
              (QStringList{
                  "Invalid Voice Port List '1-257'. Enter a correct list after closing this message box.",
                  "Invalid Voice Port List '1,2,'. Enter a correct list after closing this message box.",
                  "Invalid Group Limit '256'. Enter a number from 1 to 100 after closing this message box.",
                  "Invalid Group Limit '0'. Enter a number from 1 to 100 after closing this message box."}));
    EXPECT_EQ(cellText(grid, Page::PortsColumn, 2), QStringLiteral("3, 3, 99, 2, 259"));
    EXPECT_EQ(cellText(grid, Page::LimitColumn, 2), QStringLiteral("150"));

    // Editing the group brings its limit within the limits, with the limit's message.
    m_boxes->answer(IDOK);
    typeInto(grid, Page::PortsColumn, 2, QStringLiteral("8-6, 1"));
    EXPECT_EQ(m_boxes->texts().last(),
              "Invalid Group Limit '150'. Enter a number from 1 to 100 after closing this message box.");
    EXPECT_EQ(cellText(grid, Page::LimitColumn, 2), QStringLiteral("100"));
    typeInto(grid, Page::LimitColumn, 2, QStringLiteral("50"));
    typeInto(grid, Page::IdColumn, 2, QStringLiteral("night {shift"));
    EXPECT_EQ(cellText(grid, Page::PortsColumn, 2), QStringLiteral("8-6, 1"));
    EXPECT_EQ(cellText(grid, Page::IdColumn, 2), QStringLiteral("night_{shift"));
    // The Voice Ports page shows the groups of each port as they stand now.
    EXPECT_EQ(page->GetGroupsOfPort(1), QStringLiteral("Q1, night_{shift"));
    screenshot(QStringLiteral("config-notification-groups"));

    apply();
    EXPECT_TRUE(batch().contains(setLine("jobq", "{{Q1 {1 2 3} 100} {night_\\{shift {8 7 6 1} 50}}")))
        << batch().toStdString();
}

TEST_F(PortGroupsPagesTest, WhatTheServerHoldsShowsAndStaysUntilItsGroupIsEdited)
{
    openSheet(QStringLiteral("var jobq {{Pager {1 2 3 4 97} 150} {Outdial {90 91 92 93 94 95 96} 4 extra}}"));
    auto *page = showPage<CConfigNotifyGroupsPropPage>();
    CSpreadSheetEx *grid = page->Grid();
    EXPECT_EQ(cellText(grid, Page::PortsColumn, 1), QStringLiteral("1-4, 97"));
    EXPECT_EQ(cellText(grid, Page::LimitColumn, 1), QStringLiteral("150"));
    screenshot(QStringLiteral("config-notification-groups-held"));

    // A group within the limits keeps its elements when renamed.
    typeInto(grid, Page::IdColumn, 2, QStringLiteral("Dialout"));
    EXPECT_TRUE(m_boxes->texts().isEmpty());
    // Renaming the other brings its ports and limit within the limits, each
    // with its message; the cursor goes to the ports.
    m_boxes->answer({IDOK, IDOK});
    typeInto(grid, Page::IdColumn, 1, QStringLiteral("Paging"));
    EXPECT_EQ(
        m_boxes->texts(),
        (QStringList{
            "Invalid Voice Port List '1-4, 97'. Enter a correct list after closing this message box.",
            "Invalid Group Limit '150'. Enter a number from 1 to 100 after closing this message box."}));
    EXPECT_EQ(cellText(grid, Page::PortsColumn, 1), QStringLiteral("1-4"));
    EXPECT_EQ(cellText(grid, Page::LimitColumn, 1), QStringLiteral("100"));
    EXPECT_EQ(grid->currentIndex(), grid->model()->index(0, Page::PortsColumn - 1));

    apply();
    EXPECT_TRUE(batch().contains(
        setLine("jobq", "{{Paging {1 2 3 4} 100} {Dialout {90 91 92 93 94 95 96} 4 extra}}")))
        << batch().toStdString();
}

TEST_F(PortGroupsPagesTest, TheManufacturersGroupIsLockedAndItsIdReserved)
{
    openSheet(QStringLiteral("var jobq {{Q1 {1 2 3} 100} {Pager {4} 20}}"));
    auto *page = showPage<CConfigNotifyGroupsPropPage>();
    CSpreadSheetEx *grid = page->Grid();
    grid->setCurrentCell(0, 0);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                      grid->visualRect(grid->model()->index(0, 0)).center());
    EXPECT_FALSE(button(page, Page::IDC_GROUPS_REMOVE)->isEnabled());
    EXPECT_FALSE(grid->model()->flags(grid->model()->index(0, 1)) & Qt::ItemIsEditable);

    m_boxes->answer({IDOK, IDOK});
    typeInto(grid, Page::IdColumn, 2, QStringLiteral("q1"));
    typeInto(grid, Page::IdColumn, 2, QString());
    EXPECT_EQ(
        m_boxes->texts().at(0),
        QStringLiteral(
            "The name 'Q1' is reserved for manufacturer default Group ID.\nEnter a different Group ID."));
    EXPECT_EQ(m_boxes->texts().at(1),
              QStringLiteral("Empty Notification Group ID is invalid. Try to enter a valid ID "
                             "after closing this message box."));
    EXPECT_EQ(cellText(grid, Page::IdColumn, 2), QStringLiteral("Pager"));
}

TEST_F(PortGroupsPagesTest, AddingANotificationGroupAsksItsIdAndTakesAllPorts)
{
    openSheet(QStringLiteral("var jobq {{Q1 {1 2 3} 100}}"));
    auto *page = showPage<CConfigNotifyGroupsPropPage>();
    m_dialogs.on<CAddNotifyGroupDlg>([](CAddNotifyGroupDlg *dialog) {
        auto *edit = qobject_cast<QLineEdit *>(dialog->GetDlgItem(CAddNotifyGroupDlg::IDC_NOTIFY_GROUP_ID));
        QTest::keyClicks(edit, QStringLiteral("Q1"));
        QTest::mouseClick(dialog->GetDlgItem(IDOK), Qt::LeftButton);
    });
    m_boxes->answer(IDOK); // Q1 is reserved: the dialog comes again
    m_dialogs.on<CAddNotifyGroupDlg>([](CAddNotifyGroupDlg *dialog) {
        auto *edit = qobject_cast<QLineEdit *>(dialog->GetDlgItem(CAddNotifyGroupDlg::IDC_NOTIFY_GROUP_ID));
        edit->selectAll();
        QTest::keyClicks(edit, QStringLiteral("after hours"));
        QTest::mouseClick(dialog->GetDlgItem(IDOK), Qt::LeftButton);
    });
    click(button(page, Page::IDC_GROUPS_ADD));
    EXPECT_EQ(m_dialogs.pending(), 0);
    ASSERT_EQ(page->Groups().Count(), 2);
    EXPECT_EQ(page->Groups().At(1).id, QStringLiteral("after_hours"));
    EXPECT_EQ(cellText(page->Grid(), Page::PortsColumn, 2), QStringLiteral("1-96"));

    m_boxes->answer(IDYES);
    click(button(page, Page::IDC_GROUPS_REMOVE));
    EXPECT_TRUE(m_boxes->texts().last().startsWith("If you remove Notification Group 'after_hours'"));
    EXPECT_EQ(page->Groups().Count(), 1);
}

TEST_F(PortGroupsPagesTest, StatisticalGroupsTakeTheLowestFreeNumberAndRefuseZero)
{
    openSheet(QStringLiteral("var statistical_groups {{1 {1 2}} {3 {5 6}}}"));
    auto *page = showPage<CConfigStatGroupsPropPage>();
    click(button(page, Page::IDC_GROUPS_ADD));
    ASSERT_EQ(page->Groups().Count(), 3);
    EXPECT_EQ(page->Groups().At(2).id, QStringLiteral("2"));
    m_boxes->answer({IDOK, IDOK});
    typeInto(page->Grid(), Page::IdColumn, 3, QStringLiteral("0"));
    typeInto(page->Grid(), Page::IdColumn, 3, QStringLiteral("3"));
    EXPECT_EQ(m_boxes->texts(),
              (QStringList{
                  "Statistical Port Group ID '0' is reserved for all ports. Try to enter another ID after "
                  "closing this message box.",
                  "There is already a Statistical Port Group ID '3'. Try to enter another ID after closing "
                  "this message box."}));
    typeInto(page->Grid(), Page::PortsColumn, 3, QStringLiteral("96-95"));
    screenshot(QStringLiteral("config-statistical-groups"));
    // The Voice Ports page shows port 96 in the new group.
    auto *ports = m_sheet->FindPage<CVoicePortsPpg>();
    ASSERT_NE(ports, nullptr);
    EXPECT_EQ(page->GroupsOfPort(96), QStringList{"2"});
    apply();
    EXPECT_TRUE(batch().contains(setLine("statistical_groups", "{{1 {1 2}} {3 {5 6}} {2 {96 95}}}")))
        << batch().toStdString();
}

TEST_F(PortGroupsPagesTest, RemovingTheOnlyStatisticalGroupLeavesNoRowAndNoRemove)
{
    openSheet(QStringLiteral("var statistical_groups {{7 {1 2}}}"));
    auto *page = showPage<CConfigStatGroupsPropPage>();
    QTest::mouseClick(page->Grid()->viewport(), Qt::LeftButton, {},
                      page->Grid()->visualRect(page->Grid()->model()->index(0, 0)).center());
    m_boxes->answer(IDYES);
    click(button(page, Page::IDC_GROUPS_REMOVE));
    EXPECT_EQ(m_boxes->texts(), QStringList{"Are you sure you want to remove Statistical Port Group '7'?"});
    EXPECT_EQ(page->Grid()->rowCount(), 0);
    EXPECT_FALSE(button(page, Page::IDC_GROUPS_REMOVE)->isEnabled());
    apply();
    EXPECT_TRUE(batch().contains(setLine("statistical_groups", "{}"))) << batch().toStdString();
}

} // namespace
