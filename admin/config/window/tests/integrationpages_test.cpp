// The Telephone System Integration and Serial Ports pages in the
// configuration window: groups and their SMDI ports shared by both pages,
// patterns, switch-type files made and applied from the page, and the
// lines of the write-back.
#include "admin/config/dialogs/addintegrationgroupdlg.h"
#include "admin/config/window/configanswermethodspropage.h"
#include "admin/config/window/configintegrationpropage.h"
#include "admin/config/window/confignotifygroupsproppage.h"
#include "admin/config/window/configserialportspropage.h"
#include "admin/config/window/configstatgroupsproppage.h"
#include "admin/config/dialogs/switchtypedlg.h"
#include "admin/config/records/switchtypefile.h"
#include "admin/config/window/tests/configpagestestbase.h"

#include "admin/widgets/spreadsheetex.h"

#include <QFile>
#include <QSignalSpy>

#include <functional>

namespace {

using Integration = CConfigIntegrationPropPage;
using Serial = CConfigSerialPortsPropPage;

// Two groups: Default (DTMF) and Alpha, an SMDI group on a port whose name
// does not begin with COM; the machine has three serial ports.
const QString kTwoGroups = QStringLiteral("var pbx_list {Default Alpha}\n"
                                          "var Default_pbx_integration_type 0\n"
                                          "var Alpha_pbx_integration_type 1\n"
                                          "var Alpha_pbx_switch_type Generic\n"
                                          "var Alpha_pbx_smdi_port {/dev/ttyS1 19200 8 NOPARITY ONESTOPBIT}\n"
                                          "var Alpha_pbx_smdi_length 4\n"
                                          "var serialports {{COM3 Modem 9600 8 NOPARITY ONESTOPBIT}}\n");

class IntegrationPagesTest : public ConfigPagesTestBase {
protected:
    void SetUp() override
    {
        ConfigPagesTestBase::SetUp();
        m_server->answerCommand(QStringLiteral("get_serial_ports"),
                                QStringLiteral("get_serial_ports /dev/ttyS0 /dev/ttyS1 COM3"));
    }
    void chooseGroup(Integration *page, const QString &name)
    {
        typeInto(page->GroupsGrid(), 2, Integration::NameRow, name);
        ASSERT_EQ(page->Group(page->CurrentGroup()).groupName, name);
    }
    static int assignment(Serial *serial, const QString &port)
    {
        return serial->Ports().At(serial->Ports().IndexOf(port)).assignment;
    }
    static QString switchTypePath(const QString &file)
    {
        return CSwitchTypeFile::Folder() + QLatin1Char('/') + file;
    }
};

TEST_F(IntegrationPagesTest, DeletingAGroupReleasesItsPortWhateverItsName)
{
    openSheet(kTwoGroups);
    auto *serial = showPage<Serial>();
    EXPECT_EQ(assignment(serial, "/dev/ttyS1"), SerialPortRecord::SmdiPort);
    EXPECT_EQ(cellText(serial->PortsGrid(), Serial::GroupColumn, 2), QStringLiteral("Alpha"));
    screenshot(QStringLiteral("config-serial-ports"));

    auto *page = showPage<Integration>();
    EXPECT_FALSE(page->GetDlgItem(Integration::IDC_DELETE_GROUP)->isEnabled()); // Default
    chooseGroup(page, QStringLiteral("Alpha"));
    EXPECT_EQ(cellText(page->SerialGrid(), 2, Integration::SerialPortRow), QStringLiteral("/dev/ttyS1"));
    screenshot(QStringLiteral("config-integration"));
    m_boxes->answer(IDYES);
    click(page->GetDlgItem(Integration::IDC_DELETE_GROUP));
    EXPECT_EQ(page->GroupCount(), 1);
    EXPECT_EQ(assignment(serial, "/dev/ttyS1"), SerialPortRecord::Available);

    apply();
    EXPECT_TRUE(batch().contains(setLine("pbx_list", "{Default}"))) << batch().toStdString();
    EXPECT_TRUE(commands().contains(QStringLiteral("ConfigRemoveVar Alpha_pbx_smdi_port 1\r\n")))
        << commands().join('\n').toStdString();
}

TEST_F(IntegrationPagesTest, GroupsAndSerialPortsFollowEachOther)
{
    openSheet(kTwoGroups);
    auto *serial = showPage<Serial>();
    auto *page = showPage<Integration>();
    QSignalSpy renamed(page, &Integration::GroupNameReplaced);
    // Default becomes an SMDI group and takes a free port.
    typeInto(page->GroupsGrid(), 2, Integration::IntegrationTypeRow, QStringLiteral("SMDI"));
    EXPECT_TRUE(page->SerialGrid()->isVisible());
    typeInto(page->SerialGrid(), 2, Integration::SerialPortRow, QStringLiteral("/dev/ttyS0"));
    EXPECT_EQ(assignment(serial, "/dev/ttyS0"), SerialPortRecord::SmdiPort);
    EXPECT_EQ(serial->Ports().At(0).groupName, QStringLiteral("Default"));

    // Renaming Alpha renames its port's record; making it DTMF frees its port.
    chooseGroup(page, QStringLiteral("Alpha"));
    m_boxes->answer(IDYES);
    typeInto(page->GroupsGrid(), 2, Integration::NameRow, QStringLiteral("Beta Line"));
    EXPECT_EQ(
        m_boxes->texts().last(),
        QStringLiteral("Do you want to rename the Integration Group Name from 'Alpha' to 'Beta_Line'?"));
    ASSERT_EQ(renamed.size(), 1);
    EXPECT_EQ(renamed.at(0).at(1).toString(), QStringLiteral("Beta_Line"));
    EXPECT_EQ(serial->Ports().At(1).groupName, QStringLiteral("Beta_Line"));
    typeInto(page->GroupsGrid(), 2, Integration::IntegrationTypeRow, QStringLiteral("DTMF"));
    EXPECT_EQ(assignment(serial, "/dev/ttyS1"), SerialPortRecord::Available);
    EXPECT_FALSE(page->SerialGrid()->isVisible());

    apply();
    EXPECT_TRUE(batch().contains(setLine("pbx_list", "{Default Beta_Line}"))) << batch().toStdString();
    EXPECT_TRUE(
        batch().contains(setLine("Default_pbx_smdi_port", "{/dev/ttyS0 9600 8 NOPARITY ONESTOPBIT}")));
    EXPECT_TRUE(batch().contains(setLine("Beta_Line_pbx_smdi_port", "{{} 19200 8 NOPARITY ONESTOPBIT}")));
    EXPECT_TRUE(commands().contains(QStringLiteral("ConfigRemoveVar Alpha_pbx_switch_type 1\r\n")));
}

TEST_F(IntegrationPagesTest, PatternsMoveAndDigitalLinesLockTheDialCodes)
{
    openSheet(kTwoGroups + QStringLiteral("var Default_pbx_integration_patterns { 1r 2b 3e}\n"));
    auto *page = showPage<Integration>();
    CSpreadSheetEx *grid = page->PatternsGrid();
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                      grid->visualRect(grid->model()->index(2, 1)).center());
    click(page->GetDlgItem(Integration::IDC_PATTERN_UP));
    EXPECT_EQ(cellText(grid, 2, 2), QStringLiteral("2b"));
    EXPECT_EQ(cellText(grid, 1, 2), QStringLiteral("Forward From Busy"));
    EXPECT_EQ(cellText(grid, 2, 3), QStringLiteral("1r"));
    click(page->GetDlgItem(Integration::IDC_PATTERN_UP)); // row 2 goes no higher
    EXPECT_EQ(cellText(grid, 2, 2), QStringLiteral("2b"));

    typeInto(page->GroupsGrid(), 2, Integration::IntegrationTypeRow, QStringLiteral("VLM Proprietary"));
    EXPECT_EQ(cellText(page->DialCodesGrid(), 1, 24), QStringLiteral("IP Address"));
    typeInto(page->DialCodesGrid(), 2, 24, QStringLiteral("10.1.2.3"));
    typeInto(page->GroupsGrid(), 2, Integration::IntegrationTypeRow, QStringLiteral("DTMF"));
    EXPECT_EQ(cellText(page->DialCodesGrid(), 1, 24), QString());

    typeInto(page->GroupsGrid(), 2, Integration::LineProtocolRow, QStringLiteral("T1"));
    EXPECT_EQ(cellText(page->DialCodesGrid(), 2, 1), QString());
    EXPECT_FALSE(page->DialCodesGrid()->model()->flags(page->DialCodesGrid()->model()->index(0, 1)) &
                 Qt::ItemIsEditable);
    apply();
    EXPECT_TRUE(batch().contains(setLine("Default_pbx_integration_patterns", "{ 2b 1r 3e}")))
        << batch().toStdString();
    EXPECT_TRUE(batch().contains(setLine("Default_pbx_dti_protocol", "{E&M Wink Start}")));
    EXPECT_TRUE(batch().contains(setLine("Default_pbx_ip_address", "{10.1.2.3}")));
}

TEST_F(IntegrationPagesTest, AFirstGroupOfTheFourthTypeHoldsEveryOtherGroupButDefaultToIt)
{
    openSheet(QStringLiteral("var pbx_list {Main Branch Default}\n"
                             "var Main_pbx_integration_type 3\n"
                             "var Branch_pbx_integration_type 0\n"
                             "var Default_pbx_integration_type 0\n"));
    auto *page = showPage<Integration>();
    const auto type = [&] { return cellText(page->GroupsGrid(), 2, Integration::IntegrationTypeRow); };
    EXPECT_EQ(type(), QStringLiteral("IP Integration"));
    EXPECT_FALSE(page->SerialGrid()->isVisible());
    screenshot(QStringLiteral("config-integration-ip"));

    chooseGroup(page, QStringLiteral("Branch"));
    m_boxes->answer(IDOK);
    typeInto(page->GroupsGrid(), 2, Integration::IntegrationTypeRow, QStringLiteral("SMDI"));
    EXPECT_EQ(m_boxes->texts(), QStringList{"Every integration group has the integration type of 'Main', IP "
                                            "Integration. Change the type of 'Main' first."});
    EXPECT_EQ(type(), QStringLiteral("IP Integration"));
    EXPECT_EQ(page->Group(2).integrationType, QStringLiteral("3"));
    EXPECT_FALSE(page->SerialGrid()->isVisible());

    // The group named Default, and group 1 itself, choose freely.
    chooseGroup(page, QStringLiteral("Default"));
    typeInto(page->GroupsGrid(), 2, Integration::IntegrationTypeRow, QStringLiteral("SMDI"));
    EXPECT_EQ(page->Group(3).integrationType, QStringLiteral("1"));
    chooseGroup(page, QStringLiteral("Main"));
    typeInto(page->GroupsGrid(), 2, Integration::IntegrationTypeRow, QStringLiteral("DTMF"));
    EXPECT_EQ(page->Group(1).integrationType, QStringLiteral("0"));
    EXPECT_EQ(m_boxes->texts().size(), 1);

    apply();
    for (const auto &[name, value] : {std::pair{"Main_pbx_integration_type", "{0}"},
                                      {"Branch_pbx_integration_type", "{3}"},
                                      {"Default_pbx_integration_type", "{1}"}})
        EXPECT_TRUE(batch().contains(setLine(name, value))) << name << "\n" << batch().toStdString();
}

TEST_F(IntegrationPagesTest, AddingAGroupRefusesReservedAndTakenNames)
{
    openSheet(kTwoGroups);
    auto *page = showPage<Integration>();
    const auto typeName = [](const QString &name) {
        return [name](CAddIntegrationGroupDlg *dialog) {
            auto *edit = qobject_cast<QLineEdit *>(dialog->GetDlgItem(CAddIntegrationGroupDlg::IDC_NAME));
            edit->selectAll();
            QTest::keyClick(edit, Qt::Key_Delete);
            QTest::keyClicks(edit, name);
            QTest::mouseClick(dialog->GetDlgItem(IDOK), Qt::LeftButton);
        };
    };
    m_dialogs.on<CAddIntegrationGroupDlg>(typeName(QStringLiteral("sys_trunk")));
    m_dialogs.on<CAddIntegrationGroupDlg>(typeName(QStringLiteral("Alpha")));
    m_dialogs.on<CAddIntegrationGroupDlg>(typeName(QStringLiteral("New PBX")));
    m_boxes->answer({IDOK, IDOK});
    click(page->GetDlgItem(Integration::IDC_ADD_GROUP));
    EXPECT_EQ(m_dialogs.pending(), 0);
    EXPECT_EQ(
        m_boxes->texts(),
        (QStringList{"'sys_trunk' is an invalid Integration Group Name.  Do not use 'sys' or names beginning "
                     "with 'sys_'.",
                     "There is already an Integration Group Name 'Alpha'. Try to enter another name after "
                     "closing this message box."}));
    ASSERT_EQ(page->GroupCount(), 3);
    EXPECT_EQ(page->CurrentGroup(), 3);
    EXPECT_EQ(page->Group(3).groupName, QStringLiteral("New_PBX"));
    EXPECT_EQ(cellText(page->GroupsGrid(), 2, Integration::IntegrationTypeRow), QStringLiteral("DTMF"));
    apply();
    EXPECT_TRUE(batch().contains(setLine("pbx_list", "{Default Alpha New_PBX}"))) << batch().toStdString();
    EXPECT_TRUE(batch().contains(setLine("New_PBX_pbx_smdi_port", "{{} 9600 8 NOPARITY ONESTOPBIT}")));
}

TEST_F(IntegrationPagesTest, PatternsAreCheckedAndThoseBeyondTheRowsSurvive)
{
    QStringList patterns;
    for (int i = 1; i <= 30; ++i)
        patterns << QStringLiteral("%1r").arg(i);
    openSheet(kTwoGroups +
              QStringLiteral("var Default_pbx_integration_patterns {%1}\n").arg(patterns.join(' ')));
    auto *page = showPage<Integration>();
    CSpreadSheetEx *grid = page->PatternsGrid();
    EXPECT_EQ(cellText(grid, 1, 2), QStringLiteral("Forward From Ring No Answer"));
    EXPECT_EQ(cellText(grid, 2, 25), QStringLiteral("24r"));

    m_boxes->answer({IDOK, IDOK});
    typeInto(grid, 2, 2, QStringLiteral("12r 4"));
    typeInto(grid, 2, 2, QStringLiteral("12b4"));
    EXPECT_EQ(
        m_boxes->texts(),
        (QStringList{"Invalid Integration Pattern Definition '12r 4'. Enter a valid definition after closing "
                     "this message box.",
                     "Invalid Integration Pattern Definition '12b4'. Enter a valid definition after closing "
                     "this message box."}));
    typeInto(grid, 2, 2, QStringLiteral("99r1"));
    patterns[0] = QStringLiteral("99r1");

    m_boxes->answer({IDOK, IDOK});
    typeInto(page->SerialGrid(), 2, Integration::MaxExtensionRow,
             QStringLiteral("0")); // hidden for DTMF, still checked
    typeInto(page->SerialGrid(), 2, Integration::MaxExtensionRow, QStringLiteral("11"));
    EXPECT_EQ(m_boxes->texts().mid(2),
              (QStringList(2, "The valid range for Maximum Extension Length is 1-10.")));

    apply();
    EXPECT_TRUE(
        batch().contains(setLine("Default_pbx_integration_patterns", "{ " + patterns.join(' ') + "}")))
        << batch().toStdString();
    // Alpha was not edited: none of its variables is written.
    EXPECT_FALSE(batch().contains(QStringLiteral("Alpha_"))) << batch().toStdString();
}

TEST_F(IntegrationPagesTest, SwitchTypesAreSavedToTheirFolderAndAppliedToAnotherGroup)
{
    openSheet(kTwoGroups +
              QStringLiteral("var Alpha_pbx_integration_timeout 2500\nvar Alpha_pbx_dl_prefix 9\n"));
    auto *page = showPage<Integration>();
    chooseGroup(page, QStringLiteral("Alpha"));
    const auto typeName = [](const QString &name) {
        return [name](CSwitchTypeDlg *dialog) {
            auto *edit = qobject_cast<QLineEdit *>(dialog->GetDlgItem(CSwitchTypeDlg::IDC_SWITCHTYPE_NAME));
            edit->selectAll();
            QTest::keyClick(edit, Qt::Key_Delete);
            QTest::keyClicks(edit, name);
            QTest::mouseClick(dialog->GetDlgItem(IDOK), Qt::LeftButton);
        };
    };
    m_dialogs.on<CSwitchTypeDlg>(typeName(QStringLiteral("../evil")));
    m_dialogs.on<CSwitchTypeDlg>(typeName(QStringLiteral("talvo vlm")));
    m_dialogs.on<CSwitchTypeDlg>(typeName(QStringLiteral("My Switch")));
    m_boxes->answer({IDOK, IDOK});
    typeInto(page->GroupsGrid(), 2, Integration::SwitchTypeRow,
             QStringLiteral("<Create/Save/Delete Switch Type>"));
    EXPECT_EQ(m_dialogs.pending(), 0);
    EXPECT_EQ(
        m_boxes->texts(),
        (QStringList{"'../evil' can not be used as a switch type name. Do not use '/', '\\', '..', a leading "
                     "'.' or control characters.",
                     "The name 'Talvo VLM' is reserved for manufacturer default switch type.\n\tEnter a "
                     "different name to save your switch type."}));
    EXPECT_FALSE(QFile::exists(CSwitchTypeFile::Folder() + QStringLiteral("/../evil.pbx")));
    QFile file(switchTypePath(QStringLiteral("My_Switch.pbx")));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray content = file.readAll();
    EXPECT_EQ(content.count("\r\n"), 84);
    EXPECT_TRUE(content.startsWith("My_Switch\r\n2500\r\n"));
    EXPECT_EQ(cellText(page->GroupsGrid(), 2, Integration::SwitchTypeRow), QStringLiteral("My_Switch"));
    EXPECT_TRUE(
        page->SwitchTypeList().startsWith(QStringLiteral("My_Switch\t<Create/Save/Delete Switch Type>")));

    chooseGroup(page, QStringLiteral("Default"));
    typeInto(page->GroupsGrid(), 2, Integration::SwitchTypeRow, QStringLiteral("My_Switch"));
    EXPECT_EQ(page->Group(1).integrationTimeout, QStringLiteral("2500"));
    EXPECT_EQ(page->Group(1).integrationType, QStringLiteral("1"));
    apply();
    EXPECT_TRUE(batch().contains(setLine("Default_pbx_switch_type", "{My_Switch}"))) << batch().toStdString();
    EXPECT_TRUE(batch().contains(setLine("Default_pbx_integration_timeout", "{2500}")));
    EXPECT_TRUE(batch().contains(setLine("Default_pbx_dl_prefix", "{9}")));
}

TEST_F(IntegrationPagesTest, SerialResourcesKeepAPhoneNumberWithBlanksAndConflictsAreTold)
{
    m_boxes->answer(IDOK);
    openSheet(
        kTwoGroups +
        QStringLiteral("var serialports {{/dev/ttyS1 Pager} {COM3 Modem 9600 8 NOPARITY ONESTOPBIT}}\n"));
    EXPECT_EQ(m_boxes->texts(),
              QStringList{"/dev/ttyS1 can not be assigned as resource 'Pager' because it is "
                          "configured as SMDI link of 'Alpha'."});
    auto *serial = showPage<Serial>();
    typeInto(serial->PortsGrid(), Serial::AssignmentColumn, 1, QStringLiteral("Resource"));
    typeInto(serial->PortsGrid(), Serial::GroupColumn, 1, QStringLiteral("Front desk"));
    serial->PhoneEdit()->setFocus();
    QTest::keyClicks(serial->PhoneEdit(), QStringLiteral("+1 (949) 555-1234"));
    typeInto(serial->SettingsGrid(), 2, Serial::ParityRow, QStringLiteral("Odd"));

    // A group of type DTMF cannot take a port: the name cell empties.
    m_boxes->answer(IDYES);
    typeInto(serial->PortsGrid(), Serial::GroupColumn, 2, QStringLiteral("Default"));
    EXPECT_TRUE(m_boxes->texts().last().startsWith("Serial Port '/dev/ttyS1' is assigned to be connected"));
    EXPECT_EQ(cellText(serial->PortsGrid(), Serial::GroupColumn, 2), QString());
    EXPECT_EQ(m_sheet->FindPage<Integration>()->Group(2).smdiPortName, QString());

    apply();
    // The untouched entry as it was, the new resource after it; the
    // conflicting entry goes with the SMDI link it conflicted with.
    EXPECT_TRUE(batch().contains(setLine("serialports", "{{COM3 Modem 9600 8 NOPARITY ONESTOPBIT} "
                                                        "{/dev/ttyS0 Front_desk 9600 8 ODDPARITY ONESTOPBIT "
                                                        "{+1 (949) 555-1234}}}")))
        << batch().toStdString();
    EXPECT_TRUE(batch().contains(setLine("Alpha_pbx_smdi_port", "{{} 19200 8 NOPARITY ONESTOPBIT}")));
}

} // namespace

namespace {

class UntouchedPagesTest : public ConfigPagesTestBase {};

TEST_F(UntouchedPagesTest, ShowingThePagesOfASiteWritesOnlyWhatWasEdited)
{
    openSheet(); // twenty groups whose patterns hold no kind letter, port groups, serial ports, holidays
    auto *integration = showPage<CConfigIntegrationPropPage>();
    EXPECT_EQ(cellText(integration->PatternsGrid(), 1, 2), QStringLiteral("<Empty>"));
    EXPECT_EQ(cellText(integration->PatternsGrid(), 2, 2), QStringLiteral("P1*1#"));
    for (int group = 2; group <= 4; ++group)
        typeInto(integration->GroupsGrid(), 2, CConfigIntegrationPropPage::NameRow,
                 QStringLiteral("PBX%1").arg(group, 2, 10, QLatin1Char('0')));
    showPage<CConfigSerialPortsPropPage>();
    showPage<CConfigNotifyGroupsPropPage>();
    auto *statistical = showPage<CConfigStatGroupsPropPage>();
    typeInto(statistical->Grid(), CConfigPortGroupsPage::PortsColumn, 3, QStringLiteral("13-16, 20"));
    apply();
    EXPECT_EQ(commands(),
              QStringList{"set _rlist \"\"\r\n" +
                          setLine("statistical_groups", "{{Reception {1 2 3 4 5 6 7 8}} {Sales {9 10 11 12}} "
                                                        "{Support {13 14 15 16 20}}}") +
                          "set _rlist\r\n"});
}

} // namespace

namespace {

class GroupsGoneTest : public IntegrationPagesTest {
protected:
    // Apply clicked, its question answered Yes and the refusal that follows
    // closed; the message it showed.
    QString applyRefused()
    {
        m_boxes->answer({IDYES, IDOK});
        click(m_sheet->GetDlgItem(ID_APPLY_NOW));
        return m_boxes->texts().value(m_boxes->texts().size() - 1);
    }
    QStringList removals(const QString &group) const
    {
        QStringList sent;
        for (const QString &command : commands())
            if (command.startsWith(QStringLiteral("ConfigRemoveVar ") + group + u'_'))
                sent << command;
        return sent;
    }
    bool onServer(const QString &name) const
    {
        return m_session->Execute(QStringLiteral("info exists ") + name) == QLatin1String("1");
    }
    void deleteAlpha(Integration *page)
    {
        m_boxes->answer(IDYES);
        click(page->GetDlgItem(Integration::IDC_DELETE_GROUP));
    }
    void renameAlpha(Integration *page)
    {
        m_boxes->answer(IDYES);
        typeInto(page->GroupsGrid(), 2, Integration::NameRow, QStringLiteral("Beta"));
    }
};

TEST_F(GroupsGoneTest, AGroupGoneWhileTheListIsRefusedIsRemovedByTheNextApply)
{
    const struct {
        std::function<void(Integration *)> remove;
        const char *list;
    } cases[] = {{[this](Integration *page) { deleteAlpha(page); }, "{Default}"},
                 {[this](Integration *page) { renameAlpha(page); }, "{Default Beta}"}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.list);
        m_server->seed(kTwoGroups);
        m_server->refuseVariable(QStringLiteral("pbx_list"));
        openSheet();
        auto *page = showPage<Integration>();
        chooseGroup(page, QStringLiteral("Alpha"));
        c.remove(page);
        EXPECT_TRUE(applyRefused().startsWith(
            QStringLiteral("Server reported error while updating configuration 'pbx_list'.")));
        EXPECT_TRUE(removals(QStringLiteral("Alpha")).isEmpty()) << "the list the server holds names Alpha";
        EXPECT_TRUE(onServer(QStringLiteral("Alpha_pbx_smdi_port")));

        m_server->acceptVariable(QStringLiteral("pbx_list"));
        m_server->clearLog();
        const qsizetype shown = m_boxes->texts().size();
        apply();
        EXPECT_EQ(m_boxes->texts().size(), shown + 1) << "the question alone";
        EXPECT_TRUE(batch().contains(setLine("pbx_list", c.list))) << batch().toStdString();
        const QStringList removed = removals(QStringLiteral("Alpha"));
        ASSERT_EQ(removed.size(), kGroupVariableCount) << commands().join('\n').toStdString();
        EXPECT_EQ(removed.first(), QStringLiteral("ConfigRemoveVar Alpha_pbx_switch_type 1\r\n"));
        EXPECT_FALSE(onServer(QStringLiteral("Alpha_pbx_smdi_port")));
        EXPECT_FALSE(onServer(QStringLiteral("Alpha_pbx_integration_type")));
        m_host.reset();
    }
}

TEST_F(GroupsGoneTest, ARefusedRemovalIsToldAndTriedAgain)
{
    openSheet(kTwoGroups);
    auto *page = showPage<Integration>();
    chooseGroup(page, QStringLiteral("Alpha"));
    deleteAlpha(page);
    m_server->refuseVariable(QStringLiteral("Alpha_pbx_smdi_port"));
    EXPECT_EQ(
        applyRefused(),
        QStringLiteral("Server reported error while updating configuration 'Alpha_pbx_smdi_port'.\n\n"
                       "These variables of deleted Telephone System Integration Groups were not removed: "
                       "Alpha_pbx_smdi_port.\nThe next update removes them again."));
    EXPECT_EQ(removals(QStringLiteral("Alpha")).size(), kGroupVariableCount);
    EXPECT_TRUE(onServer(QStringLiteral("Alpha_pbx_smdi_port")));
    EXPECT_FALSE(onServer(QStringLiteral("Alpha_pbx_switch_type")));
    EXPECT_TRUE(m_sheet->IsApplyEnabled());

    m_server->acceptVariable(QStringLiteral("Alpha_pbx_smdi_port"));
    m_server->clearLog();
    const qsizetype shown = m_boxes->texts().size();
    apply();
    EXPECT_EQ(m_boxes->texts().size(), shown + 1) << m_boxes->texts().join('\n').toStdString();
    EXPECT_TRUE(removals(QStringLiteral("Alpha"))
                    .contains(QStringLiteral("ConfigRemoveVar Alpha_pbx_smdi_port 1\r\n")))
        << commands().join('\n').toStdString();
    EXPECT_FALSE(onServer(QStringLiteral("Alpha_pbx_smdi_port")));
}

TEST_F(GroupsGoneTest, TheAnswerMethodsFollowGroupsRenamedOrDeletedWithoutTheirPage)
{
    openSheet(); // answer methods of PBX01 (Day, Night) and PBX05 (Fax)
    auto *page = showPage<Integration>();
    chooseGroup(page, QStringLiteral("PBX01"));
    m_boxes->answer(IDYES);
    typeInto(page->GroupsGrid(), 2, Integration::NameRow, QStringLiteral("Main PBX"));
    chooseGroup(page, QStringLiteral("PBX05"));
    m_boxes->answer(IDYES);
    click(page->GetDlgItem(Integration::IDC_DELETE_GROUP));
    apply();
    EXPECT_FALSE(m_sheet->FindPage<CConfigAnswerMethodsPropPage>()->HasWindow());
    EXPECT_TRUE(
        batch().contains(setLine("answer_method_list", "{{Day {997 4 Main_PBX}} {Night {997 2 Main_PBX}} "
                                                       "{Weekend {2000 2 PBX02}} {Sales {2000 4 PBX03}} "
                                                       "{Support {2100 3 PBX04}} {Fax {2100 1 {}}}}")))
        << batch().toStdString();
    EXPECT_EQ(m_session->Execute(QStringLiteral("set answer_method_list")),
              QStringLiteral("{Day {997 4 Main_PBX}} {Night {997 2 Main_PBX}} {Weekend {2000 2 PBX02}} "
                             "{Sales {2000 4 PBX03}} {Support {2100 3 PBX04}} {Fax {2100 1 {}}}"));
}

// What a page does not write is said with the question, before anything is
// sent.
TEST_F(IntegrationPagesTest, SettingsOfAnAvailablePortAreSaidNotToBeStored)
{
    openSheet(kTwoGroups);
    auto *serial = showPage<Serial>();
    ASSERT_EQ(assignment(serial, "/dev/ttyS0"), SerialPortRecord::Available);
    typeInto(serial->SettingsGrid(), 2, Serial::ParityRow, QStringLiteral("Odd"));
    m_boxes->answer(IDNO);
    click(m_sheet->GetDlgItem(ID_APPLY_NOW));
    EXPECT_EQ(
        m_boxes->texts(),
        QStringList{"These changes are not stored:\nSerial Port '/dev/ttyS0': the settings you changed, "
                    "because an Available port keeps none. Assign it as an SMDI Port or a Resource to "
                    "keep them.\n\nDo you want to update the configuration data in VerbantaES server with "
                    "the changes you have made?\nIf you click Yes, the changes will take effect when next "
                    "time VerbantaES server is restarted."});
    apply();
    EXPECT_TRUE(commands().isEmpty()) << commands().join('\n').toStdString();
}

} // namespace
